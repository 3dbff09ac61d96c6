// The built program, started as separate processes with a private runtime folder: the second
// launch hands over to the first, and the screenshot hooks write their pictures.
#include "Core/FilePath.h"
#include "Platform/SingleInstance.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

using TestSupport::TempDir;

namespace {

class Program {
public:
    explicit Program(const TempDir &home)
    {
        for (const char *folder : {"runtime", "config", "data", "tmp"})
            std::filesystem::create_directories(home / folder);
        std::filesystem::permissions(home / "runtime", std::filesystem::perms::owner_all);
        env_ = QProcessEnvironment::systemEnvironment();
        auto set = [&](const char *name, const std::filesystem::path &p) {
            env_.insert(QString::fromLatin1(name), QString::fromStdString(p.native()));
        };
        set("XDG_RUNTIME_DIR", home / "runtime");
        set("XDG_CONFIG_HOME", home / "config");
        set("XDG_DATA_HOME", home / "data");
        set("HOME", home.path());
        set("TMPDIR", home / "tmp");
        env_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env_.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        socket_ = QString::fromStdString((home / "runtime" / "quillfern.socket").native());
    }
    ~Program()
    {
        if (primary_.state() != QProcess::NotRunning) {
            primary_.kill();
            primary_.waitForFinished(5000);
        }
    }

    // Starts the first instance and waits until it answers on its socket.
    bool startPrimary(const QStringList &arguments)
    {
        primary_.setProcessEnvironment(env_);
        primary_.start(QStringLiteral(QUILLFERN_BINARY), arguments);
        if (!primary_.waitForStarted(10000))
            return false;
        return QTest::qWaitFor([&] { return SingleInstance::isRunning(socket_); }, 30000);
    }
    bool primaryEnds(int milliseconds = 60000) { return primary_.waitForFinished(milliseconds); }
    int primaryExitCode() const { return primary_.exitCode(); }
    void killPrimary()
    {
        primary_.kill();
        primary_.waitForFinished(5000);
    }
    const QProcessEnvironment &environment() const { return env_; }
    const QString &socket() const { return socket_; }

    TestSupport::ProcessResult launch(const QStringList &arguments, const std::filesystem::path &workDir = {},
                                      bool withoutDisplay = false)
    {
        QProcess p;
        QProcessEnvironment env = env_;
        if (withoutDisplay) {
            // A GUI application could not start here: the hand-over must not need one.
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        }
        p.setProcessEnvironment(env);
        if (!workDir.empty())
            p.setWorkingDirectory(QString::fromStdString(workDir.native()));
        p.start(QStringLiteral(QUILLFERN_BINARY), arguments);
        TestSupport::ProcessResult result;
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return result;
        result.exitCode = p.exitCode();
        result.out = p.readAllStandardOutput().toStdString();
        result.err = p.readAllStandardError().toStdString();
        return result;
    }

private:
    QProcessEnvironment env_;
    QString socket_;
    QProcess primary_;
};

using TestSupport::q;

} // namespace

TEST(LaunchProcess, SecondLaunchHandsItsUrlToTheRunningInstance)
{
    TempDir home;
    const auto a = home.file("files/a.txt", "a");
    const auto b = home.folder("files/b");
    const auto shots = home.folder("shots");
    Program program(home);
    // The scripted walk waits for files to reach its tab, then photographs each step and quits.
    ASSERT_TRUE(program.startPrimary({QStringLiteral("--uitest-shots"), q(shots)}));

    // Nothing that exists: the answer is fine and nothing arrives.
    EXPECT_EQ(program.launch({q(home / "missing"), QStringLiteral("quillfern://x?p=/no/such")}).exitCode, 0);
    // Only a web address: no files, the error comes back and the exit is non-zero.
    const auto refused =
        program.launch({QStringLiteral("--service"), QStringLiteral("https://example.com/")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("보낼 파일을 찾지 못했습니다"), std::string::npos) << refused.err;

    const QString url = QStringLiteral("quillfern://x?p=%1&p=%2").arg(q(a), q(b));
    EXPECT_EQ(program.launch({url}, {}, true).exitCode, 0);
    ASSERT_TRUE(program.primaryEnds());
    EXPECT_EQ(program.primaryExitCode(), 0);
    for (const char *name :
         {"1-dashboard.png", "2-done.png", "3-zip.png", "4-undone.png", "5-newtab.png", "6-tabswitch.png"})
        EXPECT_TRUE(std::filesystem::file_size(shots / name) > 0) << name;
    // One window holding the first tab and the one the walk opened.
    EXPECT_EQ(TestSupport::readBytes(shots / "windows.txt"), "main tabs=2");
}

TEST(LaunchProcess, FolderNamedRelativeToTheSecondLaunchIsDelivered)
{
    TempDir home;
    home.folder("elsewhere/photos");
    const auto shots = home.folder("shots");
    Program program(home);
    ASSERT_TRUE(program.startPrimary({QStringLiteral("--uitest-shots"), q(shots)}));
    // The running instance has another working folder: the path is resolved by the launch.
    EXPECT_EQ(program.launch({QStringLiteral("photos")}, home / "elsewhere").exitCode, 0);
    ASSERT_TRUE(program.primaryEnds());
    EXPECT_TRUE(std::filesystem::exists(shots / "1-dashboard.png"));
}

TEST(LaunchProcess, LegacyFileListOfTheRightClickActionIsDelivered)
{
    TempDir home;
    const auto folder = home.folder("files/f");
    const auto shots = home.folder("shots");
    Program program(home);
    ASSERT_TRUE(program.startPrimary({QStringLiteral("--uitest-shots"), q(shots)}));
    EXPECT_EQ(program.launch({QStringLiteral("--service-files"), q(folder)}).exitCode, 0);
    ASSERT_TRUE(program.primaryEnds());
    EXPECT_TRUE(std::filesystem::exists(shots / "1-dashboard.png"));
}

TEST(LaunchProcess, ManualAndAboutShotsWriteTheirPicturesAndQuit)
{
    TempDir home;
    const auto manual = home / "not yet there"; // the hook makes its folder
    Program program(home);
    const auto shots = program.launch({QStringLiteral("--manual-shots"), q(manual),
                                       QStringLiteral("--shot-size"), QStringLiteral("1000X700")});
    EXPECT_EQ(shots.exitCode, 0) << shots.err;
    for (const char *tool :
         {"sendCheckup", "hangulFilename", "dsStoreCleaner", "zipKorean", "filenameSanitizer",
          "heicConverter", "videoConverter", "textEncoding", "sleepPreventer", "tweaks"})
        EXPECT_TRUE(std::filesystem::exists(manual / (std::string(tool) + ".png"))) << tool;

    const auto about = home.folder("about");
    const auto frames = program.launch(
        {QStringLiteral("--about-shots"), q(about), QStringLiteral("--about-frames"), QStringLiteral("3")});
    EXPECT_EQ(frames.exitCode, 0) << frames.err;
    for (const char *name : {"f00.png", "f01.png", "f02.png"})
        EXPECT_TRUE(std::filesystem::exists(about / name)) << name;
    EXPECT_FALSE(std::filesystem::exists(about / "f03.png"));
    const std::string timing = TestSupport::readBytes(about / "timing.txt");
    EXPECT_EQ(std::count(timing.begin(), timing.end(), '\n'), 2);
    EXPECT_EQ(timing.substr(timing.rfind('\n') + 1).rfind("02 ", 0), 0u) << timing;

    // Pictures that cannot be written make the run fail instead of passing silently.
    const auto blocked = home.file("a file");
    const auto failed = program.launch({QStringLiteral("--about-shots"), q(blocked / "sub"),
                                        QStringLiteral("--about-frames"), QStringLiteral("1")});
    EXPECT_NE(failed.exitCode, 0);
    EXPECT_NE(failed.err.find("cannot write"), std::string::npos) << failed.err;
}

TEST(LaunchProcess, RelaunchedInstanceWaitsForTheOldOneAndTakesOver)
{
    TempDir home;
    Program program(home);
    ASSERT_TRUE(program.startPrimary({}));
    // The relaunched program does not hand over to the instance that is quitting: it waits.
    QProcess relaunched;
    relaunched.setProcessEnvironment(program.environment());
    relaunched.start(QStringLiteral(QUILLFERN_BINARY), {QStringLiteral("--relaunched")});
    ASSERT_TRUE(relaunched.waitForStarted(10000));
    program.killPrimary(); // it leaves its socket behind, as a crash would
    EXPECT_TRUE(QTest::qWaitFor([&] { return SingleInstance::isRunning(program.socket()); }, 30000));
    EXPECT_EQ(relaunched.state(), QProcess::Running);
    relaunched.kill();
    relaunched.waitForFinished(5000);
}
