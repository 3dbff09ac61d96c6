#pragma once

#include "SleepPreventerController.h"

#include <QWidget>

#include <map>

class QAbstractButton;
class QCheckBox;
class ToggleSwitch;
class QLabel;
class QPushButton;

// The sleep preventer's page: a master switch with a live status line, the duration, the guards and an
// explanation. It keeps no state of its own and follows the controller, also when something else (the
// tray item, the expiry) changes it.
class SleepPreventerView : public QWidget {
    Q_OBJECT

public:
    explicit SleepPreventerView(SleepPreventerController &controller, QWidget *parent = nullptr);

    static QString navigationTitle();    // "잠자기 방지"
    static QString navigationSubtitle(); // "다운로드·발표할 때 화면 꺼짐 막기"

    SleepPreventerController &controller() const { return controller_; }
    QString statusText() const;
    // Ticks or unticks one guard; a running session restarts with the new set (and stays off when the
    // set becomes empty).
    void setGuard(SleepPreventerController::Guard guard, bool ticked);

private:
    void flipMasterSwitch();
    void sync();

    SleepPreventerController &controller_;
    bool nothingHeld_ = false; // the last start from this page could hold nothing
    QLabel *symbol_ = nullptr;
    QLabel *title_ = nullptr;
    ToggleSwitch *masterSwitch_ = nullptr;
    QLabel *status_ = nullptr;
    QLabel *warning_ = nullptr;
    QLabel *noPowerService_ = nullptr;
    std::map<SleepPreventerController::Duration, QPushButton *> durationButtons_;
    std::map<SleepPreventerController::Guard, QCheckBox *> guardBoxes_;
};
