#include "App/AppCommands.h"

#include "App/AboutDialog.h"
#include "App/HostWindow.h"
#include "App/ManualLink.h"
#include "App/MenuBarContent.h"
#include "App/SettingsDialog.h"
#include "App/UpdateCheck.h"
#include "Core/Localization.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QUuid>

namespace AppCommands {

QAction *makeCheckForUpdatesAction(QObject *parent)
{
    return UpdateCheck::makeAction(parent);
}

void openManual()
{
    QDesktopServices::openUrl(ManualLink::manualURL());
}

void install(HostWindow *window)
{
    QMenuBar *bar = window->menuBar();

    QMenu *app = bar->addMenu(L("누리함"));
    app->setObjectName(QStringLiteral("applicationMenu"));
    QAction *about = app->addAction(L("누리함에 관하여"), [] { AboutDialog::present(); });
    about->setObjectName(QStringLiteral("about"));
    app->addAction(makeCheckForUpdatesAction(app));
    app->addSeparator();
    QAction *settings = app->addAction(L("설정…"), [] { SettingsDialog::present(); });
    settings->setObjectName(QStringLiteral("settings"));
    settings->setShortcut(QKeySequence(QStringLiteral("Ctrl+,")));
    settings->setMenuRole(QAction::PreferencesRole);
    app->addSeparator();
    if (QApplication::quitOnLastWindowClosed()) {
        // Without a tray (the program then ends with its last window) the keep-awake switch stays
        // reachable from the window. Qt is not asked: its first look decides its tray for good.
        QAction *sleep = MenuBarContent::makeSleepToggle(SleepSwitch::shared(), app);
        app->addAction(sleep);
        app->addSeparator();
    }
    QAction *quit = app->addAction(L("누리함 종료"), [] { QApplication::quit(); });
    quit->setObjectName(QStringLiteral("quit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);

    QMenu *file = bar->addMenu(L("파일"));
    file->setObjectName(QStringLiteral("fileMenu"));
    QAction *newTab = file->addAction(L("새 탭"), [] { HostWindow::openMainWindow(QUuid::createUuid()); });
    newTab->setObjectName(QStringLiteral("newTab"));
    newTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    QAction *closeTab = file->addAction(L("탭 닫기"), window, &HostWindow::closeCurrentTab);
    closeTab->setObjectName(QStringLiteral("closeTab"));
    closeTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));

    QMenu *windowMenu = bar->addMenu(L("윈도우"));
    windowMenu->setObjectName(QStringLiteral("windowMenu"));
    QAction *previous = windowMenu->addAction(L("이전 탭"), window, &HostWindow::selectPreviousTab);
    previous->setObjectName(QStringLiteral("previousTab"));
    previous->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Left), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    QAction *next = windowMenu->addAction(L("다음 탭"), window, &HostWindow::selectNextTab);
    next->setObjectName(QStringLiteral("nextTab"));
    next->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    windowMenu->addSeparator();
    QAction *moveTab =
        windowMenu->addAction(L("탭을 새로운 윈도우로 이동"), window, &HostWindow::moveCurrentTabToNewWindow);
    moveTab->setObjectName(QStringLiteral("moveTabToNewWindow"));
    QAction *merge = windowMenu->addAction(L("모든 윈도우 병합"), window, &HostWindow::mergeAllWindows);
    merge->setObjectName(QStringLiteral("mergeAllWindows"));
    // Both only mean something with more than one tab or window.
    QObject::connect(windowMenu, &QMenu::aboutToShow, window, [window, moveTab, merge] {
        moveTab->setEnabled(window->tabs()->count() > 1);
        merge->setEnabled(HostWindow::hosts().size() > 1);
    });

    QMenu *help = bar->addMenu(L("도움말"));
    help->setObjectName(QStringLiteral("helpMenu"));
    QAction *manual = help->addAction(L("누리함 도움말"), [] { openManual(); });
    manual->setObjectName(QStringLiteral("manual"));
    manual->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Question), QKeySequence(Qt::Key_F1)});
}

} // namespace AppCommands
