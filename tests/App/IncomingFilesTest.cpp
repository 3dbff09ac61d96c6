#include "App/AppDelegate.h"
#include "App/BrindlowApp.h"
#include "App/ContentView.h"
#include "App/HostWindow.h"
#include "App/LaunchRequest.h"
#include "App/LoginItem.h"
#include "App/ServiceProvider.h"
#include "App/WindowActivation.h"
#include "App/X11Desktop.h"
#include "Core/AppInfo.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Core/Router.h"
#include "Core/Scheduler.h"
#include "Core/Settings.h"
#include "Core/TabOpener.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Platform/Autostart.h"
#include "Platform/TrayWatcher.h"
#include "support/PrivateBus.h"
#include "support/StandInTrayWatcher.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using TestSupport::TempDir;

namespace {

bool eventually(const std::function<bool()> &condition)
{
    return QTest::qWaitFor(condition, 3000);
}

class IncomingFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        Router::shared().resetForTesting();
        Scheduler::install(&clock);
    }
    void TearDown() override
    {
        for (HostWindow *host : HostWindow::hosts())
            host->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Scheduler::install(nullptr);
        TabOpener::shared().setOpenTab({});
        Router::shared().resetForTesting();
    }

    static std::string quillfernUrl(const std::vector<std::filesystem::path> &paths)
    {
        std::string url = "quillfern://x?";
        for (const auto &p : paths)
            url += (url.back() == '?' ? "p=" : "&p=") + FilePath::toFileUrl(p).substr(7);
        return url;
    }

    ManualScheduler clock;
    AppDelegate delegate;
};

} // namespace

TEST_F(IncomingFiles, SchemeUrlFillsTheReceivingTabAndBringsItsWindowForward)
{
    TempDir dir;
    const auto a = dir.file("a.txt", "a");
    const auto b = dir.folder("b");
    ContentView *first = HostWindow::openMainWindow();
    ContentView *second = HostWindow::openMainWindow();
    auto *firstHost = qobject_cast<HostWindow *>(first->window());
    firstHost->moveTabToNewWindow(firstHost->tabs()->indexOf(second));
    auto *secondHost = qobject_cast<HostWindow *>(second->window());
    ASSERT_NE(firstHost, secondHost);
    secondHost->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(secondHost));
    ASSERT_TRUE(eventually([&] { return Router::shared().activeSession() == second->session(); }));
    firstHost->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(firstHost));
    secondHost->activateWindow(); // the second tab's window is key again
    ASSERT_TRUE(QTest::qWaitForWindowActive(secondHost));

    delegate.open({quillfernUrl({a, b})});
    const auto &roots = SendCheckupEngine::session(second->session()).roots();
    EXPECT_EQ(roots.size(), 2u);
    EXPECT_TRUE(SendCheckupEngine::session(first->session()).roots().empty());
    // The window of the tab that received them is the one brought forward, not the first one.
    EXPECT_TRUE(secondHost->isActiveWindow());
    EXPECT_EQ(secondHost->currentContent(), second);
    EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(IncomingFiles, UrlsWithoutExistingFilesChangeNothingAndOpenNoWindow)
{
    TempDir dir;
    delegate.open({quillfernUrl({dir / "missing"}), "https://example.com/x", "quillfern://x"});
    EXPECT_TRUE(HostWindow::hosts().isEmpty());
    EXPECT_TRUE(Router::shared().unassignedArrival().empty());
    EXPECT_EQ(clock.pendingCount(), 0u); // no delayed window either
}

TEST_F(IncomingFiles, FilesWithNoWindowWaitAndOpenATabAfterTheDelay)
{
    TempDir dir;
    const auto a = dir.file("a.txt");
    TabOpener::shared().setOpenTab([](const QUuid &s) { HostWindow::openMainWindow(s); });
    delegate.open({FilePath::toFileUrl(a)});
    EXPECT_TRUE(HostWindow::hosts().isEmpty());
    clock.advance(400);
    ASSERT_EQ(HostWindow::hosts().size(), 1);
    ContentView *content = HostWindow::hosts().first()->currentContent();
    EXPECT_EQ(SendCheckupEngine::session(content->session()).roots(), PathList{a});
}

TEST_F(IncomingFiles, ServicePasteboardTakesLocalFileUrlsThenTheLegacyList)
{
    TempDir dir;
    // A name that is not UTF-8 travels percent-encoded and comes back byte for byte.
    const std::filesystem::path odd = dir / std::string("\xbc\xad.txt");
    const std::string raw = "/no/such/legacy\xff";
    const struct {
        std::map<QString, QByteArray> board;
        PathList expected;
    } cases[] = {
        {{{Pasteboard::urlList, QByteArray("https://example.com/\r\n# comment\r\n") +
                                    QByteArray::fromStdString(FilePath::toFileUrl(odd)) +
                                    "\r\nfile:///tmp\r\n"}},
         {odd, "/tmp"}},
        // Only a web address: the legacy list is used.
        {{{Pasteboard::urlList, "https://example.com/\r\n"},
          {Pasteboard::fileNames, QByteArray::fromStdString(raw) + '\0' + "/b" + '\0'}},
         {raw, "/b"}},
        {{{Pasteboard::text, "just words"}}, {}},
        {{{Pasteboard::fileNames, "/unterminated"}}, {}},
    };
    for (const auto &c : cases) {
        QMimeData pasteboard;
        for (const auto &[type, bytes] : c.board)
            pasteboard.setData(type, bytes);
        EXPECT_EQ(ServiceProvider::files(pasteboard), c.expected);
    }
}

TEST_F(IncomingFiles, ServiceRequestWithOnlyTextAnswersTheErrorAndChangesNothing)
{
    QMimeData pasteboard;
    pasteboard.setText(QStringLiteral("hello"));
    QString error;
    delegate.serviceProvider().sendToQuillfern(pasteboard, QString(), &error);
    EXPECT_EQ(error, L("보낼 파일을 찾지 못했습니다"));
    EXPECT_TRUE(Router::shared().unassignedArrival().empty());

    LaunchRequest request;
    request.kind = LaunchRequest::Kind::service;
    request.pasteboard[Pasteboard::fileNames] = QByteArray("/legacy/a") + '\0';
    const QJsonObject answer = delegate.handle(request.toJson());
    EXPECT_TRUE(answer.value("ok").toBool());
    // Handed on as read, without a test for existence; no tab yet, so they wait.
    EXPECT_EQ(Router::shared().unassignedArrival(), PathList{"/legacy/a"});
}

TEST_F(IncomingFiles, LaunchArgumentsBecomeARequestThatSurvivesTheSocket)
{
    TempDir dir;
    const auto here = dir.folder("work");
    const auto file = dir.file("work/x y.txt");
    const std::vector<std::string> args{"quillfern",
                                        "--manual-shots",
                                        "x y.txt",
                                        "--login-item",
                                        "x y.txt",
                                        "missing.txt",
                                        "quillfern://x?p=/tmp",
                                        FilePath::toFileUrl(dir / "gone"),
                                        FilePath::toFileUrl(file),
                                        "--shot-size",
                                        "1x2"};
    LaunchRequest request = LaunchRequest::parse(args, here);
    EXPECT_TRUE(request.screenshotHook);
    EXPECT_TRUE(request.loginItem);
    EXPECT_EQ(request.kind, LaunchRequest::Kind::open);
    // The hook's folder is no file; missing files are left out; other URLs are kept as they are.
    EXPECT_EQ(request.urls, (std::vector<std::string>{FilePath::toFileUrl(file), "quillfern://x?p=/tmp",
                                                      FilePath::toFileUrl(file)}));

    const LaunchRequest back = LaunchRequest::fromJson(request.toJson());
    EXPECT_EQ(back.urls, request.urls);
    EXPECT_TRUE(back.loginItem);

    // An option of a hook alone starts none (its value is still no file).
    const LaunchRequest option = LaunchRequest::parse({"quillfern", "--about-frames", "x y.txt"}, here);
    EXPECT_FALSE(option.screenshotHook);
    EXPECT_TRUE(option.urls.empty());

    const LaunchRequest service = LaunchRequest::parse({"quillfern", "--service-files", "x y.txt"}, here);
    EXPECT_EQ(service.kind, LaunchRequest::Kind::service);
    EXPECT_EQ(LaunchRequest::fromJson(service.toJson()).pasteboard.at(Pasteboard::fileNames),
              QByteArray::fromStdString(file.native()) + '\0');
}

TEST_F(IncomingFiles, LoginLaunchClosesOnlyTheMainWindowsAndOnlyWhenATrayRemains)
{
    for (const bool tray : {true, false}) {
        SCOPED_TRACE(tray);
        // On an X11 panel Qt's tray icon is a visible top-level widget of its own.
        QWidget trayWidget;
        trayWidget.show();
        BrindlowApp application;
        application.start(true, tray);
        ASSERT_EQ(HostWindow::hosts().size(), 1);
        EXPECT_TRUE(HostWindow::hosts().first()->isVisible()); // not before the current step ends
        clock.advance(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(!HostWindow::hosts().isEmpty() && HostWindow::hosts().first()->isVisible(), !tray);
        EXPECT_TRUE(trayWidget.isVisible());
        if (tray) {
            EXPECT_TRUE(application.trayIcon()->isVisible());
        }
        for (HostWindow *host : HostWindow::hosts())
            host->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QApplication::setQuitOnLastWindowClosed(true);
}

namespace {

// A login item that records calls and can fail; it notes whether the setting was already stored.
class FakeLoginService : public LoginItem::Service {
public:
    int registrations = 0;
    bool fail = false;
    bool settingStoredFirst = false;
    void registerApp() override
    {
        ++registrations;
        settingStoredFirst = Settings::open()->value(LoginItem::didAutoRegisterKey).toBool();
        if (fail)
            throw Autostart::Error(QStringLiteral("refused"));
    }
    void unregisterApp() override {}
    bool isEnabled() const override { return registrations > 0 && !fail; }
};

} // namespace

TEST(LoginItem, RegistersOnceAndOnlyFromTheInstalledFolder)
{
    // The real autostart entry, in the test's private config folder.
    const QString bin = QStringLiteral("/opt/qf-test/bin");
    LoginItem::registerOnFirstProperLaunch(QStringLiteral("/work/build/src/quillfern"), bin);
    LoginItem::registerOnFirstProperLaunch(QStringLiteral("/opt/qf-test/binary/quillfern"), bin);
    EXPECT_FALSE(Settings::open()->contains(LoginItem::didAutoRegisterKey)); // tried again later
    EXPECT_FALSE(Autostart::isRegistered());

    LoginItem::registerOnFirstProperLaunch(bin + QStringLiteral("/quillfern"), bin);
    EXPECT_TRUE(Settings::open()->value(LoginItem::didAutoRegisterKey).toBool());
    ASSERT_TRUE(Autostart::isRegistered());
    QFile entry(Autostart::entryPath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains(Autostart::loginFlag));

    // The user turned it off: a later launch does not turn it back on.
    LoginItem::setEnabled(false);
    LoginItem::registerOnFirstProperLaunch(bin + QStringLiteral("/quillfern"), bin);
    EXPECT_FALSE(Autostart::isRegistered());
    Settings::open()->remove(LoginItem::didAutoRegisterKey);
}

TEST(LoginItem, FailedFirstRegistrationIsNotRetried)
{
    FakeLoginService fake;
    fake.fail = true;
    LoginItem::install(&fake);
    const QString bin = QStringLiteral("/usr/local/bin");
    LoginItem::registerOnFirstProperLaunch(bin + QStringLiteral("/quillfern"), bin);
    LoginItem::registerOnFirstProperLaunch(bin + QStringLiteral("/quillfern"), bin);
    EXPECT_EQ(fake.registrations, 1);
    EXPECT_TRUE(fake.settingStoredFirst);
    EXPECT_THROW(LoginItem::setEnabled(true), Autostart::Error);
    LoginItem::install(nullptr);
    Settings::open()->remove(LoginItem::didAutoRegisterKey);
}

#include "App/DebugSnapshot.h"

TEST(ScreenshotHooks, OptionsAreReadFromTheCommandLine)
{
    const auto withArgs = [](std::vector<std::string> tail) {
        tail.insert(tail.begin(), "quillfern");
        DebugSnapshot::setArguments(tail);
    };
    withArgs({"--manual-shots"});
    EXPECT_EQ(DebugSnapshot::outputDirectory("--manual-shots"), DebugSnapshot::directory());
    EXPECT_TRUE(DebugSnapshot::directory().endsWith(QStringLiteral("/quillfern-debug")));
    EXPECT_EQ(DebugSnapshot::outputDirectory("--about-shots"), std::nullopt);
    withArgs({"--uitest-shots", "--shot-size", "--uitest-shots", "other"});
    EXPECT_EQ(DebugSnapshot::outputDirectory("--uitest-shots"),
              QStringLiteral("--shot-size")); // first one counts

    const struct {
        const char *value;
        std::optional<QSizeF> size;
    } sizes[] = {{"1200X800", QSizeF(1200, 800)},
                 {"1200", std::nullopt},
                 {"word", std::nullopt},
                 {"x640x480x", QSizeF(640, 480)},
                 {"1x2x3", std::nullopt}};
    for (const auto &s : sizes) {
        withArgs({"--shot-size", s.value});
        EXPECT_EQ(DebugSnapshot::shotSize(), s.size) << s.value;
    }
    const struct {
        std::vector<std::string> args;
        int frames;
    } counts[] = {{{"--about-frames", "0"}, 1},     {{"--about-frames", "1000"}, 400},
                  {{"--about-frames", "word"}, 48}, {{"--about-frames", "+7"}, 7},
                  {{"--about-frames", "-3"}, 1},    {{"--about-frames", "99999999999999999999"}, 48},
                  {{"--about-frames"}, 48},         {{"--about-frames", ""}, 48}};
    for (const auto &c : counts) {
        withArgs(c.args);
        EXPECT_EQ(DebugSnapshot::aboutShotsFrameCount(), c.frames) << c.args.back();
    }
    DebugSnapshot::setArguments({"test"});
}

TEST_F(IncomingFiles, UITestWaitForFilesEndsWithItsTab)
{
    TempDir dir;
    DebugSnapshot::setArguments({"quillfern", "--uitest-shots", dir.path().native()});
    ContentView *content = HostWindow::openMainWindow();
    QPointer<QTimer> poll = content->findChild<QTimer *>(QStringLiteral("uiTestPoll"));
    ASSERT_FALSE(poll.isNull());
    EXPECT_TRUE(poll->isActive());
    auto *host = qobject_cast<HostWindow *>(content->window());
    host->closeTab(host->tabs()->indexOf(content));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(poll.isNull()); // no loop left waiting for a tab that is gone
    DebugSnapshot::setArguments({"test"});
}

TEST_F(IncomingFiles, PlainLaunchWhileRunningReopensButALoginLaunchDoesNot)
{
    LaunchRequest login;
    login.loginItem = true;
    EXPECT_TRUE(delegate.handle(login.toJson()).value("ok").toBool());
    EXPECT_TRUE(HostWindow::hosts().isEmpty());
    EXPECT_TRUE(delegate.handle(LaunchRequest().toJson()).value("ok").toBool());
    ASSERT_EQ(HostWindow::hosts().size(), 1);
    EXPECT_TRUE(HostWindow::hosts().first()->isVisible());
}

namespace {

// Stands in for the desktop's window activation: records each window brought forward with the
// token it was given, and restores and activates it as the desktop would.
class StandInActivation : public WindowActivation {
public:
    struct Call {
        QWidget *window;
        Token token;
        bool wasMinimized;
    };
    std::vector<Call> calls;

    StandInActivation() { WindowActivation::install(this); }
    ~StandInActivation() override { WindowActivation::install(nullptr); }

    void activate(QWidget &window, const Token &token) override
    {
        calls.push_back({&window, token, window.isMinimized()});
        if (window.isMinimized())
            window.showNormal();
        window.show();
        window.raise();
        window.activateWindow();
    }
};

// Notes the state of a window at the moment the arrival question comes up.
class QuestionWatch : public QObject {
public:
    explicit QuestionWatch(QWidget *window, const StandInActivation &activation)
        : window_(window), activation_(activation)
    {
        qApp->installEventFilter(this);
    }
    ~QuestionWatch() override { qApp->removeEventFilter(this); }

    bool shown = false;
    bool windowMinimized = true;
    std::size_t activationsBefore = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("arrivalQuestion") &&
            !shown) {
            shown = true;
            windowMinimized = window_->isMinimized();
            activationsBefore = activation_.calls.size();
        }
        return false;
    }

private:
    QWidget *window_;
    const StandInActivation &activation_;
};

} // namespace

TEST_F(IncomingFiles, FilesForAMinimisedTabHoldingFilesBringItsWindowBackBeforeTheQuestion)
{
    TempDir dir;
    const auto a = dir.file("a.txt");
    const auto b = dir.file("b.txt");
    StandInActivation activation;
    ContentView *content = HostWindow::openMainWindow();
    auto *host = qobject_cast<HostWindow *>(content->window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host));
    delegate.open({FilePath::toFileUrl(a)});
    ASSERT_EQ(SendCheckupEngine::session(content->session()).roots(), PathList{a});
    host->showMinimized();
    ASSERT_TRUE(eventually([&] { return host->isMinimized(); }));

    // The later launch carried its desktop's tokens.
    QuestionWatch watch(host, activation);
    activation.calls.clear();
    LaunchRequest later;
    later.urls = {FilePath::toFileUrl(b)};
    later.activationToken = QStringLiteral("wayland-token-1");
    later.startupId = QStringLiteral("launcher-1-host_TIME4242");
    EXPECT_TRUE(delegate.handle(later.toJson()).value("ok").toBool());

    ASSERT_TRUE(eventually([&] { return watch.shown; }));
    EXPECT_FALSE(watch.windowMinimized) << "the question came up on a minimised window";
    ASSERT_GE(watch.activationsBefore, 1u);
    EXPECT_EQ(activation.calls.front().window, host);
    EXPECT_TRUE(activation.calls.front().wasMinimized);
    EXPECT_EQ(activation.calls.front().token,
              (WindowActivation::Token{QStringLiteral("wayland-token-1"),
                                       QStringLiteral("launcher-1-host_TIME4242")}));

    // Answering leaves the window where the user can see it.
    auto *question = content->findChild<QMessageBox *>(QStringLiteral("arrivalQuestion"));
    ASSERT_NE(question, nullptr);
    for (QAbstractButton *button : question->buttons())
        if (button->text() == L("취소"))
            button->click();
    EXPECT_FALSE(host->isMinimized());
    EXPECT_TRUE(host->isVisible());

    // A token is good for one activation: the next one goes without.
    delegate.open({FilePath::toFileUrl(a)});
    EXPECT_EQ(activation.calls.back().token, WindowActivation::Token{});

    // Nor is it kept for a window brought forward long after, for another reason: a request
    // that brought none leaves its token to expire.
    LaunchRequest nothing;
    nothing.urls = {"quillfern://open?p=" + FilePath::toFileUrl(dir / "missing").substr(7)};
    nothing.activationToken = QStringLiteral("wayland-token-2");
    const std::size_t before = activation.calls.size();
    delegate.handle(nothing.toJson());
    EXPECT_EQ(activation.calls.size(), before);
    QTest::qWait(3200);
    delegate.open({FilePath::toFileUrl(a)});
    EXPECT_EQ(activation.calls.back().token, WindowActivation::Token{});
}

TEST(LaunchRequest, ActivationTokensComeFromTheEnvironmentAndOnlyPlainOnesTravel)
{
    qputenv("XDG_ACTIVATION_TOKEN", "kwin-1234_abcd");
    qputenv("DESKTOP_STARTUP_ID", "nautilus/1-0-host_TIME77");
    LaunchRequest request;
    request.takeActivationFromEnvironment();
    EXPECT_EQ(request.activationToken, QStringLiteral("kwin-1234_abcd"));
    EXPECT_EQ(request.startupId, QStringLiteral("nautilus/1-0-host_TIME77"));
    const LaunchRequest back = LaunchRequest::fromJson(request.toJson());
    EXPECT_EQ(back.activationToken, request.activationToken);
    EXPECT_EQ(back.startupId, request.startupId);

    for (const QString &unsafe :
         {QStringLiteral("two words"), QStringLiteral("line\nbreak"), QStringLiteral("quo\"te"),
          QString(300, QLatin1Char('x')), QStringLiteral("토큰")}) {
        QJsonObject object = request.toJson();
        object[QStringLiteral("activationToken")] = unsafe;
        EXPECT_TRUE(LaunchRequest::fromJson(object).activationToken.isEmpty()) << unsafe.toStdString();
    }
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("DESKTOP_STARTUP_ID");
    request.takeActivationFromEnvironment();
    EXPECT_TRUE(request.activationToken.isEmpty());
    EXPECT_TRUE(request.startupId.isEmpty());
}

TEST(X11Desktop, StartupIdsGiveTheirTimeAndMessagesTravelInTwentyBytePieces)
{
    EXPECT_EQ(X11Desktop::timestampOf("kwin-1234-host_TIME4242"), 4242u);
    EXPECT_EQ(X11Desktop::timestampOf("a_TIME1_TIME99"), 99u);
    EXPECT_EQ(X11Desktop::timestampOf("no-time"), std::nullopt);
    EXPECT_EQ(X11Desktop::timestampOf("x_TIME99999999999"), std::nullopt);
    EXPECT_EQ(X11Desktop::timestampOf("x_TIMEsoon"), std::nullopt);

    const auto pieces = X11Desktop::messagePieces("remove: ID=launcher-1-host_TIME4242");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], QByteArray("remove: ID=launcher-"));
    EXPECT_EQ(pieces[1].size(), 20);
    EXPECT_EQ(pieces[1], QByteArray("1-host_TIME4242") + QByteArray(5, '\0'));
    // A text that fills its pieces still gets its closing NUL, in a piece of its own.
    const auto full = X11Desktop::messagePieces(QByteArray(20, 'a'));
    ASSERT_EQ(full.size(), 2u);
    EXPECT_EQ(full[1], QByteArray(20, '\0'));
}

TEST_F(IncomingFiles, TrayThatComesAfterTheProgramGetsItsIconAndTheLoginLaunchKeepsOnlyIt)
{
    ASSERT_TRUE(TestSupport::haveProgram(QStringLiteral("dbus-daemon")));
    TempDir dir;
    TestSupport::PrivateBus bus(dir);
    ASSERT_FALSE(bus.address().isEmpty());
    for (const bool login : {true, false}) {
        SCOPED_TRACE(login);
        QDBusConnection program = bus.connection(QStringLiteral("program"));
        QDBusConnection panel = bus.connection(QStringLiteral("panel"));
        ASSERT_TRUE(program.isConnected());
        {
            BrindlowApp application;
            application.start(login, std::make_unique<TrayWatcher>(program));
            clock.advance(0);
            // No tray yet: the window stays, and closing it would end the program.
            EXPECT_EQ(application.trayIcon(), nullptr);
            EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
            ASSERT_EQ(HostWindow::hosts().size(), 1);
            EXPECT_TRUE(HostWindow::hosts().first()->isVisible());

            // The panel starts a moment later.
            TestSupport::StandInTrayWatcher watcher(panel);
            ASSERT_TRUE(watcher.appear());
            watcher.hostRegisters();
            ASSERT_TRUE(QTest::qWaitFor([&] { return application.trayIcon() != nullptr; }, 20000));
            EXPECT_TRUE(application.trayIcon()->isVisible());
            EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            // A login launch keeps only the tray, as with a tray from the start; any other keeps
            // its window.
            EXPECT_EQ(!HostWindow::hosts().isEmpty() && HostWindow::hosts().first()->isVisible(), !login);
            for (HostWindow *host : HostWindow::hosts())
                host->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    QApplication::setQuitOnLastWindowClosed(true);
}
