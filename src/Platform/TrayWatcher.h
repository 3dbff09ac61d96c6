#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QDBusServiceWatcher;

// Whether the desktop has a tray for the program's icon, and word of one that comes later, as
// when the panel starts after the program at login. A StatusNotifier tray is a host registered
// with org.kde.StatusNotifierWatcher on the session bus, which says when one registers; another
// kind (X11's XEmbed tray, which needs the display) is asked through a hook, again every second
// for a while. Qt settles once per process, at its first look, whether a StatusNotifier tray is
// there: so the program asks here, and leaves Qt's tray alone until one is.
class TrayWatcher : public QObject {
    Q_OBJECT

public:
    using OtherTray = std::function<bool()>;

    static inline const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
    static inline const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");

    explicit TrayWatcher(QDBusConnection bus, OtherTray otherTray = {}, QObject *parent = nullptr);

    bool isAvailable() const;

    // Emits appeared() once, as soon as a tray is there (at once when one is already). The bus
    // is watched as long as this object lives, the other tray for `otherTrayPatience` milliseconds.
    void watch(int otherTrayPatience = 60000);

signals:
    void appeared();

private slots:
    void check();

private:
    void announce();

    QDBusConnection bus_;
    OtherTray otherTray_;
    QDBusServiceWatcher *services_ = nullptr;
    QTimer poll_;
    int pollsLeft_ = 0;
    bool watching_ = false;
    bool announced_ = false;
};
