#include "Platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>

#include <unistd.h>

namespace {

constexpr qint64 maximumMessage = 64 * 1024 * 1024;

QByteArray frame(const QJsonObject &object)
{
    const QByteArray body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(body.size()), out.data());
    return out + body;
}

// Reads one framed message, waiting at most the timeout for each part.
std::optional<QJsonObject> readFrame(QLocalSocket &socket, int timeout)
{
    auto readExactly = [&](qint64 count) -> std::optional<QByteArray> {
        QByteArray data;
        while (data.size() < count) {
            if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(timeout))
                return std::nullopt;
            data += socket.read(count - data.size());
        }
        return data;
    };
    const auto header = readExactly(4);
    if (!header)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(header->constData());
    if (length > maximumMessage)
        return std::nullopt;
    const auto body = readExactly(length);
    if (!body)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(*body);
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

} // namespace

SingleInstance::SingleInstance(QString socketPath, QObject *parent)
    : QObject(parent), socketPath_(std::move(socketPath))
{
}

SingleInstance::~SingleInstance()
{
    close();
}

QString SingleInstance::defaultSocketPath()
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::tempPath() + QStringLiteral("/quillfern-%1").arg(::getuid());
        QDir().mkpath(folder);
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    return folder + QStringLiteral("/quillfern.socket");
}

bool SingleInstance::isRunning(const QString &socketPath)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    return socket.waitForConnected(1000);
}

bool SingleInstance::listen(Handler handler)
{
    close();
    handler_ = std::move(handler);
    // No socket options: with them Qt binds elsewhere and renames over the path, which would
    // silently replace a running instance's socket. The folder itself is private to the user.
    server_ = new QLocalServer(this);
    if (!server_->listen(socketPath_)) {
        if (isRunning(socketPath_)) {
            close();
            return false;
        }
        QLocalServer::removeServer(socketPath_);
        if (!server_->listen(socketPath_)) {
            close();
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::close()
{
    if (server_ != nullptr) {
        server_->close();
        delete server_;
        server_ = nullptr;
    }
}

void SingleInstance::accept()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Answered in one go: requests are small and the sender waits for the answer.
        const auto request = readFrame(*socket, 5000);
        QJsonObject answer;
        if (!request)
            answer = QJsonObject{{QStringLiteral("ok"), false},
                                 {QStringLiteral("error"), QStringLiteral("bad request")}};
        else
            answer = handler_ ? handler_(*request) : QJsonObject{{QStringLiteral("ok"), true}};
        socket->write(frame(answer));
        socket->flush();
        socket->disconnectFromServer();
    }
}

std::optional<QJsonObject> SingleInstance::send(const QString &socketPath, const QJsonObject &request,
                                                int timeoutMilliseconds)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(std::min(timeoutMilliseconds, 2000)))
        return std::nullopt;
    socket.write(frame(request));
    if (!socket.waitForBytesWritten(timeoutMilliseconds))
        return std::nullopt;
    return readFrame(socket, timeoutMilliseconds);
}
