#pragma once

#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

class AppDelegate;
class MenuBarContent;

// The application: the main windows of tabs (one session each), the about and settings windows
// and the tray item with its menu. With a tray it keeps running with no window open.
class BrindlowApp : public QObject {
    Q_OBJECT

public:
    BrindlowApp();
    ~BrindlowApp() override;

    // Shows the tray item (where the desktop has a tray) and the first main window, then runs
    // the delegate's launch steps.
    void start(bool launchedAsLoginItem = false, bool withTray = QSystemTrayIcon::isSystemTrayAvailable());

    AppDelegate &delegate() const { return *delegate_; }
    MenuBarContent *menuBarContent() const { return menu_.get(); }
    QSystemTrayIcon *trayIcon() const { return tray_; }

private:
    std::unique_ptr<AppDelegate> delegate_;
    std::unique_ptr<MenuBarContent> menu_;
    QSystemTrayIcon *tray_ = nullptr;
};
