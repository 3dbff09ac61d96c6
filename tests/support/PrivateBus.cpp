#include "support/PrivateBus.h"

#include <string>

namespace TestSupport {

PrivateBus::PrivateBus(const TempDir &dir, const char *name)
{
    // The bare <allow eavesdrop> rule is what lets a client's Hello through.
    const auto config = dir / (std::string(name) + ".conf");
    writeBytes(config, "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
                       "<auth>EXTERNAL</auth><policy context=\"default\">"
                       "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                       "<allow own=\"*\"/></policy></busconfig>\n");
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--config-file=") + QString::fromStdString(config.string()),
                   QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    if (daemon_.waitForStarted(10000)) {
        // Generous waits, for a slow machine.
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(10000)) {
        }
        address_ = QString::fromUtf8(daemon_.readLine().trimmed());
    }
}

QDBusConnection PrivateBus::connection(const QString &role)
{
    // Names are per process: each bus object and role gets its own.
    static int serial = 0;
    const QString name = QStringLiteral("private-bus-%1-%2").arg(role).arg(++serial);
    connections_ << name;
    return QDBusConnection::connectToBus(address_, name);
}

PrivateBus::~PrivateBus()
{
    for (const QString &name : connections_)
        QDBusConnection::disconnectFromBus(name);
    if (daemon_.state() == QProcess::NotRunning)
        return;
    // Asked first, so the daemon removes its socket; killed if it does not go.
    daemon_.terminate();
    if (!daemon_.waitForFinished(5000)) {
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
}

} // namespace TestSupport
