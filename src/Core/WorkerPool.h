#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

// Worker threads for the batch steps that run inside one synchronous call (photos converted,
// archive entries compressed and encrypted). The calling thread keeps everything whose order can
// be seen: it takes the results one by one in the order of the items.
namespace WorkerPool {

// Online cores, capped by the environment variable QUILLFERN_THREADS (1: no worker threads, the
// calling thread does everything).
unsigned threads();

// Items taken by workers and not yet finished by the calling thread, at most: enough for every
// worker to stay busy while the calling thread is behind by a few items.
inline std::size_t window(unsigned workers)
{
    return std::size_t(2) * workers;
}

namespace detail {
// Runs work(i, worker) on `workers` threads and finish(i) on the calling thread in the order of i,
// with at most window(workers) items taken and not yet finished. An exception from work(i) is
// thrown on the calling thread when item i's turn comes; every thread has ended before this
// returns or throws.
void run(std::size_t count, unsigned workers, const std::function<void(std::size_t, unsigned)> &work,
         const std::function<void(std::size_t)> &finish);
} // namespace detail

// prepare(i, worker) for every item i in [0, count) on up to `workers` threads (worker < workers
// names the thread, for state of its own), then finish(i, result) on the calling thread in the
// order of i. With one worker, or one item, both run on the calling thread, item after item. An
// exception from prepare(i) is thrown from here when item i's turn comes, as if the items ran
// one after the other; items after it are never finished.
template <typename Prepare, typename Finish>
void inOrder(std::size_t count, unsigned workers, Prepare &&prepare, Finish &&finish)
{
    using Result = std::invoke_result_t<Prepare &, std::size_t, unsigned>;
    workers = unsigned(std::min<std::size_t>(workers, count));
    if (workers <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            finish(i, prepare(i, 0u));
        return;
    }
    const std::size_t ring = window(workers);
    std::vector<std::optional<Result>> results(ring);
    detail::run(
        count, workers,
        [&](std::size_t i, unsigned worker) { results[i % ring].emplace(prepare(i, worker)); },
        [&](std::size_t i) {
            Result result = std::move(*results[i % ring]);
            results[i % ring].reset();
            finish(i, std::move(result));
        });
}

} // namespace WorkerPool
