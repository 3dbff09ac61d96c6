#include "App/BrindlowApp.h"

#include "App/AppDelegate.h"
#include "App/AppIcon.h"
#include "App/ContentView.h"
#include "App/HostWindow.h"
#include "App/MenuBarContent.h"
#include "App/X11Desktop.h"
#include "Core/Localization.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Platform/TrayWatcher.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QSystemTrayIcon>
#include <QTabWidget>

BrindlowApp::BrindlowApp()
    : delegate_(std::make_unique<AppDelegate>()),
      menu_(std::make_unique<MenuBarContent>(SleepSwitch::shared()))
{
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationDisplayName(L("누리함"));
    QApplication::setWindowIcon(AppIcon::icon());
}

BrindlowApp::~BrindlowApp() = default;

void BrindlowApp::start(bool launchedAsLoginItem)
{
    start(launchedAsLoginItem,
          std::make_unique<TrayWatcher>(QDBusConnection::sessionBus(), &X11Desktop::hasSystemTray));
}

void BrindlowApp::start(bool launchedAsLoginItem, std::unique_ptr<TrayWatcher> tray)
{
    const bool there = tray->isAvailable();
    start(launchedAsLoginItem, there);
    if (there)
        return;
    trayWatcher_ = std::move(tray);
    connect(trayWatcher_.get(), &TrayWatcher::appeared, this, &BrindlowApp::trayAppeared,
            Qt::QueuedConnection);
    trayWatcher_->watch();
}

void BrindlowApp::start(bool launchedAsLoginItem, bool withTray)
{
    launchedAsLoginItem_ = launchedAsLoginItem;
    sinceStart_.start();
    if (withTray)
        showTray();
    // Without a tray nothing leads back to a closed window: closing the last one quits.
    QApplication::setQuitOnLastWindowClosed(tray_ == nullptr);
    HostWindow::openMainWindow();
    delegate_->applicationDidFinishLaunching(launchedAsLoginItem, tray_ != nullptr);
}

void BrindlowApp::showTray()
{
    tray_ = new QSystemTrayIcon(QApplication::windowIcon(), this);
    tray_->setToolTip(L("누리함"));
    tray_->setContextMenu(menu_.get());
    // A click on the item opens its menu, as a menu-bar item does.
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            menu_->popup(QCursor::pos());
    });
    tray_->show();
}

void BrindlowApp::trayAppeared()
{
    trayWatcher_.reset();
    if (tray_)
        return;
    showTray();
    QApplication::setQuitOnLastWindowClosed(false);
    if (launchedAsLoginItem_ && sinceStart_.elapsed() < loginTrayGrace && windowsAsLaunched())
        AppDelegate::keepOnlyTheTray();
}

bool BrindlowApp::windowsAsLaunched()
{
    const QList<HostWindow *> hosts = HostWindow::hosts();
    if (hosts.size() != 1 || hosts.first()->tabs()->count() != 1)
        return false;
    const ContentView *content = hosts.first()->currentContent();
    return content && content->selection() == Utility::sendCheckup &&
           (!SendCheckupEngine::hasSession(content->session()) ||
            SendCheckupEngine::session(content->session()).roots().empty());
}
