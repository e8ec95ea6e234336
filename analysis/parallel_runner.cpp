#include "analysis/parallel_runner.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace thermalyx {

ParallelOptions parallelJobs(int jobs, std::stop_token stop) {
    ParallelOptions options;
    options.jobs = jobs;
    options.stop = std::move(stop);
    return options;
}

int workerCount(std::size_t count, int jobs) {
    std::size_t workers = jobs > 0 ? static_cast<std::size_t>(jobs)
                                   : static_cast<std::size_t>(std::thread::hardware_concurrency());
    workers = std::clamp<std::size_t>(workers, 1, std::max<std::size_t>(count, 1));
    return static_cast<int>(workers);
}

bool parallelFor(std::size_t count, const std::function<void(std::size_t)>& body,
                 const ParallelOptions& options) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::size_t done = 0;  // guarded by reportLock
    std::mutex reportLock;
    std::exception_ptr firstError;

    const auto work = [&] {
        while (!options.stop.stop_requested() && !failed.load(std::memory_order_relaxed)) {
            const std::size_t index = next.fetch_add(1, std::memory_order_relaxed);
            if (index >= count) return;
            try {
                body(index);
            } catch (...) {
                const std::lock_guard lock(reportLock);
                if (!firstError) firstError = std::current_exception();
                failed.store(true, std::memory_order_relaxed);
                return;
            }
            const std::lock_guard lock(reportLock);
            ++done;
            if (options.progress) options.progress(done, count);
        }
    };

    // The calling thread is one of the workers; the others join on scope exit.
    const int workers = workerCount(count, options.jobs);
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(static_cast<std::size_t>(workers - 1));
        for (int w = 1; w < workers; ++w) helpers.emplace_back(work);
        work();
    }
    if (firstError) std::rethrow_exception(firstError);
    return done == count;
}

}  // namespace thermalyx
