#pragma once

#include <QObject>

// Stands in for the keep-awake controller until the real one exists: it is never active and
// declines every start, so nothing claims to keep the machine awake when nothing does.
class SleepPreventerStandIn : public QObject {
    Q_OBJECT

public:
    static SleepPreventerStandIn &shared();

    bool isActive() const { return isActive_; }
    void start() {}
    void stop();

signals:
    void isActiveChanged();

private:
    bool isActive_ = false;
};
