#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

class AppDelegate;
class MenuBarContent;
class TrayWatcher;

// The application: the main windows of tabs (one session each), the about and settings windows
// and the tray item with its menu. With a tray it keeps running with no window open.
class BrindlowApp : public QObject {
    Q_OBJECT

public:
    BrindlowApp();
    ~BrindlowApp() override;

    // Shows the tray item where the desktop has a tray, and the first main window, then runs the
    // delegate's launch steps. A tray that comes later (a panel that starts after the program,
    // as at login) gets the icon then, and from then on the program behaves as with a tray from
    // the start: closing the last window no longer quits, and a login launch whose window is
    // still as the launch left it keeps only the tray.
    void start(bool launchedAsLoginItem = false);
    // The same, watching for the tray through the given watcher.
    void start(bool launchedAsLoginItem, std::unique_ptr<TrayWatcher> tray);
    // The same with the tray's presence settled, never watched for.
    void start(bool launchedAsLoginItem, bool withTray);

    AppDelegate &delegate() const { return *delegate_; }
    MenuBarContent *menuBarContent() const { return menu_.get(); }
    QSystemTrayIcon *trayIcon() const { return tray_; }

    // How long after a login launch a tray that appears still counts as there from the start.
    static constexpr int loginTrayGrace = 15000;

private:
    void showTray();
    void trayAppeared();
    // Nothing of the user's is in the windows yet: one tab, its home screen, no files on it.
    static bool windowsAsLaunched();

    std::unique_ptr<AppDelegate> delegate_;
    std::unique_ptr<MenuBarContent> menu_;
    QSystemTrayIcon *tray_ = nullptr;
    std::unique_ptr<TrayWatcher> trayWatcher_;
    bool launchedAsLoginItem_ = false;
    QElapsedTimer sinceStart_;
};
