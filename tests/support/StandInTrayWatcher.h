#pragma once

#include <QDBusConnection>
#include <QObject>

namespace TestSupport {

// Stands in for a panel's org.kde.StatusNotifierWatcher on a private bus: it appears when the
// test says, at first with no tray host registered with it.
class StandInTrayWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isStatusNotifierHostRegistered)

public:
    explicit StandInTrayWatcher(QDBusConnection bus) : bus_(std::move(bus)) {}
    ~StandInTrayWatcher() override
    {
        bus_.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
        bus_.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
    }

    bool isStatusNotifierHostRegistered() const { return host_; }

    // The panel starts: the watcher takes its name on the bus.
    bool appear()
    {
        return bus_.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                                   QDBusConnection::ExportAllProperties |
                                       QDBusConnection::ExportAllSignals) &&
               bus_.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    }
    // The panel's tray registers as a host.
    void hostRegisters()
    {
        host_ = true;
        emit StatusNotifierHostRegistered();
    }

signals:
    void StatusNotifierHostRegistered();

private:
    QDBusConnection bus_;
    bool host_ = false;
};

} // namespace TestSupport
