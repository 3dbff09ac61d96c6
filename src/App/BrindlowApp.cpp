#include "App/BrindlowApp.h"

#include "App/AppDelegate.h"
#include "App/HostWindow.h"
#include "App/MenuBarContent.h"
#include "Core/Localization.h"
#include "Ui/SymbolIcon.h"

#include <QApplication>
#include <QCursor>
#include <QSystemTrayIcon>

BrindlowApp::BrindlowApp()
    : delegate_(std::make_unique<AppDelegate>()),
      menu_(std::make_unique<MenuBarContent>(SleepSwitch::shared()))
{
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationDisplayName(L("누리함"));
    QApplication::setWindowIcon(SymbolIcon::icon(QStringLiteral("hammer.fill")));
}

BrindlowApp::~BrindlowApp() = default;

void BrindlowApp::start(bool launchedAsLoginItem)
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray_ = new QSystemTrayIcon(SymbolIcon::icon(QStringLiteral("hammer.fill")), this);
        tray_->setToolTip(L("누리함"));
        tray_->setContextMenu(menu_.get());
        // A click on the item opens its menu, as a menu-bar item does.
        connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger)
                menu_->popup(QCursor::pos());
        });
        tray_->show();
    }
    HostWindow::openMainWindow();
    delegate_->applicationDidFinishLaunching(launchedAsLoginItem, tray_ != nullptr);
}
