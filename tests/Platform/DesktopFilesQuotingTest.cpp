// The desktop files that start the program (its entry, the autostart entry, the file managers'
// actions), written for install paths holding every character that needs care, and read back
// the way the desktops read them: GLib's key-file and command-line parsers, GIO's own launch for
// the entries it loads, and Python's parser for the Nautilus script. Each must run the program
// with exactly the arguments meant.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "Platform/Autostart.h"
#include "Platform/FileManagerActions.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {

const QStringList uris{QStringLiteral("file:///tmp/a%20b.txt"),
                       QStringLiteral("file:///tmp/%ED%8F%B4%EB%8D%94")};

// A program that writes the arguments it was started with, one a line, to $QF_ARGV_OUT.
void writeRecorder(const fs::path &program)
{
    fs::create_directories(program.parent_path());
    TestSupport::writeBytes(
        program, "#!/bin/sh\nfor a in \"$0\" \"$@\"; do printf '%s\\n' \"$a\"; done > \"$QF_ARGV_OUT\"\n");
    ::chmod(program.c_str(), 0755);
}

QStringList recorded(const fs::path &out)
{
    QFile file(QString::fromStdString(out.native()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    lines.removeLast(); // after the last line end
    return lines;
}

// The Exec value of a group as GLib reads it, split as GLib's shell parser splits it, with the
// field codes put in as the Desktop Entry specification says: "%%" is '%', %U the URIs.
std::optional<QStringList> execOf(const fs::path &file, const char *group, std::string &why)
{
    g_autoptr(GKeyFile) keys = g_key_file_new();
    g_autoptr(GError) error = nullptr;
    if (!g_key_file_load_from_file(keys, file.c_str(), G_KEY_FILE_NONE, &error)) {
        why = error->message;
        return std::nullopt;
    }
    g_autofree char *exec = g_key_file_get_string(keys, group, "Exec", &error);
    if (!exec) {
        why = error->message;
        return std::nullopt;
    }
    g_auto(GStrv) argv = nullptr;
    if (!g_shell_parse_argv(exec, nullptr, &argv, &error)) {
        why = std::string(error->message) + " in " + exec;
        return std::nullopt;
    }
    QStringList out;
    for (char **arg = argv; *arg; ++arg) {
        const QString text = QString::fromUtf8(*arg);
        if (text == QLatin1String("%U"))
            out << uris;
        else
            out << QString(text).replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
    return out;
}

// Runs a command line and gives what the recorder saw.
QStringList run(const QStringList &argv, const fs::path &out)
{
    fs::remove(out);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QF_ARGV_OUT"), QString::fromStdString(out.native()));
    process.setProcessEnvironment(env);
    process.start(argv.first(), argv.mid(1));
    process.waitForFinished(10000);
    return recorded(out);
}

// Launches an application entry through GIO, as a desktop or a session's autostart does.
QStringList launchWithGio(const fs::path &entry, const fs::path &out, std::string &why)
{
    fs::remove(out);
    g_autoptr(GDesktopAppInfo) info = g_desktop_app_info_new_from_filename(entry.c_str());
    if (!info) {
        why = "GIO refuses the entry";
        return {};
    }
    g_autoptr(GAppLaunchContext) context = g_app_launch_context_new();
    g_app_launch_context_setenv(context, "QF_ARGV_OUT", out.c_str());
    g_autoptr(GError) error = nullptr;
    if (!g_app_info_launch_uris(G_APP_INFO(info), nullptr, context, &error)) {
        why = error->message;
        return {};
    }
    if (!QTest::qWaitFor([&] { return !recorded(out).isEmpty(); }, 10000))
        why = "the launched program wrote nothing";
    return recorded(out);
}

// The list the Nautilus script hands to Popen, as Python reads the file.
QStringList pythonArgv(const fs::path &script)
{
    const auto parsed = TestSupport::run(
        QStringLiteral("python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import ast, sys\n"
                        "tree = ast.parse(open(sys.argv[1], encoding='utf-8').read())\n"
                        "call = next(n for n in ast.walk(tree) if isinstance(n, ast.Call) and "
                        "getattr(n.func, 'attr', '') == 'Popen')\n"
                        "sys.stdout.write('\\n'.join(ast.literal_eval(call.args[0].left)) + '\\n')\n"),
         QString::fromStdString(script.native())});
    if (parsed.exitCode != 0)
        return {QString::fromStdString(parsed.err)};
    QStringList lines = QString::fromStdString(parsed.out).split(QLatin1Char('\n'));
    lines.removeLast();
    return lines;
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(DesktopFileQuoting, EveryFileRunsTheProgramWithTheArgumentsMeantWhateverItsPath)
{
    ASSERT_TRUE(TestSupport::haveProgram(QStringLiteral("python3")));
    const QString entryTemplate = readAll(QStringLiteral(QF_DATA_DIR "/quillfern.desktop.in"));
    ASSERT_FALSE(entryTemplate.isEmpty());
    TempDir dir;
    const fs::path out = dir / "argv.txt";
    const char *names[] = {
        "plain", "with space", "it's",  "say \"hi\"", "$HOME",  "`date`",    "back\\slash",
        "50%",   "semi;colon", "#hash", "a=b",        "누리함", "tab\there", R"(%U and %% = $x \ "q")"};
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const char *name : names) {
        SCOPED_TRACE(name);
        const fs::path program = dir / name / "bin" / "quillfern";
        writeRecorder(program);
        const QString programText = QString::fromStdString(program.native());

        const fs::path entry = dir / "quillfern.desktop";
        TestSupport::writeBytes(entry,
                                FileManagerActions::render(entryTemplate, programText, false).toStdString());
        Autostart::registerEntry(programText);
        FileManagerActions::installForUser(programText);

        const struct {
            fs::path file;
            const char *group;
            QStringList arguments;
            bool application; // an entry GIO itself loads and launches
        } files[] = {
            {entry, "Desktop Entry", uris, true},
            {Autostart::entryPath().toStdString(), "Desktop Entry", {QStringLiteral("--login-item")}, true},
            {(dataHome + "/kio/servicemenus/quillfern-send.desktop").toStdString(),
             "Desktop Action sendToQuillfern", QStringList{QStringLiteral("--service")} + uris, false},
            {(dataHome + "/kservices5/ServiceMenus/quillfern-send.desktop").toStdString(),
             "Desktop Action sendToQuillfern", QStringList{QStringLiteral("--service")} + uris, false},
            {(dataHome + "/nemo/actions/quillfern-send.nemo_action").toStdString(), "Nemo Action",
             QStringList{QStringLiteral("--service")} + uris, false},
            {(dataHome + "/file-manager/actions/quillfern-send.desktop").toStdString(),
             "X-Action-Profile send", QStringList{QStringLiteral("--service")} + uris, false},
        };
        for (const auto &f : files) {
            SCOPED_TRACE(f.file.native());
            const QStringList expected = QStringList{programText} + f.arguments;
            std::string why;
            const auto argv = execOf(f.file, f.group, why);
            ASSERT_TRUE(argv.has_value()) << why << "\n" << TestSupport::readBytes(f.file);
            EXPECT_EQ(run(*argv, out), expected) << TestSupport::readBytes(f.file);
            if (f.application) {
                // Without files, so that only the program and its own arguments are compared (GIO
                // hands local files to %U as paths).
                QStringList own = expected;
                own.removeIf([](const QString &a) { return uris.contains(a); });
                EXPECT_EQ(launchWithGio(f.file, out, why), own) << why << "\n"
                                                                << TestSupport::readBytes(f.file);
            }
        }
        EXPECT_EQ(pythonArgv((dataHome + "/nautilus-python/extensions/quillfern-send.py").toStdString()),
                  (QStringList{programText, QStringLiteral("--service")}));
        if (TestSupport::haveProgram(QStringLiteral("desktop-file-validate"))) {
            const auto check =
                TestSupport::run(QStringLiteral("desktop-file-validate"), {TestSupport::q(entry)});
            EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
        }
        FileManagerActions::removeForUser();
        Autostart::unregisterEntry();
    }
}

TEST(DesktopFileQuoting, AProgramPathWithALineBreakIsRefusedAndNothingIsWritten)
{
    const QString program = QStringLiteral("/opt/two\nlines/bin/quillfern");
    try {
        Autostart::registerEntry(program);
        ADD_FAILURE() << "no refusal";
    } catch (const Autostart::Error &e) {
        EXPECT_TRUE(e.text.contains(QStringLiteral("줄바꿈"))) << e.text.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Autostart::entryPath()));
    EXPECT_THROW(FileManagerActions::installForUser(program), FileManagerActions::Error);
    EXPECT_FALSE(FileManagerActions::isInstalledForUser());
    EXPECT_THROW(
        FileManagerActions::render(QStringLiteral("Exec=@QUILLFERN_EXEC@"), QStringLiteral("/a\rb"), false),
        FileManagerActions::Error);
}
