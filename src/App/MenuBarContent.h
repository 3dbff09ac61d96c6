#pragma once

#include "App/SleepSwitch.h"

#include <QMenu>

// The menu of the tray item, in this order: the keep-awake switch, a separator, "누리함 열기",
// "누리함에 관하여", the update check, a separator and "누리함 종료".
class MenuBarContent : public QMenu {
    Q_OBJECT

public:
    explicit MenuBarContent(const SleepSwitch &sleepPreventer, QWidget *parent = nullptr);

    QAction *sleepToggle() const { return sleepToggle_; }

    // The keep-awake switch: it always shows the controller's state; flipping it stops a
    // running controller and starts a stopped one, and then shows what the controller says, so
    // a declined start leaves it off.
    static QAction *makeSleepToggle(const SleepSwitch &sleepPreventer, QObject *parent);

    // "누리함 열기": a main window comes forward, or one is opened when none is there.
    static void openMainWindow();

private:
    QAction *sleepToggle_ = nullptr;
};
