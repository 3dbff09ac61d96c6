#include "support/SaveShot.h"
#include "support/TestSupport.h"

#include "Features/Tweaks/TweaksEngine.h"
#include "Features/Tweaks/TweaksView.h"
#include "Ui/ToggleSwitch.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QThread>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <sys/stat.h>

namespace {

using TestSupport::q;
using TestSupport::saveShot;
using TestSupport::TempDir;

QStringList lines(const std::filesystem::path &file)
{
    if (!std::filesystem::exists(file))
        return {};
    return QString::fromStdString(TestSupport::readBytes(file)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Fake helpers: each logs its exact argument list (tab-separated) and the "defaults" one answers reads
// from a table of files answers/DOMAIN/KEY holding the exact bytes to print. A KEY.exit file sets a read's
// exit status, a KEY.hang file makes it never answer; writes store the value (so a re-read sees it) unless
// the file fail-writes exists.
class FakeHelpers {
public:
    FakeHelpers()
    {
        const std::string d = dir.path().string();
        makeScript("defaults", "#!/bin/sh\n"
                               "line=''; for a in \"$@\"; do line=\"$line$a\t\"; done\n"
                               "printf '%s\\n' \"${line%\t}\" >> '" +
                                   d +
                                   "/defaults.log'\n"
                                   "answer='" +
                                   d +
                                   "/answers/'\"$2\"/\"$3\"\n"
                                   "case \"$1\" in\n"
                                   "read)\n"
                                   "  [ -e \"$answer.hang\" ] && exec sleep 30\n"
                                   "  [ -e \"$answer\" ] || exit 1\n"
                                   "  cat \"$answer\"\n"
                                   "  [ -e \"$answer.exit\" ] && exit \"$(cat \"$answer.exit\")\"\n"
                                   "  exit 0;;\n"
                                   "write)\n"
                                   "  [ -e '" +
                                   d +
                                   "/fail-writes' ] && exit 1\n"
                                   "  mkdir -p \"$(dirname \"$answer\")\"\n"
                                   "  for v in \"$@\"; do last=\"$v\"; done\n"
                                   "  printf '%s\\n' \"$last\" > \"$answer\"\n"
                                   "  exit 0;;\n"
                                   "esac\n"
                                   "exit 1\n");
        makeScript("killall", "#!/bin/sh\nline=''; for a in \"$@\"; do line=\"$line$a\t\"; done\n"
                              "printf '%s\\n' \"${line%\t}\" >> '" +
                                  d + "/killall.log'\n");
    }

    TweaksEngine::Helpers helpers(int timeout = 5000) const
    {
        return {q(dir / "defaults"), q(dir / "killall"), timeout};
    }
    void answer(const std::string &domainKey, std::string_view bytes) const
    {
        dir.file("answers/" + domainKey, bytes);
    }
    void exitStatus(const std::string &domainKey, int status) const
    {
        dir.file("answers/" + domainKey + ".exit", std::to_string(status));
    }
    void hang(const std::string &domainKey) const { dir.file("answers/" + domainKey + ".hang"); }
    void failWrites() const { dir.file("fail-writes"); }
    QStringList defaultsCalls() const { return lines(dir / "defaults.log"); }
    QStringList killallCalls() const { return lines(dir / "killall.log"); }
    void clearLogs() const
    {
        std::filesystem::remove(dir / "defaults.log");
        std::filesystem::remove(dir / "killall.log");
    }
    // The restart helper is not waited for: wait (generously) until it has logged `count` calls.
    QStringList killallCallsOnceThere(qsizetype count) const
    {
        QDeadlineTimer deadline(20000);
        while (killallCalls().size() < count && !deadline.hasExpired())
            QThread::msleep(20);
        return killallCalls();
    }
    // The log once every restart started so far has ended. The engine starts the helper without
    // waiting, but only returns once it runs: a run is either alive, its command line naming the fake,
    // or has logged already.
    QStringList killallCallsSettled() const
    {
        QDeadlineTimer deadline(20000);
        while (killallRunning() && !deadline.hasExpired())
            QThread::msleep(20);
        return killallCalls();
    }

    TempDir dir;

private:
    bool killallRunning() const
    {
        const std::string script = (dir / "killall").native() + '\0';
        std::error_code error;
        for (const auto &entry : std::filesystem::directory_iterator("/proc", error)) {
            const std::string pid = entry.path().filename().native();
            if (pid.find_first_not_of("0123456789") != std::string::npos)
                continue;
            std::ifstream cmdline(entry.path() / "cmdline", std::ios::binary);
            const std::string arguments{std::istreambuf_iterator<char>(cmdline), {}};
            if (arguments.find(script) != std::string::npos)
                return true;
        }
        return false;
    }
    void makeScript(const std::string &name, const std::string &text) const
    {
        const auto path = dir.file(name, text);
        ::chmod(path.c_str(), 0755);
    }
};

const TweaksEngine::Tweak &tweak(const QString &id)
{
    for (const auto &section : TweaksEngine::sections())
        for (const auto &t : section.tweaks)
            if (t.id == id)
                return t;
    throw std::runtime_error("no such tweak");
}

const QStringList refreshReads = {
    "read\tcom.apple.desktopservices\tDSDontWriteUSBStores",
    "read\tcom.apple.desktopservices\tDSDontWriteNetworkStores",
    "read\tNSGlobalDomain\tAppleShowAllExtensions",
    "read\tcom.apple.finder\tAppleShowAllFiles",
    "read\tcom.apple.finder\t_FXShowPosixPathInTitle",
    "read\tcom.apple.screencapture\tdisable-shadow",
    "read\tcom.apple.screencapture\ttype",
    "read\tcom.apple.screencapture\tlocation",
};

TEST(TweaksEngine, RefreshRunsTheEightReadsInOrderAndReadsAnswersStrictly)
{
    FakeHelpers fake;
    fake.answer("com.apple.desktopservices/DSDontWriteUSBStores", "TRUE\n");
    fake.answer("com.apple.desktopservices/DSDontWriteNetworkStores", "Yes");
    fake.answer("NSGlobalDomain/AppleShowAllExtensions", " 1 \n");
    fake.answer("com.apple.finder/AppleShowAllFiles", "0\n");
    fake.answer("com.apple.finder/_FXShowPosixPathInTitle", "1\n"); // printed, but the read fails
    fake.exitStatus("com.apple.finder/_FXShowPosixPathInTitle", 1);
    fake.answer("com.apple.screencapture/disable-shadow", "yes\xff\n"); // not UTF-8
    fake.answer("com.apple.screencapture/type", "JPEG\n");
    TweaksEngine engine(fake.helpers());
    engine.refresh();

    EXPECT_EQ(fake.defaultsCalls(), refreshReads);
    const std::map<QString, bool> expected = {
        {"usb-dsstore", true},  {"network-dsstore", true}, {"show-extensions", true},
        {"show-hidden", false}, {"path-in-title", false},  {"no-shadow", false},
    };
    EXPECT_EQ(engine.states(), expected);
    EXPECT_TRUE(engine.screenshotIsJPG());
    EXPECT_EQ(engine.screenshotLocation(), QDir::homePath() + "/Desktop");

    // Values changed outside show on the next refresh.
    fake.answer("com.apple.screencapture/type", "png");
    fake.answer("com.apple.screencapture/location", "  /srv/shots \n");
    fake.answer("com.apple.finder/AppleShowAllFiles", "true");
    engine.refresh();
    EXPECT_FALSE(engine.screenshotIsJPG());
    EXPECT_EQ(engine.screenshotLocation(), "/srv/shots");
    EXPECT_TRUE(engine.state("show-hidden"));

    // A folder whose bytes are not UTF-8 is no value, not a name with replacement characters.
    fake.answer("com.apple.screencapture/location", "/srv/\xc0\xaf-shots\n");
    engine.refresh();
    EXPECT_EQ(engine.screenshotLocation(), QDir::homePath() + "/Desktop");
}

TEST(TweaksEngine, AMissingOrSilentHelperReadsAsNoValue)
{
    FakeHelpers fake;
    TweaksEngine missing({q(fake.dir / "no-such-program"), q(fake.dir / "no-such-killall"), 5000});
    missing.refresh();
    for (const auto &[id, on] : missing.states())
        EXPECT_FALSE(on) << id.toStdString();
    EXPECT_EQ(missing.states().size(), 6u);
    EXPECT_FALSE(missing.screenshotIsJPG());
    EXPECT_EQ(missing.screenshotLocation(), QDir::homePath() + "/Desktop");

    // A helper that never answers counts as no value, and the rest of the refresh still runs.
    fake.answer("com.apple.finder/AppleShowAllFiles", "1\n");
    fake.hang("com.apple.finder/AppleShowAllFiles");
    fake.answer("com.apple.screencapture/type", "jpg\n");
    TweaksEngine slow(fake.helpers(2000));
    slow.refresh();
    EXPECT_FALSE(slow.state("show-hidden"));
    EXPECT_TRUE(slow.screenshotIsJPG());
    EXPECT_EQ(fake.defaultsCalls(), refreshReads);
}

TEST(TweaksEngine, EachSwitchWritesItsPreferenceAndRestartsItsTarget)
{
    FakeHelpers fake;
    TweaksEngine engine(fake.helpers());
    QStringList expectedWrites;
    QStringList expectedRestarts;
    for (const auto &section : TweaksEngine::sections()) {
        for (const auto &t : section.tweaks) {
            for (bool on : {true, false}) {
                engine.setTweak(t, on);
                EXPECT_EQ(engine.state(t.id), on);
                expectedWrites << QStringList{"write", t.domain, t.key, "-bool", on ? "true" : "false"}.join(
                    '\t');
                if (t.restart)
                    expectedRestarts << TweaksEngine::toString(*t.restart);
                EXPECT_EQ(fake.killallCallsOnceThere(expectedRestarts.size()).size(),
                          expectedRestarts.size());
            }
        }
    }
    engine.setScreenshotJPG(true);
    engine.setScreenshotJPG(false);
    engine.setScreenshotLocation("/home/x/My Shots");
    expectedWrites << "write\tcom.apple.screencapture\ttype\tjpg"
                   << "write\tcom.apple.screencapture\ttype\tpng"
                   << "write\tcom.apple.screencapture\tlocation\t/home/x/My Shots";
    expectedRestarts << "SystemUIServer"
                     << "SystemUIServer"
                     << "SystemUIServer";
    EXPECT_EQ(engine.screenshotLocation(), "/home/x/My Shots");
    EXPECT_FALSE(engine.screenshotIsJPG());
    EXPECT_EQ(fake.defaultsCalls(), expectedWrites);
    QStringList restarts = fake.killallCallsOnceThere(expectedRestarts.size());
    // Restarts run unwaited for, so two of them may log in either order.
    restarts.sort();
    expectedRestarts.sort();
    EXPECT_EQ(restarts, expectedRestarts);
    EXPECT_EQ(QStringList({"Finder", "Finder", "Finder", "Finder", "Finder", "Finder"}),
              restarts.filter("Finder"));
}

TEST(TweaksEngine, AFailedWriteShowsTheStoredValueAndRestartsNothing)
{
    FakeHelpers fake;
    fake.answer("com.apple.finder/AppleShowAllFiles", "0\n");
    fake.answer("com.apple.screencapture/location", "/old/place\n");
    fake.failWrites();
    TweaksEngine engine(fake.helpers());
    engine.setTweak(tweak("show-hidden"), true);
    engine.setScreenshotJPG(true);
    engine.setScreenshotLocation("/new/place");
    EXPECT_FALSE(engine.state("show-hidden"));
    EXPECT_FALSE(engine.screenshotIsJPG());
    EXPECT_EQ(engine.screenshotLocation(), "/old/place");
    EXPECT_EQ(fake.defaultsCalls(),
              QStringList({"write\tcom.apple.finder\tAppleShowAllFiles\t-bool\ttrue",
                           "read\tcom.apple.finder\tAppleShowAllFiles",
                           "write\tcom.apple.screencapture\ttype\tjpg", "read\tcom.apple.screencapture\ttype",
                           "write\tcom.apple.screencapture\tlocation\t/new/place",
                           "read\tcom.apple.screencapture\tlocation"}));

    // A helper that cannot start fails the same way.
    TweaksEngine missing({q(fake.dir / "gone"), q(fake.dir / "killall"), 5000});
    missing.setTweak(tweak("path-in-title"), true);
    EXPECT_FALSE(missing.state("path-in-title"));

    engine.setTweak(tweak("usb-dsstore"), true);
    EXPECT_TRUE(fake.killallCallsSettled().isEmpty());
}

TEST(TweaksEngine, DefaultHelpersAreTheProjectsStandInsBesideTheProgram)
{
    const TweaksEngine::Helpers helpers = TweaksEngine::defaultHelpers();
    EXPECT_EQ(helpers.defaultsProgram, QCoreApplication::applicationDirPath() + "/quillfern-defaults");
    EXPECT_EQ(helpers.killallProgram, QCoreApplication::applicationDirPath() + "/quillfern-killall");
    EXPECT_EQ(helpers.timeoutMilliseconds, 5000);
}

TEST(TweaksEngine, TheTableKeepsItsOrderAndTexts)
{
    QStringList ids;
    for (const auto &section : TweaksEngine::sections()) {
        ids << section.id + ":";
        for (const auto &t : section.tweaks)
            ids << t.id;
    }
    EXPECT_EQ(ids, QStringList({"prevention:", "usb-dsstore", "network-dsstore", "finder:", "show-extensions",
                                "show-hidden", "path-in-title", "screenshot:", "no-shadow"}));
    EXPECT_EQ(TweaksEngine::sections()[1].title, "Finder");
    EXPECT_EQ(tweak("show-extensions").caption, "\"보고서\"가 아니라 \"보고서.hwp\"로 보입니다");
    EXPECT_FALSE(tweak("usb-dsstore").restart);
    EXPECT_EQ(tweak("no-shadow").restart, TweaksEngine::RestartTarget::systemUIServer);
}

// The project's own stand-ins, as the program runs them.
TEST(TweaksStandIns, TheDefaultsStandInStoresPerDomainAndTheEngineReadsItBack)
{
    const QString defaults = QStringLiteral(QF_DEFAULTS_STANDIN);
    auto run = [&](const QStringList &args) { return TestSupport::run(defaults, args); };
    EXPECT_EQ(run({"read", "com.apple.finder", "AppleShowAllFiles"}).exitCode, 1);
    EXPECT_EQ(run({"write", "com.apple.finder", "AppleShowAllFiles", "-bool", "true"}).exitCode, 0);
    EXPECT_EQ(run({"read", "com.apple.finder", "AppleShowAllFiles"}).out, "1\n");
    EXPECT_EQ(run({"write", "com.apple.finder", "AppleShowAllFiles", "-bool", "FALSE"}).exitCode, 0);
    EXPECT_EQ(run({"read", "com.apple.finder", "AppleShowAllFiles"}).out, "0\n");
    EXPECT_EQ(run({"write", "com.apple.screencapture", "location", "-dash/폴더 이름"}).exitCode, 0);
    EXPECT_EQ(run({"read", "com.apple.screencapture", "location"}).out, "-dash/폴더 이름\n");
    EXPECT_NE(run({"write", "com.apple.finder", "AppleShowAllFiles", "-bool", "maybe"}).exitCode, 0);
    EXPECT_NE(run({"write", "../escape", "k", "v"}).exitCode, 0);
    EXPECT_NE(run({"read", "com.apple.finder"}).exitCode, 0);
    const auto store = std::filesystem::path(qgetenv("XDG_CONFIG_HOME").toStdString()) / "Quillfern/defaults";
    EXPECT_TRUE(std::filesystem::exists(store / "com.apple.finder.json"));
    EXPECT_TRUE(std::filesystem::exists(store / "com.apple.screencapture.json"));
    EXPECT_FALSE(std::filesystem::exists(store.parent_path() / "escape.json"));

    TweaksEngine engine({defaults, QStringLiteral(QF_KILLALL_STANDIN), 5000});
    engine.setTweak(tweak("show-hidden"), true);
    engine.setScreenshotJPG(true);
    TweaksEngine fresh({defaults, QStringLiteral(QF_KILLALL_STANDIN), 5000});
    fresh.refresh();
    EXPECT_TRUE(fresh.state("show-hidden"));
    EXPECT_FALSE(fresh.state("path-in-title"));
    EXPECT_TRUE(fresh.screenshotIsJPG());
    EXPECT_EQ(fresh.screenshotLocation(), "-dash/폴더 이름");
    EXPECT_EQ(TestSupport::run(QStringLiteral(QF_KILLALL_STANDIN), {"Finder"}).exitCode, 0);
}

class TweaksPage : public testing::Test {
protected:
    std::unique_ptr<TweaksView> makeView()
    {
        auto view = std::make_unique<TweaksView>(std::make_unique<TweaksEngine>(fake.helpers()));
        view->resize(600, 900);
        return view;
    }
    FakeHelpers fake;
};

TEST_F(TweaksPage, RefreshesEachTimeItIsShownAndFollowsItsSwitches)
{
    fake.answer("com.apple.finder/AppleShowAllFiles", "1\n");
    auto view = makeView();
    auto *showHidden = view->findChild<ToggleSwitch *>("tweak-show-hidden");
    ASSERT_NE(showHidden, nullptr);
    EXPECT_FALSE(showHidden->isChecked()); // nothing read before the page shows
    EXPECT_TRUE(fake.defaultsCalls().isEmpty());

    view->show();
    EXPECT_EQ(fake.defaultsCalls(), refreshReads);
    EXPECT_TRUE(showHidden->isChecked());

    view->hide();
    fake.answer("com.apple.finder/AppleShowAllFiles", "0\n");
    fake.clearLogs();
    view->show();
    EXPECT_EQ(fake.defaultsCalls(), refreshReads);
    EXPECT_FALSE(showHidden->isChecked());

    auto *pathInTitle = view->findChild<ToggleSwitch *>("tweak-path-in-title");
    pathInTitle->click();
    EXPECT_TRUE(pathInTitle->isChecked());
    EXPECT_EQ(fake.killallCallsOnceThere(1), QStringList({"Finder"}));

    // A failed write snaps the switch back to what is stored.
    fake.failWrites();
    showHidden->click();
    EXPECT_FALSE(showHidden->isChecked());
    view->findChild<ToggleSwitch *>("screenshot-jpg")->click();
    EXPECT_FALSE(view->findChild<ToggleSwitch *>("screenshot-jpg")->isChecked());
}

TEST_F(TweaksPage, TheFolderRowShowsTheChosenFolderAndCancellingChangesNothing)
{
    auto view = makeView();
    view->show();
    const QString longPath = "/home/someone/" + QString(40, 'a') + "/" + QString(40, 'b') + "/스크린샷 끝";
    std::optional<QString> answer = longPath;
    int asked = 0;
    view->setFolderChooser([&](QWidget *) {
        ++asked;
        return answer;
    });
    fake.clearLogs();
    auto *location = view->findChild<QLabel *>("screenshot-location");
    view->findChild<QPushButton *>("screenshot-change")->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(view->engine().screenshotLocation(), longPath);
    EXPECT_EQ(location->toolTip(), longPath);
    EXPECT_TRUE(location->text().contains(QChar(0x2026))) << location->text().toStdString();
    EXPECT_TRUE(location->text().startsWith("/home")) << location->text().toStdString();
    EXPECT_TRUE(location->text().endsWith("끝")) << location->text().toStdString();
    EXPECT_EQ(fake.killallCallsOnceThere(1), QStringList({"SystemUIServer"}));
    saveShot(*view, "tweaks");

    answer.reset();
    fake.clearLogs();
    view->findChild<QPushButton *>("screenshot-change")->click();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(view->engine().screenshotLocation(), longPath);
    EXPECT_TRUE(fake.defaultsCalls().isEmpty());
    EXPECT_TRUE(fake.killallCallsSettled().isEmpty());
}

TEST_F(TweaksPage, OnlyTheScreenshotSectionHasExtraRows)
{
    auto view = makeView();
    const std::map<QString, std::pair<int, int>> expected = {{"section-prevention", {2, 0}},
                                                             {"section-finder", {3, 0}},
                                                             {"section-screenshot", {2, 1}},
                                                             {"section-info", {0, 0}}};
    for (const auto &[name, counts] : expected) {
        auto *group = view->findChild<QGroupBox *>(name);
        ASSERT_NE(group, nullptr) << name.toStdString();
        EXPECT_EQ(group->findChildren<ToggleSwitch *>().size(), counts.first) << name.toStdString();
        EXPECT_EQ(group->findChildren<QPushButton *>().size(), counts.second) << name.toStdString();
    }
    EXPECT_EQ(view->findChild<QGroupBox *>("section-finder")->title(), "Finder");
}

} // namespace
