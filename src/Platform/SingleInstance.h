#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// One running instance per user. The first process locks a file beside a local socket in a
// folder private to the user and listens on the socket; later launches hand it one request each
// and wait for its answer. Requests are read, checked and answered on a thread of the instance's
// own, each within a deadline, so neither a busy main thread nor a client that sends nothing holds
// up another launch; the work a request asks for is queued to the thread that owns the instance,
// and only once its answer was written: a launch that stopped waiting (its deadline passed, or it
// hung up before the answer) is cut off unanswered and its request dropped, so a launch that
// reported a failure never has its files delivered later. Messages are LaunchFrame frames, one
// each way; the launch's frame carries until when it waits.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // Runs on the listening thread for each request read in full and gives the answer; it must
    // not touch widgets. An answer whose "ok" is true queues the request's work once written.
    using Check = std::function<QJsonObject(const QJsonObject &request)>;
    // Runs later on the thread that owns the instance, once for each request answered "ok".
    using Work = std::function<void(const QJsonObject &request)>;

    enum class Listening {
        started,
        taken,  // another instance holds the lock: hand the request to it
        failed, // the socket cannot be made: run without handing over
    };

    // What became of a request handed to the running instance.
    struct Delivery {
        enum class Outcome {
            noInstance, // nobody holds the lock: nothing was sent
            answered,
            unanswered, // an instance is there but gave no answer in time; never send again
        };
        Outcome outcome = Outcome::noInstance;
        QJsonObject answer;
    };

    static constexpr int defaultRequestDeadline = 5000;

    explicit SingleInstance(QString socketPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the primary instance. A socket left behind by a process that ended is replaced.
    Listening listen(Check check, Work work);
    // Stops listening, removes the socket and releases the lock; queued work is dropped.
    void close();

    // The longest a connection may take from being accepted to its answer being written; a
    // client that is slower is cut off unanswered. Takes effect at the next listen().
    void setRequestDeadline(int milliseconds) { requestDeadline_ = milliseconds; }

    // Sends a request and waits for the answer, at most the timeout in all, including the wait
    // for an instance that holds the lock but is not listening yet. Once connected, the request
    // is sent once and never again.
    static Delivery send(const QString &socketPath, const QJsonObject &request,
                         int timeoutMilliseconds = 10000);
    // Whether something accepts connections on the socket.
    static bool isRunning(const QString &socketPath);

    // The socket in $XDG_RUNTIME_DIR, else in "quillfern-UID" in the temporary folder, made with
    // mode 0700. Nothing, with the reason on standard error, when the folder (either one) is a
    // link, belongs to someone else or is open to others: then the program runs without handing
    // launches over.
    static std::optional<QString> defaultSocketPath();
    const QString &socketPath() const { return socketPath_; }

private:
    class Listener;

    QString socketPath_;
    int requestDeadline_ = defaultRequestDeadline;
    std::unique_ptr<QObject> workQueue_;
    std::unique_ptr<Listener> listener_;
};
