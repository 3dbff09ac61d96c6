#include "App/SleepPreventerStandIn.h"

SleepPreventerStandIn &SleepPreventerStandIn::shared()
{
    static auto *instance = new SleepPreventerStandIn;
    return *instance;
}

void SleepPreventerStandIn::stop()
{
    if (!isActive_)
        return;
    isActive_ = false;
    emit isActiveChanged();
}
