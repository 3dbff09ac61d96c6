#pragma once

#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace TestSupport {

// A private dbus-daemon of its own, on which anyone may own any name, so a test can put stand-in
// services on a bus without a desktop session and never touches the real session or system bus.
// The configuration is written into the folder as "<name>.conf"; address() is empty when the daemon
// could not be started. The daemon is stopped when the object goes away.
class PrivateBus {
public:
    explicit PrivateBus(const TempDir &dir, const char *name = "bus");
    ~PrivateBus();
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    const QString &address() const { return address_; }
    // A connection of its own to the bus, for one side of a test (the caller, a stand-in
    // service); it is closed when the bus goes away.
    QDBusConnection connection(const QString &role);

private:
    QProcess daemon_;
    QString address_;
    QStringList connections_;
};

} // namespace TestSupport
