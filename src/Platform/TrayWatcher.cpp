#include "Platform/TrayWatcher.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace {

const QString watcherInterface = QStringLiteral("org.kde.StatusNotifierWatcher");
// A watcher that hangs must not hold up the start.
constexpr int callTimeout = 1000;
constexpr int pollInterval = 1000;

} // namespace

TrayWatcher::TrayWatcher(QDBusConnection bus, OtherTray otherTray, QObject *parent)
    : QObject(parent), bus_(std::move(bus)), otherTray_(std::move(otherTray))
{
    poll_.setInterval(pollInterval);
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (--pollsLeft_ <= 0)
            poll_.stop();
        check();
    });
}

namespace {

QDBusMessage hostQuestion()
{
    QDBusMessage get = QDBusMessage::createMethodCall(TrayWatcher::watcherService, TrayWatcher::watcherPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << watcherInterface << QStringLiteral("IsStatusNotifierHostRegistered");
    return get;
}

bool saysYes(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

} // namespace

bool TrayWatcher::isAvailable() const
{
    if (otherTray_ && otherTray_())
        return true;
    if (!bus_.isConnected() || !bus_.interface() || !bus_.interface()->isServiceRegistered(watcherService))
        return false;
    return saysYes(bus_.call(hostQuestion(), QDBus::Block, callTimeout));
}

void TrayWatcher::watch(int otherTrayPatience)
{
    if (!watching_ && bus_.isConnected()) {
        watching_ = true;
        services_ =
            new QDBusServiceWatcher(watcherService, bus_, QDBusServiceWatcher::WatchForRegistration, this);
        connect(services_, &QDBusServiceWatcher::serviceRegistered, this, &TrayWatcher::check);
        bus_.connect(watcherService, watcherPath, watcherInterface,
                     QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(check()));
    }
    if (otherTray_) {
        pollsLeft_ = otherTrayPatience / pollInterval;
        if (pollsLeft_ > 0)
            poll_.start();
    }
    check();
}

void TrayWatcher::check()
{
    if (announced_)
        return;
    if (otherTray_ && otherTray_()) {
        announce();
        return;
    }
    if (!bus_.isConnected())
        return;
    // Asked without waiting: the answer may come from anywhere, this thread included.
    auto *call = new QDBusPendingCallWatcher(bus_.asyncCall(hostQuestion(), callTimeout), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *answer) {
        answer->deleteLater();
        if (saysYes(answer->reply()))
            announce();
    });
}

void TrayWatcher::announce()
{
    if (announced_)
        return;
    announced_ = true;
    poll_.stop();
    emit appeared();
}
