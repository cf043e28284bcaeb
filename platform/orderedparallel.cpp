#include "orderedparallel.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {

int coreCount()
{
    const unsigned n = std::thread::hardware_concurrency();
    return n > 0 ? int(n) : 1;
}

void orderedParallelFor(int count, const std::function<void(int)> &work, const std::function<void(int)> &deliver,
                        int threads)
{
    if (count <= 0)
        return;
    threads = std::min(threads > 0 ? threads : coreCount(), count);
    if (threads == 1) {
        for (int i = 0; i < count; ++i) {
            work(i);
            deliver(i);
        }
        return;
    }

    std::atomic<int> next{0};
    std::mutex mutex;
    std::condition_variable doneChanged;
    std::vector<char> done(static_cast<size_t>(count), 0);             // guarded by mutex
    std::vector<std::exception_ptr> errors(static_cast<size_t>(count)); // item i's, set before done[i]

    auto runOne = [&](int i) {
        try {
            work(i);
        } catch (...) {
            errors[size_t(i)] = std::current_exception();
        }
        {
            const std::lock_guard<std::mutex> lock(mutex);
            done[size_t(i)] = 1;
        }
        doneChanged.notify_all();
    };
    auto helper = [&] {
        for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1))
            runOne(i);
    };

    std::vector<std::thread> pool;
    pool.reserve(size_t(threads - 1));
    auto stopAndJoin = [&] {
        next.store(count); // nothing more is handed out; items under way finish
        for (std::thread &t : pool) {
            if (t.joinable())
                t.join();
        }
    };

    try {
        for (int t = 1; t < threads; ++t) {
            try {
                pool.emplace_back(helper);
            } catch (const std::system_error &) {
                break; // no more threads to be had: the ones there are do the work
            }
        }
        // The calling thread works too, and hands over each result as soon as those before it
        // are in; while the next result is still being made elsewhere and nothing is left to
        // take, it waits.
        for (int delivered = 0; delivered < count;) {
            bool ready;
            {
                const std::lock_guard<std::mutex> lock(mutex);
                ready = done[size_t(delivered)] != 0;
            }
            if (ready) {
                if (errors[size_t(delivered)])
                    std::rethrow_exception(errors[size_t(delivered)]);
                deliver(delivered++);
                continue;
            }
            const int i = next.fetch_add(1);
            if (i < count) {
                runOne(i);
                continue;
            }
            std::unique_lock<std::mutex> lock(mutex);
            doneChanged.wait(lock, [&] { return done[size_t(delivered)] != 0; });
        }
    } catch (...) {
        stopAndJoin();
        throw;
    }
    stopAndJoin();
}

void parallelFor(int count, const std::function<void(int)> &work, int threads)
{
    orderedParallelFor(count, work, [](int) {}, threads);
}

} // namespace platform
