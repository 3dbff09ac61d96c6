#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLocalServer;

// One running instance per user: the first process listens on a local socket in
// $XDG_RUNTIME_DIR; later launches hand it a request and wait for its answer. Messages are one
// JSON object each way, framed by a 4-byte big-endian length.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<QJsonObject(const QJsonObject &request)>;

    explicit SingleInstance(QString socketPath = defaultSocketPath(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the primary instance. False when another instance answers on the socket; a
    // stale socket left by a crashed process is removed and taken over.
    bool listen(Handler handler);
    void close();

    // Sends a request to the running instance and waits for its answer; nothing when no
    // instance answers within the timeout.
    static std::optional<QJsonObject> send(const QString &socketPath, const QJsonObject &request,
                                           int timeoutMilliseconds = 10000);
    // Whether an instance answers on the socket.
    static bool isRunning(const QString &socketPath);

    static QString defaultSocketPath();
    const QString &socketPath() const { return socketPath_; }

private:
    void accept();

    QString socketPath_;
    QLocalServer *server_ = nullptr;
    Handler handler_;
};
