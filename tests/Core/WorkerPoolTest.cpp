#include "Core/WorkerPool.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// The calling thread's order of finished items and the threads the preparation ran on.
struct Outcome {
    std::vector<std::size_t> finished;
    std::set<std::thread::id> preparedOn;
    std::string error;
};

Outcome runItems(std::size_t count, unsigned workers, std::size_t failAt = SIZE_MAX)
{
    Outcome run;
    std::mutex mutex;
    std::atomic<std::size_t> inFlight{0};
    std::atomic<std::size_t> mostInFlight{0};
    std::atomic<std::size_t> finishedCount{0};
    try {
        WorkerPool::inOrder(
            count, workers,
            [&](std::size_t i, unsigned worker) {
                EXPECT_LT(worker, std::max(workers, 1u));
                {
                    const std::lock_guard lock(mutex);
                    run.preparedOn.insert(std::this_thread::get_id());
                }
                // Never more items taken than the window allows beyond those finished.
                EXPECT_LT(i, finishedCount.load() + WorkerPool::window(std::max(workers, 1u)) + 1);
                const std::size_t now = ++inFlight;
                std::size_t most = mostInFlight.load();
                while (now > most && !mostInFlight.compare_exchange_weak(most, now)) {
                }
                // Later items finish their preparation first now and then.
                if (i % 7 == 0)
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
                --inFlight;
                if (i == failAt)
                    throw std::runtime_error("item " + std::to_string(i));
                return std::make_unique<std::size_t>(i * 3);
            },
            [&](std::size_t i, std::unique_ptr<std::size_t> result) {
                EXPECT_EQ(*result, i * 3);
                run.finished.push_back(i);
                ++finishedCount;
            });
    } catch (const std::runtime_error &e) {
        run.error = e.what();
    }
    EXPECT_LE(mostInFlight.load(), std::size_t(std::max(workers, 1u)));
    return run;
}

std::vector<std::size_t> upTo(std::size_t n)
{
    std::vector<std::size_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = i;
    return v;
}

} // namespace

TEST(WorkerPool, finishesEveryItemInOrderOnTheCallingThread)
{
    for (const unsigned workers : {1u, 2u, 4u, 8u}) {
        SCOPED_TRACE(workers);
        const Outcome run = runItems(500, workers);
        EXPECT_EQ(run.finished, upTo(500));
        EXPECT_TRUE(run.error.empty());
        if (workers == 1) {
            EXPECT_EQ(run.preparedOn, std::set<std::thread::id>{std::this_thread::get_id()});
        } else {
            EXPECT_EQ(run.preparedOn.count(std::this_thread::get_id()), 0u);
        }
    }
    EXPECT_TRUE(runItems(0, 4).finished.empty());
    EXPECT_EQ(runItems(1, 4).finished, upTo(1));
}

// A failing item ends the run at its turn, with every item before it finished and none after.
TEST(WorkerPool, aFailureIsThrownAtItsTurn)
{
    for (const unsigned workers : {1u, 3u, 8u}) {
        SCOPED_TRACE(workers);
        for (const std::size_t failAt : {std::size_t(0), std::size_t(37), std::size_t(199)}) {
            const Outcome run = runItems(200, workers, failAt);
            EXPECT_EQ(run.finished, upTo(failAt));
            EXPECT_EQ(run.error, "item " + std::to_string(failAt));
        }
    }
}

// A failure on the calling thread stops the workers too; nothing runs after the call returns.
TEST(WorkerPool, aFailureWhileFinishingStopsTheWorkers)
{
    std::atomic<int> running{0};
    std::atomic<int> prepared{0};
    EXPECT_THROW(WorkerPool::inOrder(
                     10000, 4u,
                     [&](std::size_t i, unsigned) {
                         ++running;
                         ++prepared;
                         --running;
                         return i;
                     },
                     [&](std::size_t i, std::size_t) {
                         if (i == 10)
                             throw std::logic_error("stop");
                     }),
                 std::logic_error);
    EXPECT_EQ(running.load(), 0);
    EXPECT_LE(prepared.load(), 11 + int(WorkerPool::window(4)));
}

TEST(WorkerPool, threadsAreTheOnlineCoresCappedByTheEnvironment)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const struct {
        const char *value;
        unsigned expected;
    } cases[] = {{"1", 1},          {"2", std::min(cores, 2u)},
                 {"100000", cores}, {"0", cores},
                 {"x", cores},      {"3x", cores},
                 {"", cores},       {"-2", cores}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        const TestSupport::WorkerThreads cap(c.value);
        EXPECT_EQ(WorkerPool::threads(), c.expected);
    }
}
