#include "PowerManagement.h"

#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString screenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString screenSaverInterface = QStringLiteral("org.freedesktop.ScreenSaver");
// Desktops publish the interface at one of these two paths.
const QString screenSaverPaths[] = {QStringLiteral("/org/freedesktop/ScreenSaver"),
                                    QStringLiteral("/ScreenSaver")};

const QString loginService = QStringLiteral("org.freedesktop.login1");
const QString loginPath = QStringLiteral("/org/freedesktop/login1");
const QString loginInterface = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

PowerManagement &PowerManagement::system()
{
    // Never destroyed: the buses may be gone by the time static objects die, and the platform releases
    // a finished process's inhibitors by itself.
    static auto *power = new DBusPowerManagement(QDBusConnection::sessionBus(), QDBusConnection::systemBus());
    return *power;
}

DBusPowerManagement::DBusPowerManagement(QDBusConnection sessionBus, QDBusConnection systemBus,
                                         int timeoutMilliseconds)
    : session_(std::move(sessionBus)), system_(std::move(systemBus)), timeout_(timeoutMilliseconds)
{
}

DBusPowerManagement::~DBusPowerManagement()
{
    for (auto &[id, held] : held_) {
        if (!held.isCookie && held.descriptor >= 0)
            ::close(held.descriptor);
    }
}

bool PowerManagement::hasCounterpart(const QString &type)
{
    return type == QLatin1String("PreventUserIdleDisplaySleep") ||
           type == QLatin1String("PreventUserIdleSystemSleep") || type == QLatin1String("PreventSystemSleep");
}

std::optional<PowerManagement::AssertionID> DBusPowerManagement::create(const QString &type, int level,
                                                                        const QString &name)
{
    // Only the "on" level has a counterpart here.
    if (level != levelOn)
        return std::nullopt;
    std::optional<Held> held;
    if (type == QLatin1String("PreventUserIdleDisplaySleep"))
        held = inhibitScreenSaver(name);
    else if (type == QLatin1String("PreventUserIdleSystemSleep"))
        held = inhibitLogin(QStringLiteral("idle"), name);
    else if (type == QLatin1String("PreventSystemSleep"))
        held = inhibitLogin(QStringLiteral("sleep"), name);
    // "PreventDiskIdle" and unknown types have no counterpart: refused.
    if (!held)
        return std::nullopt;
    AssertionID id = next_++;
    held_.emplace(id, *held);
    return id;
}

QDBusMessage DBusPowerManagement::callScreenSaver(const QString &method, const QVariantList &arguments,
                                                  QString *at)
{
    QDBusMessage reply;
    for (const QString &path : screenSaverPaths) {
        if (at != nullptr)
            *at = path;
        QDBusMessage call =
            QDBusMessage::createMethodCall(screenSaverService, path, screenSaverInterface, method);
        call.setArguments(arguments);
        reply = session_.call(call, QDBus::Block, timeout_);
        // Only a missing object or method is worth trying the other path for.
        const QString error = reply.errorName();
        if (error != QLatin1String("org.freedesktop.DBus.Error.UnknownObject") &&
            error != QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") &&
            error != QLatin1String("org.freedesktop.DBus.Error.UnknownInterface"))
            break;
    }
    return reply;
}

std::optional<DBusPowerManagement::Held> DBusPowerManagement::inhibitScreenSaver(const QString &name)
{
    if (!session_.isConnected())
        return std::nullopt;
    Held held;
    const QDBusMessage reply = callScreenSaver(QStringLiteral("Inhibit"), {name, name}, &held.cookiePath);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String("u"))
        return std::nullopt;
    held.isCookie = true;
    held.cookie = reply.arguments().at(0).toUInt();
    return held;
}

std::optional<DBusPowerManagement::Held> DBusPowerManagement::inhibitLogin(const QString &what,
                                                                           const QString &name)
{
    if (!system_.isConnected() ||
        !(system_.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing))
        return std::nullopt;
    QDBusMessage call =
        QDBusMessage::createMethodCall(loginService, loginPath, loginInterface, QStringLiteral("Inhibit"));
    call << what << name << name << QStringLiteral("block");
    QDBusMessage reply = system_.call(call, QDBus::Block, timeout_);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String("h"))
        return std::nullopt;
    auto descriptor = reply.arguments().at(0).value<QDBusUnixFileDescriptor>();
    if (!descriptor.isValid())
        return std::nullopt;
    // Our own copy: the message's copy closes with the message.
    int fd = ::fcntl(descriptor.fileDescriptor(), F_DUPFD_CLOEXEC, 3);
    if (fd < 0)
        return std::nullopt;
    Held held;
    held.descriptor = fd;
    return held;
}

bool DBusPowerManagement::declareUserActivity(const QString &)
{
    // The answer is awaited: a declaration that reached no screen saver holds nothing off.
    return session_.isConnected() &&
           callScreenSaver(QStringLiteral("SimulateUserActivity"), {}).type() == QDBusMessage::ReplyMessage;
}

void DBusPowerManagement::release(AssertionID id)
{
    auto it = held_.find(id);
    if (it == held_.end())
        return;
    Held held = it->second;
    held_.erase(it);
    if (held.isCookie) {
        if (!session_.isConnected())
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(screenSaverService, held.cookiePath,
                                                           screenSaverInterface, QStringLiteral("UnInhibit"));
        call << held.cookie;
        session_.send(call);
    } else if (held.descriptor >= 0) {
        ::close(held.descriptor);
    }
}
