#include "Platform/SingleInstance.h"
#include "Platform/LaunchFrame.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QLocalSocket>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using Outcome = SingleInstance::Delivery::Outcome;
using State = LaunchFrame::Reader::State;

namespace {

QString socketIn(const TestSupport::TempDir &dir)
{
    return QString::fromStdString((dir / "instance.socket").native());
}

QJsonObject okAnswer()
{
    return QJsonObject{{QStringLiteral("ok"), true}};
}

// Refuses requests that carry "refuse"; counts and keeps the work that reaches the main thread.
struct Recorder {
    std::vector<QJsonObject> handled;
    SingleInstance::Listening listen(SingleInstance &instance)
    {
        return instance.listen(
            [](const QJsonObject &request) {
                if (request.contains(QStringLiteral("refuse")))
                    return QJsonObject{
                        {QStringLiteral("ok"), false},
                        {QStringLiteral("error"), QStringLiteral("보낼 파일을 찾지 못했습니다")}};
                return okAnswer();
            },
            [this](const QJsonObject &request) { handled.push_back(request); });
    }
};

// A client that connects and then sends only what the test gives it.
std::unique_ptr<QLocalSocket> connectedClient(const QString &path)
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(path);
    EXPECT_TRUE(socket->waitForConnected(2000));
    return socket;
}

// Whether the instance ended the connection without writing anything back.
bool cutOffUnanswered(QLocalSocket &socket)
{
    return QTest::qWaitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; }, 5000) &&
           socket.readAll().isEmpty();
}

} // namespace

TEST(SingleInstance, AnswerComesFromTheListeningThreadAndTheWorkRunsLaterOnTheMainThreadOnce)
{
    TestSupport::TempDir dir;
    const QString path = socketIn(dir);
    EXPECT_EQ(SingleInstance::send(path, {}).outcome, Outcome::noInstance);

    SingleInstance primary(path);
    Recorder recorder;
    ASSERT_EQ(recorder.listen(primary), SingleInstance::Listening::started);
    SingleInstance second(path);
    EXPECT_EQ(second.listen({}, {}), SingleInstance::Listening::taken);

    // Sent from the main thread itself: the answer needs no event loop here.
    const QJsonObject request{{QStringLiteral("kind"), QStringLiteral("open")}};
    const auto delivery = SingleInstance::send(path, request);
    ASSERT_EQ(delivery.outcome, Outcome::answered);
    EXPECT_EQ(delivery.answer, okAnswer());
    const auto refused = SingleInstance::send(path, QJsonObject{{QStringLiteral("refuse"), true}});
    ASSERT_EQ(refused.outcome, Outcome::answered);
    EXPECT_EQ(refused.answer.value(QStringLiteral("error")).toString(),
              QStringLiteral("보낼 파일을 찾지 못했습니다"));
    EXPECT_TRUE(recorder.handled.empty()) << "work waits for the main thread";

    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.handled, std::vector<QJsonObject>{request}) << "refused requests queue no work";

    // Closing removes the socket and lets go of the lock: the next launch becomes the instance.
    primary.close();
    EXPECT_FALSE(SingleInstance::isRunning(path));
    EXPECT_EQ(SingleInstance::send(path, request).outcome, Outcome::noInstance);
    EXPECT_EQ(recorder.listen(second), SingleInstance::Listening::started);
}

TEST(SingleInstance, SocketLeftByAnEndedProcessIsReplaced)
{
    TestSupport::TempDir dir;
    const QString path = socketIn(dir);
    // A file at the socket's place and a lock file nobody holds, as a killed process leaves them.
    TestSupport::writeBytes(path.toStdString(), "");
    TestSupport::writeBytes(path.toStdString() + ".lock", "");
    SingleInstance primary(path);
    Recorder recorder;
    ASSERT_EQ(recorder.listen(primary), SingleInstance::Listening::started);
    EXPECT_EQ(SingleInstance::send(path, {}).outcome, Outcome::answered);
}

TEST(SingleInstance, SilentTricklingAndMalformedClientsNeitherBlockOthersNorOutliveTheirDeadline)
{
    TestSupport::TempDir dir;
    const QString path = socketIn(dir);
    SingleInstance primary(path);
    primary.setRequestDeadline(400);
    Recorder recorder;
    ASSERT_EQ(recorder.listen(primary), SingleInstance::Listening::started);

    auto silent = connectedClient(path);
    auto trickling = connectedClient(path);
    const QByteArray frame =
        LaunchFrame::encode(QJsonObject{{QStringLiteral("kind"), QStringLiteral("open")}});
    trickling->write(frame.left(5));
    trickling->flush();
    // Meanwhile a real request is answered at once.
    EXPECT_EQ(SingleInstance::send(path, okAnswer()).outcome, Outcome::answered);

    // A byte every 100 ms: the frame would end after its deadline, so it is cut off unheard.
    QTimer drip;
    qsizetype sent = 5;
    QObject::connect(&drip, &QTimer::timeout, [&] {
        if (sent < frame.size() && trickling->state() == QLocalSocket::ConnectedState) {
            trickling->write(frame.mid(sent++, 1));
            trickling->flush();
        }
    });
    drip.start(100);
    EXPECT_TRUE(cutOffUnanswered(*silent));
    EXPECT_TRUE(cutOffUnanswered(*trickling));
    EXPECT_LT(sent, frame.size());

    // A frame announcing more than the maximum is refused before its body comes.
    auto oversized = connectedClient(path);
    QByteArray header(4, '\0');
    qToBigEndian<quint32>(LaunchFrame::maximumBody + 1, header.data());
    oversized->write(header);
    ASSERT_TRUE(oversized->waitForReadyRead(5000));
    LaunchFrame::Reader reader;
    const QByteArray answer = oversized->readAll();
    ASSERT_EQ(reader.feed(answer.constData(), std::size_t(answer.size())), State::complete);
    EXPECT_EQ(reader.object().value(QStringLiteral("error")).toString(), QStringLiteral("bad request"));

    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.handled, std::vector<QJsonObject>{okAnswer()});
}

TEST(SingleInstance, RequestOfALaunchThatStoppedWaitingIsNeverCarriedOut)
{
    TestSupport::TempDir dir;
    const QString path = socketIn(dir);
    SingleInstance primary(path);
    std::vector<QJsonObject> handled;
    // The instance is slow to look at the first request, as a busy or stopped one is.
    ASSERT_EQ(primary.listen(
                  [](const QJsonObject &request) {
                      if (request.contains(QStringLiteral("slow")))
                          std::this_thread::sleep_for(std::chrono::milliseconds(700));
                      return okAnswer();
                  },
                  [&](const QJsonObject &request) { handled.push_back(request); }),
              SingleInstance::Listening::started);

    // A launch that gives up before the answer: it reports a failure, so its request is dropped.
    EXPECT_EQ(SingleInstance::send(path, QJsonObject{{QStringLiteral("slow"), true}}, 300).outcome,
              Outcome::unanswered);
    // One that waits long enough meanwhile is answered and carried out, once.
    const QJsonObject patient{{QStringLiteral("kind"), QStringLiteral("open")}};
    EXPECT_EQ(SingleInstance::send(path, patient).outcome, Outcome::answered);

    // A frame whose sender stopped waiting before it was read is cut off unanswered, even while
    // the sender is still connected.
    auto late = connectedClient(path);
    late->write(LaunchFrame::encode(QJsonObject{{QStringLiteral("replyBy"), 1.0}}));
    late->flush();
    EXPECT_TRUE(cutOffUnanswered(*late));

    QCoreApplication::processEvents();
    EXPECT_EQ(handled, std::vector<QJsonObject>{patient})
        << "the deadline travels in the frame, not the work";
}

TEST(LaunchFrame, ReadsAFrameInAnyPiecesAndRefusesMalformedOnes)
{
    const QJsonObject message{{QStringLiteral("urls"), QJsonArray{QStringLiteral("ZmlsZTovLy/qsIA=")}}};
    const QByteArray frame = LaunchFrame::encode(message);
    for (const std::size_t piece : {std::size_t(1), std::size_t(3), std::size_t(frame.size())}) {
        LaunchFrame::Reader reader;
        for (qsizetype at = 0; at < frame.size(); at += qsizetype(piece))
            reader.feed(frame.constData() + at, std::min<std::size_t>(piece, std::size_t(frame.size() - at)));
        EXPECT_EQ(reader.state(), State::complete) << piece;
        EXPECT_EQ(reader.object(), message) << piece;
    }

    auto framed = [](const QByteArray &body) {
        QByteArray out(4, '\0');
        qToBigEndian<quint32>(quint32(body.size()), out.data());
        return out + body;
    };
    const struct {
        const char *name;
        QByteArray bytes;
        State state;
    } cases[] = {
        {"header only", frame.left(4), State::incomplete},
        {"empty body", framed(""), State::invalid},
        {"array", framed("[1]"), State::invalid},
        {"broken JSON", framed("{\"a\":"), State::invalid},
        {"bytes after the frame", frame + "x", State::invalid},
        {"too long", QByteArray::fromHex("04000001"), State::invalid},
    };
    for (const auto &c : cases) {
        LaunchFrame::Reader reader;
        EXPECT_EQ(reader.feed(c.bytes.constData(), std::size_t(c.bytes.size())), c.state) << c.name;
        EXPECT_TRUE(reader.object().isEmpty()) << c.name;
    }
}

namespace {

// The fallback folder's place: $TMPDIR/quillfern-UID, with no XDG_RUNTIME_DIR.
class FallbackFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        savedTemp = qgetenv("TMPDIR");
        ::unsetenv("XDG_RUNTIME_DIR");
        ::setenv("TMPDIR", dir.path().c_str(), 1);
    }
    void TearDown() override
    {
        ::setenv("XDG_RUNTIME_DIR", savedRuntime.constData(), 1);
        ::setenv("TMPDIR", savedTemp.constData(), 1);
    }

    // The socket path, and what was said on standard error.
    std::pair<std::optional<QString>, std::string> socketPath()
    {
        testing::internal::CaptureStderr();
        auto path = SingleInstance::defaultSocketPath();
        return {path, testing::internal::GetCapturedStderr()};
    }

    TestSupport::TempDir dir;
    const std::filesystem::path folder = dir / ("quillfern-" + std::to_string(::getuid()));
    QByteArray savedRuntime;
    QByteArray savedTemp;
};

} // namespace

TEST_F(FallbackFolder, IsMadePrivateAndUsed)
{
    const mode_t saved = ::umask(0277); // even a mask that takes the owner's own bits
    const auto [path, said] = socketPath();
    ::umask(saved);
    ASSERT_TRUE(path.has_value()) << said;
    EXPECT_EQ(path->toStdString(), (folder / "quillfern.socket").native());
    EXPECT_TRUE(said.empty());
    struct stat status {};
    ASSERT_EQ(::lstat(folder.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_EQ(socketPath().first, path) << "an existing private folder is used as it is";
}

TEST_F(FallbackFolder, MadeBySomeoneElseOrOpenToOthersIsRefusedWithAReason)
{
    const auto elsewhere = dir.folder("elsewhere");
    ::chmod(elsewhere.c_str(), 0700);
    struct Case {
        const char *name;
        std::function<void()> make;
        const char *reason;
    };
    auto folderWithMode = [&](mode_t mode) {
        return [this, mode] {
            std::filesystem::create_directory(folder);
            ::chmod(folder.c_str(), mode);
        };
    };
    std::vector<Case> cases = {
        {"open to everyone", folderWithMode(0777), "others may use it"},
        {"readable by the group", folderWithMode(0750), "others may use it"},
        {"a link to a private folder", [&] { std::filesystem::create_directory_symlink(elsewhere, folder); },
         "symbolic link"},
        {"a file", [&] { TestSupport::writeBytes(folder, ""); }, "not a folder"},
    };
    if (::getuid() == 0) { // only root can give a folder away
        cases.push_back({"another user's",
                         [&] {
                             folderWithMode(0700)();
                             ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
                         },
                         "belongs to user 65534"});
    }
    for (const auto &c : cases) {
        c.make();
        const auto [path, said] = socketPath();
        EXPECT_FALSE(path.has_value()) << c.name;
        EXPECT_NE(said.find(folder.native()), std::string::npos) << c.name << ": " << said;
        EXPECT_NE(said.find(c.reason), std::string::npos) << c.name << ": " << said;
        EXPECT_NE(said.find("without handing launches"), std::string::npos) << c.name << ": " << said;
        std::filesystem::remove(folder);
    }
}

namespace {

// $XDG_RUNTIME_DIR pointing at a folder of the test's choosing.
class RuntimeFolder : public ::testing::Test {
protected:
    void SetUp() override { saved = qgetenv("XDG_RUNTIME_DIR"); }
    void TearDown() override { ::setenv("XDG_RUNTIME_DIR", saved.constData(), 1); }

    TestSupport::TempDir dir;
    QByteArray saved;
};

} // namespace

TEST_F(RuntimeFolder, IsCheckedLikeTheFallbackAndRefusedWithAReason)
{
    const auto run = dir.folder("run");
    const auto elsewhere = dir.folder("elsewhere");
    ::chmod(elsewhere.c_str(), 0700);
    struct Case {
        const char *name;
        std::filesystem::path folder;
        std::function<void()> make;
        const char *reason; // nullptr: used
    };
    auto withMode = [&](mode_t mode) { return [&run, mode] { ::chmod(run.c_str(), mode); }; };
    std::vector<Case> cases = {
        {"private", run, withMode(0700), nullptr},
        {"open to everyone, as /tmp", run, withMode(01777), "others may use it"},
        {"writable by the group", run, withMode(0770), "others may use it"},
        {"a link to a private folder", dir / "link",
         [&] { std::filesystem::create_directory_symlink(elsewhere, dir / "link"); }, "symbolic link"},
    };
    if (::getuid() == 0) { // only root can give a folder away
        cases.push_back({"another user's", run,
                         [&] {
                             ::chmod(run.c_str(), 0700);
                             ASSERT_EQ(::chown(run.c_str(), 65534, 65534), 0);
                         },
                         "belongs to user 65534"});
    }
    for (const auto &c : cases) {
        c.make();
        ::setenv("XDG_RUNTIME_DIR", c.folder.c_str(), 1);
        testing::internal::CaptureStderr();
        const auto path = SingleInstance::defaultSocketPath();
        const std::string said = testing::internal::GetCapturedStderr();
        if (!c.reason) {
            ASSERT_TRUE(path.has_value()) << c.name << ": " << said;
            EXPECT_EQ(path->toStdString(), (c.folder / "quillfern.socket").native());
            EXPECT_TRUE(said.empty()) << said;
            continue;
        }
        EXPECT_FALSE(path.has_value()) << c.name;
        EXPECT_NE(said.find(c.folder.native()), std::string::npos) << c.name << ": " << said;
        EXPECT_NE(said.find(c.reason), std::string::npos) << c.name << ": " << said;
        EXPECT_NE(said.find("without handing launches"), std::string::npos) << c.name << ": " << said;
    }
    EXPECT_TRUE(std::filesystem::is_empty(run)) << "a runtime folder is never changed";
}
