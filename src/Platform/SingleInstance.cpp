#include "Platform/SingleInstance.h"

#include "Core/Descriptor.h"
#include "Core/ErrorText.h"
#include "Platform/LaunchFrame.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <list>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Connections served at once; further ones wait in the socket's backlog.
constexpr std::size_t maximumClients = 64;

// The frame's member in which a launch says until when it waits for the answer, in milliseconds
// of the monotonic clock, which all processes of the machine share. The instance takes it out.
const QString replyByKey = QStringLiteral("replyBy");
// Time the answer has to travel back before the launch stops waiting for it.
constexpr std::chrono::milliseconds answerTravel{100};

long long monotonicMilliseconds(Clock::time_point at)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count();
}

QByteArray bytesOf(const QString &path)
{
    return QFile::encodeName(path);
}

std::optional<sockaddr_un> addressOf(const QString &socketPath)
{
    const QByteArray path = bytesOf(socketPath);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || std::size_t(path.size()) >= sizeof(address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    return address;
}

QByteArray lockPathOf(const QString &socketPath)
{
    return bytesOf(socketPath) + ".lock";
}

// Whether a live process holds the lock beside the socket (a lock dies with its process).
bool lockHeld(const QString &socketPath)
{
    const Descriptor fd(::open(lockPathOf(socketPath).constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return false;
    struct flock query {};
    query.l_type = F_WRLCK;
    query.l_whence = SEEK_SET;
    return ::fcntl(fd.get(), F_OFD_GETLK, &query) == 0 && query.l_type != F_UNLCK;
}

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::clamp<long long>(left, 0, 60'000));
}

// Waits for the events on the descriptor until the deadline; false when it passed.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, millisecondsUntil(deadline));
        if (n > 0)
            return true;
        if (n == 0 || errno != EINTR)
            return false;
    }
}

// A connected client socket; nothing when nobody listens at the path.
enum class Connect { connected, nobody, busy };
Connect connectTo(const sockaddr_un &address, Descriptor &fd)
{
    fd = Descriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd.valid())
        return Connect::nobody;
    int result;
    do
        result = ::connect(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address);
    while (result != 0 && errno == EINTR);
    if (result == 0)
        return Connect::connected;
    // A full backlog: someone listens but has not caught up yet.
    return errno == EAGAIN ? Connect::busy : Connect::nobody;
}

QJsonObject failure(const char *error)
{
    return QJsonObject{{QStringLiteral("ok"), false}, {QStringLiteral("error"), QString::fromLatin1(error)}};
}

void complain(const QString &text)
{
    std::fprintf(stderr, "quillfern: %s\n", text.toLocal8Bit().constData());
}

// Why a folder cannot hold the socket, if it cannot: only a real folder of the user's own that
// nobody else may use keeps other users from listening in the socket's place. With `make`, a
// missing folder is made private first.
std::optional<QString> refusalOfPrivateFolder(const QByteArray &folder, bool make)
{
    if (make) {
        if (::mkdir(folder.constData(), 0700) == 0)
            ::chmod(folder.constData(), 0700); // the umask may have taken bits the owner needs
        else if (errno != EEXIST)
            return QStringLiteral("cannot make it (%1)").arg(errorText(errno));
    }
    struct stat status {};
    if (::lstat(folder.constData(), &status) != 0)
        return QStringLiteral("cannot read it (%1)").arg(errorText(errno));
    if (S_ISLNK(status.st_mode))
        return QStringLiteral("it is a symbolic link");
    if (!S_ISDIR(status.st_mode))
        return QStringLiteral("it is not a folder");
    if (status.st_uid != ::getuid())
        return QStringLiteral("it belongs to user %1").arg(status.st_uid);
    if ((status.st_mode & 077) != 0)
        return QStringLiteral("others may use it (mode %1)")
            .arg(status.st_mode & 0777, 4, 8, QLatin1Char('0'));
    return std::nullopt;
}

} // namespace

class SingleInstance::Listener {
public:
    Listener(QByteArray socketPath, Descriptor lock, Descriptor server, Descriptor wake, Check check,
             std::function<void(const QJsonObject &)> queue, int deadline)
        : socketPath_(std::move(socketPath)), lock_(std::move(lock)), server_(std::move(server)),
          wake_(std::move(wake)), check_(std::move(check)), queue_(std::move(queue)), deadline_(deadline)
    {
        thread_ = std::thread([this] { run(); });
    }

    // The socket goes before the lock (the last member to close), so a launch that finds the
    // lock free never finds this instance's socket.
    ~Listener()
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wake_.get(), &one, sizeof one);
        thread_.join();
        ::unlink(socketPath_.constData());
    }

private:
    struct Client {
        Descriptor fd;
        Clock::time_point deadline;
        LaunchFrame::Reader reader;
        QByteArray answer; // being written once the request is read
        qsizetype written = 0;
        bool done = false;
        // The request, queued only once its answer was written in full: a launch that gave up
        // meanwhile reports a failure, so its request must not be carried out too.
        std::optional<QJsonObject> work;
    };

    void run()
    {
        std::list<Client> clients;
        std::vector<pollfd> fds;
        for (;;) {
            fds.clear();
            fds.push_back({wake_.get(), POLLIN, 0});
            fds.push_back({clients.size() < maximumClients ? server_.get() : -1, POLLIN, 0});
            Clock::time_point soonest = Clock::time_point::max();
            for (const Client &client : clients) {
                fds.push_back({client.fd.get(), short(client.answer.isEmpty() ? POLLIN : POLLOUT), 0});
                soonest = std::min(soonest, client.deadline);
            }
            const int timeout = clients.empty() ? -1 : millisecondsUntil(soonest);
            if (::poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR)
                return;
            if (fds[0].revents != 0)
                return;

            std::size_t index = 2;
            const Clock::time_point now = Clock::now();
            for (Client &client : clients) {
                const short events = fds[index++].revents;
                if (events != 0)
                    serve(client, events);
                if (now >= client.deadline)
                    client.done = true; // too slow: cut off without an answer
            }
            clients.remove_if([](const Client &client) { return client.done; });

            if ((fds[1].revents & POLLIN) != 0) {
                while (clients.size() < maximumClients) {
                    Descriptor fd(::accept4(server_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
                    if (!fd.valid())
                        break;
                    clients.push_back(Client{std::move(fd),
                                             Clock::now() + std::chrono::milliseconds(deadline_),
                                             {},
                                             {},
                                             0,
                                             false,
                                             std::nullopt});
                }
            }
        }
    }

    void serve(Client &client, short events)
    {
        if (client.answer.isEmpty())
            read(client);
        if (!client.answer.isEmpty() && !client.done)
            write(client);
        if ((events & (POLLERR | POLLNVAL)) != 0)
            client.done = true;
    }

    void read(Client &client)
    {
        char buffer[16 * 1024];
        for (;;) {
            const ssize_t count = ::read(client.fd.get(), buffer, sizeof buffer);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0 && errno == EAGAIN)
                return;
            if (count <= 0) {
                client.done = true; // gone before its request was complete
                return;
            }
            switch (client.reader.feed(buffer, std::size_t(count))) {
            case LaunchFrame::Reader::State::incomplete:
                continue;
            case LaunchFrame::Reader::State::invalid:
                client.answer = LaunchFrame::encode(failure("bad request"));
                return;
            case LaunchFrame::Reader::State::complete:
                take(client, client.reader.object());
                return;
            }
        }
    }

    // Checks a request read in full and prepares its answer; a launch that has stopped waiting
    // is cut off unanswered.
    void take(Client &client, QJsonObject request)
    {
        const QJsonValue replyBy = request.take(replyByKey);
        if (replyBy.isDouble() && monotonicMilliseconds(Clock::now()) > qint64(replyBy.toDouble())) {
            client.done = true;
            return;
        }
        QJsonObject result;
        try {
            result = check_ ? check_(request) : QJsonObject{{QStringLiteral("ok"), true}};
        } catch (...) {
            result = failure("request not handled");
        }
        if (result.value(QStringLiteral("ok")).toBool())
            client.work = std::move(request);
        client.answer = LaunchFrame::encode(result);
    }

    void write(Client &client)
    {
        while (client.written < client.answer.size()) {
            const ssize_t count = ::send(client.fd.get(), client.answer.constData() + client.written,
                                         std::size_t(client.answer.size() - client.written), MSG_NOSIGNAL);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0 && errno == EAGAIN)
                return;
            if (count < 0) {
                client.done = true;
                return;
            }
            client.written += count;
        }
        client.done = true;
        if (client.work)
            queue_(*client.work);
    }

    QByteArray socketPath_;
    Descriptor lock_;
    Descriptor server_;
    Descriptor wake_;
    Check check_;
    std::function<void(const QJsonObject &)> queue_;
    int deadline_;
    std::thread thread_;
};

SingleInstance::SingleInstance(QString socketPath, QObject *parent)
    : QObject(parent), socketPath_(std::move(socketPath))
{
}

SingleInstance::~SingleInstance()
{
    close();
}

std::optional<QString> SingleInstance::defaultSocketPath()
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    // A runtime folder is the session's to make; the fallback is made here.
    const bool fallback = folder.isEmpty() || !QDir(folder).exists();
    if (fallback)
        folder = QDir::tempPath() + QStringLiteral("/quillfern-%1").arg(::getuid());
    if (const auto refusal = refusalOfPrivateFolder(bytesOf(folder), fallback)) {
        complain(QStringLiteral("not using the folder %1 for the launch socket: %2. Running without "
                                "handing launches to a running instance.")
                     .arg(folder, *refusal));
        return std::nullopt;
    }
    return folder + QStringLiteral("/quillfern.socket");
}

bool SingleInstance::isRunning(const QString &socketPath)
{
    const auto address = addressOf(socketPath);
    Descriptor fd;
    return address && connectTo(*address, fd) != Connect::nobody;
}

SingleInstance::Listening SingleInstance::listen(Check check, Work work)
{
    close();
    const auto address = addressOf(socketPath_);
    if (!address)
        return Listening::failed;
    Descriptor lock(
        ::open(lockPathOf(socketPath_).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!lock.valid())
        return Listening::failed;
    struct flock hold {};
    hold.l_type = F_WRLCK;
    hold.l_whence = SEEK_SET;
    if (::fcntl(lock.get(), F_OFD_SETLK, &hold) != 0)
        return errno == EAGAIN || errno == EACCES ? Listening::taken : Listening::failed;

    // Whatever lies at the path now was left by a process that has ended.
    ::unlink(address->sun_path);
    Descriptor server(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!server.valid() ||
        ::bind(server.get(), reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0)
        return Listening::failed;
    Descriptor wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (::listen(server.get(), 64) != 0 || !wake.valid()) {
        ::unlink(address->sun_path);
        return Listening::failed;
    }
    // Work is posted to an object of this thread; deleting it drops what is still queued.
    workQueue_ = std::make_unique<QObject>();
    auto queue = [target = workQueue_.get(), work = std::move(work)](const QJsonObject &request) {
        QMetaObject::invokeMethod(
            target,
            [work, request] {
                if (work)
                    work(request);
            },
            Qt::QueuedConnection);
    };
    listener_ =
        std::make_unique<Listener>(bytesOf(socketPath_), std::move(lock), std::move(server), std::move(wake),
                                   std::move(check), std::move(queue), requestDeadline_);
    return Listening::started;
}

void SingleInstance::close()
{
    listener_.reset(); // the thread ends first: nothing is queued after this
    workQueue_.reset();
}

SingleInstance::Delivery SingleInstance::send(const QString &socketPath, const QJsonObject &request,
                                              int timeoutMilliseconds)
{
    using Outcome = Delivery::Outcome;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    const auto address = addressOf(socketPath);
    if (!address)
        return {};
    Descriptor fd;
    for (;;) {
        const Connect state = connectTo(*address, fd);
        if (state == Connect::connected)
            break;
        // An instance that holds the lock is starting or busy accepting: wait for it.
        if (state == Connect::nobody && !lockHeld(socketPath))
            return {};
        if (Clock::now() >= deadline)
            return {Outcome::unanswered, {}};
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    QJsonObject framed = request;
    framed[replyByKey] = double(monotonicMilliseconds(deadline - answerTravel));
    const QByteArray frame = LaunchFrame::encode(framed);
    qsizetype written = 0;
    while (written < frame.size()) {
        if (!waitFor(fd.get(), POLLOUT, deadline))
            return {Outcome::unanswered, {}};
        const ssize_t count =
            ::send(fd.get(), frame.constData() + written, std::size_t(frame.size() - written), MSG_NOSIGNAL);
        if (count < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (count < 0)
            return {Outcome::unanswered, {}};
        written += count;
    }

    LaunchFrame::Reader reader;
    char buffer[16 * 1024];
    while (reader.state() == LaunchFrame::Reader::State::incomplete) {
        if (!waitFor(fd.get(), POLLIN, deadline))
            return {Outcome::unanswered, {}};
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (count <= 0)
            return {Outcome::unanswered, {}};
        reader.feed(buffer, std::size_t(count));
    }
    if (reader.state() != LaunchFrame::Reader::State::complete)
        return {Outcome::unanswered, {}};
    return {Outcome::answered, reader.object()};
}
