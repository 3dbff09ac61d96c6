#include "App/BrindlowApp.h"

#include "App/AppDelegate.h"
#include "App/AppIcon.h"
#include "App/HostWindow.h"
#include "App/MenuBarContent.h"
#include "Core/Localization.h"

#include <QApplication>
#include <QCursor>
#include <QSystemTrayIcon>

BrindlowApp::BrindlowApp()
    : delegate_(std::make_unique<AppDelegate>()),
      menu_(std::make_unique<MenuBarContent>(SleepSwitch::shared()))
{
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationDisplayName(L("누리함"));
    QApplication::setWindowIcon(AppIcon::icon());
}

BrindlowApp::~BrindlowApp() = default;

void BrindlowApp::start(bool launchedAsLoginItem, bool withTray)
{
    if (withTray) {
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
    // Without a tray nothing leads back to a closed window: closing the last one quits.
    QApplication::setQuitOnLastWindowClosed(tray_ == nullptr);
    HostWindow::openMainWindow();
    delegate_->applicationDidFinishLaunching(launchedAsLoginItem, tray_ != nullptr);
}
