#include "Core/Scheduler.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

class TimerScheduler : public Scheduler {
public:
    void after(int milliseconds, std::function<void()> work) override
    {
        QTimer::singleShot(milliseconds, QCoreApplication::instance(), std::move(work));
    }
};

Scheduler *&installed()
{
    static Scheduler *scheduler = nullptr;
    return scheduler;
}

} // namespace

Scheduler &Scheduler::main()
{
    static TimerScheduler timers;
    Scheduler *s = installed();
    return s != nullptr ? *s : timers;
}

void Scheduler::install(Scheduler *scheduler)
{
    installed() = scheduler;
}

void ManualScheduler::after(int milliseconds, std::function<void()> work)
{
    queue_.emplace(std::make_pair(now_ + std::max(milliseconds, 0), sequence_++), std::move(work));
}

void ManualScheduler::advance(int milliseconds)
{
    const std::int64_t until = now_ + milliseconds;
    while (!queue_.empty() && queue_.begin()->first.first <= until) {
        auto node = queue_.extract(queue_.begin());
        now_ = node.key().first;
        node.mapped()();
    }
    now_ = until;
}
