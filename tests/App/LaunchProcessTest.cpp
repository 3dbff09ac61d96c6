// The built program, started as separate processes with a private runtime folder: the second
// launch hands over to the first (whatever the first is busy with), and the screenshot hooks
// write their pictures.
#include "App/AppDelegate.h"
#include "App/AppLaunch.h"
#include "App/LaunchRequest.h"
#include "Core/FilePath.h"
#include "Core/Router.h"
#include "Core/Scheduler.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Platform/LaunchFrame.h"
#include "Platform/SingleInstance.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <future>
#include <unistd.h>

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
    QProcessEnvironment &environment() { return env_; }
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

// This process as the running instance, with the program's own hand-over, one tab's session
// and its checkup; no window opens here. Undone when it goes.
struct InstanceHere {
    ManualScheduler clock;
    QUuid session = QUuid::createUuid();
    AppDelegate delegate;
    SingleInstance instance;
    SingleInstance::Listening listening;

    explicit InstanceHere(const QString &socket) : instance(socket)
    {
        Scheduler::install(&clock);
        Router::shared().resetForTesting();
        SendCheckupEngine::attachToRouter();
        Router::shared().registerSession(session);
        SendCheckupEngine::session(session);
        listening = AppLaunch::serve(instance, delegate);
    }
    ~InstanceHere()
    {
        instance.close();
        SendCheckupEngine::discard(session);
        Router::shared().resetForTesting();
        Scheduler::install(nullptr);
    }
    SendCheckupEngine &engine() const { return SendCheckupEngine::session(session); }
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

TEST(LaunchProcess, LaunchReachingABusyInstanceIsTakenOnceAndStartsNothing)
{
    TempDir home;
    const auto photos = home.folder("files/photos");
    Program program(home);
    InstanceHere here(program.socket());
    ASSERT_EQ(here.listening, SingleInstance::Listening::started);
    SendCheckupEngine &engine = here.engine();

    QProcess launch;
    launch.setProcessEnvironment(program.environment());
    launch.start(QStringLiteral(QUILLFERN_BINARY), {q(photos)});
    // The main thread stays blocked, running no events, for as long as the launch lasts (15 s
    // at most): a launch that waited for it, sent twice or started an instance would outlast it.
    const bool ended = launch.waitForFinished(15000);
    EXPECT_TRUE(ended);
    if (!ended) {
        launch.kill();
        launch.waitForFinished(5000);
    }
    EXPECT_EQ(launch.exitCode(), 0) << launch.readAllStandardError().toStdString();
    EXPECT_TRUE(engine.roots().empty()) << "the work waits for the main thread";

    QCoreApplication::processEvents();
    EXPECT_EQ(engine.roots(), PathList{FilePath::realPathOrSame(photos)});
    EXPECT_TRUE(engine.pendingArrival().empty()) << "the folder arrived a second time";
}

TEST(LaunchProcess, LaunchLeftWithoutAnAnswerEndsWithoutSendingAgainOrStarting)
{
    TempDir home;
    const auto photos = home.folder("files/photos");
    Program program(home);
    // Something listens on the socket, reads each request and hangs up without answering.
    QLocalServer mute;
    ASSERT_TRUE(mute.listen(program.socket()));
    int requests = 0;
    QObject::connect(&mute, &QLocalServer::newConnection, [&] {
        QLocalSocket *client = mute.nextPendingConnection();
        QObject::connect(client, &QLocalSocket::readyRead, client, [&requests, client] {
            LaunchFrame::Reader reader;
            const QByteArray bytes = client->readAll();
            if (reader.feed(bytes.constData(), std::size_t(bytes.size())) ==
                LaunchFrame::Reader::State::complete)
                ++requests;
            client->disconnectFromServer();
        });
    });

    QProcess launch;
    launch.setProcessEnvironment(program.environment());
    launch.start(QStringLiteral(QUILLFERN_BINARY), {q(photos)});
    EXPECT_TRUE(QTest::qWaitFor([&] { return launch.state() == QProcess::NotRunning; }, 15000))
        << "the launch started an instance of its own";
    if (launch.state() != QProcess::NotRunning) {
        launch.kill();
        launch.waitForFinished(5000);
    }
    EXPECT_EQ(launch.exitCode(), 1);
    EXPECT_NE(launch.readAllStandardError().indexOf("did not answer"), -1);
    EXPECT_EQ(requests, 1);
}

TEST(LaunchProcess, IdleAndTricklingClientsDoNotHoldUpALaunch)
{
    TempDir home;
    const auto photos = home.folder("files/photos");
    Program program(home);
    ASSERT_TRUE(program.startPrimary({}));

    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 10; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(program.socket());
        ASSERT_TRUE(idle.back()->waitForConnected(2000));
    }
    QLocalSocket trickling;
    trickling.connectToServer(program.socket());
    ASSERT_TRUE(trickling.waitForConnected(2000));
    const QByteArray frame = LaunchFrame::encode(LaunchRequest().toJson());
    qsizetype sent = 0;
    QTimer drip;
    QObject::connect(&drip, &QTimer::timeout, [&] {
        if (sent < frame.size()) {
            trickling.write(frame.mid(sent++, 1));
            trickling.flush();
        }
    });
    drip.start(200);

    // A real request (a login launch, which changes nothing), sent from another thread while
    // this one keeps the trickle going.
    LaunchRequest login;
    login.loginItem = true;
    auto answer = std::async(std::launch::async, [&] {
        QElapsedTimer clock;
        clock.start();
        auto delivery = SingleInstance::send(program.socket(), login.toJson());
        return std::pair(delivery, clock.elapsed());
    });
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    const auto [delivery, elapsed] = answer.get();
    ASSERT_EQ(delivery.outcome, SingleInstance::Delivery::Outcome::answered);
    EXPECT_TRUE(delivery.answer.value(QStringLiteral("ok")).toBool());
    EXPECT_LT(elapsed, 1000);
    // Answered while the others still hang on, not after they were given up.
    for (const auto &client : idle)
        EXPECT_EQ(client->state(), QLocalSocket::ConnectedState);
    EXPECT_LT(sent, frame.size());

    // And a launch of the program itself.
    const auto launched = program.launch({q(photos)});
    EXPECT_EQ(launched.exitCode, 0) << launched.err;
}

namespace {

// A launch refuses the socket's folder, says so, and the program runs on its own (a screenshot
// hook shows it ran); nothing is put where others could listen.
void expectRunsAloneRefusing(Program &program, const TempDir &home, const std::filesystem::path &hostile)
{
    const auto about = home.folder("about");
    const auto run = program.launch(
        {QStringLiteral("--about-shots"), q(about), QStringLiteral("--about-frames"), QStringLiteral("1")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("not using the folder " + hostile.native()), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(hostile)) << "nothing listens where others could";
    EXPECT_TRUE(std::filesystem::exists(about / "f00.png"));
}

} // namespace

TEST(LaunchProcess, FallbackFolderOpenToOthersIsRefusedAndTheProgramRunsOnItsOwn)
{
    TempDir home;
    Program program(home);
    program.environment().remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const auto hostile = home / "tmp" / ("quillfern-" + std::to_string(::getuid()));
    std::filesystem::create_directory(hostile);
    std::filesystem::permissions(hostile, std::filesystem::perms::all);

    expectRunsAloneRefusing(program, home, hostile);
}

TEST(LaunchProcess, RuntimeFolderOthersMayUseIsRefusedAndTheProgramRunsOnItsOwn)
{
    TempDir home;
    Program program(home);
    // As in a container whose XDG_RUNTIME_DIR is /tmp: anyone could listen in the socket's place.
    const auto shared = home.folder("shared-runtime");
    std::filesystem::permissions(shared, std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
    program.environment().insert(QStringLiteral("XDG_RUNTIME_DIR"), q(shared));

    expectRunsAloneRefusing(program, home, shared);
}

TEST(LaunchProcess, RelativePathOfAUrlIsTakenInTheLaunchsFolderNotTheInstances)
{
    TempDir home;
    const auto wanted = home.folder("in/rel2");
    home.folder("instance/rel2"); // the same name where the instance runs: never the one meant
    Program program(home);
    InstanceHere here(program.socket());
    ASSERT_EQ(here.listening, SingleInstance::Listening::started);
    const auto savedFolder = std::filesystem::current_path();
    std::filesystem::current_path(home / "instance");

    const auto launched = program.launch({QStringLiteral("quillfern://open?p=rel2")}, home / "in");
    EXPECT_EQ(launched.exitCode, 0) << launched.err;
    QCoreApplication::processEvents();
    EXPECT_EQ(here.engine().roots(), PathList{FilePath::realPathOrSame(wanted)});
    std::filesystem::current_path(savedFolder);
}
