#pragma once

#include <cstdint>
#include <functional>
#include <map>

// Delayed work on the main thread. The real scheduler uses QTimer::singleShot; tests install a
// ManualScheduler and advance its clock, so no test sleeps.
class Scheduler {
public:
    virtual ~Scheduler() = default;
    virtual void after(int milliseconds, std::function<void()> work) = 0;

    // The scheduler in use (the timer-based one unless a test installed another).
    static Scheduler &main();
    static void install(Scheduler *scheduler); // nullptr restores the timer-based one
};

class ManualScheduler : public Scheduler {
public:
    void after(int milliseconds, std::function<void()> work) override;
    // Moves the clock forward, running due work in time order (work may schedule more).
    void advance(int milliseconds);
    std::int64_t now() const { return now_; }
    std::size_t pendingCount() const { return queue_.size(); }

private:
    std::int64_t now_ = 0;
    std::uint64_t sequence_ = 0;
    std::multimap<std::pair<std::int64_t, std::uint64_t>, std::function<void()>> queue_;
};
