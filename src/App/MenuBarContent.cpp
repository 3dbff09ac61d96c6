#include "App/MenuBarContent.h"

#include "App/AboutDialog.h"
#include "App/AppCommands.h"
#include "App/HostWindow.h"
#include "App/MainWindow.h"
#include "Core/Localization.h"
#include "Core/TabOpener.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>

MenuBarContent::MenuBarContent(const SleepSwitch &sleepPreventer, QWidget *parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("menuBarContent"));
    setTitle(L("누리함"));
    sleepToggle_ = makeSleepToggle(sleepPreventer, this);
    addAction(sleepToggle_);
    addSeparator();
    QAction *open = addAction(L("누리함 열기"), [] { openMainWindow(); });
    open->setObjectName(QStringLiteral("open"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction *about = addAction(L("누리함에 관하여"), [] { AboutDialog::present(); });
    about->setObjectName(QStringLiteral("about"));
    addAction(AppCommands::makeCheckForUpdatesAction(this));
    addSeparator();
    QAction *quit = addAction(L("누리함 종료"), [] { QApplication::quit(); });
    quit->setObjectName(QStringLiteral("quit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    // The state may have changed while the menu was closed.
    connect(this, &QMenu::aboutToShow, this,
            [this, isActive = sleepPreventer.isActive] { sleepToggle_->setChecked(isActive()); });
}

QAction *MenuBarContent::makeSleepToggle(const SleepSwitch &sleepPreventer, QObject *parent)
{
    auto *toggle = new QAction(L("잠자기 방지"), parent);
    toggle->setObjectName(QStringLiteral("sleepToggle"));
    toggle->setCheckable(true);
    toggle->setChecked(sleepPreventer.isActive());
    QObject::connect(toggle, &QAction::triggered, toggle, [toggle, sleepPreventer] {
        if (sleepPreventer.isActive())
            sleepPreventer.stop();
        else
            sleepPreventer.start();
        toggle->setChecked(sleepPreventer.isActive());
    });
    sleepPreventer.observe(toggle,
                           [toggle, isActive = sleepPreventer.isActive] { toggle->setChecked(isActive()); });
    return toggle;
}

void MenuBarContent::openMainWindow()
{
    // Install the opener first, so a window can come even when no tab was ever shown.
    TabOpener::shared().setOpenTab([](const QUuid &session) { HostWindow::openMainWindow(session); });
    MainWindow::show();
}
