#include "analysis/parallel_runner.h"

#include <atomic>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace thermalyx {
namespace {

TEST(ParallelForTest, RunsEveryIndexOnceForAnyNumberOfWorkers) {
    for (int jobs : {0, 1, 2, 8}) {
        for (std::size_t count : {0u, 1u, 3u, 1000u}) {
            std::vector<std::atomic<int>> runs(count);
            const bool complete = parallelFor(
                count, [&](std::size_t i) { runs[i].fetch_add(1); }, parallelJobs(jobs));
            EXPECT_TRUE(complete) << jobs << " jobs, " << count;
            for (std::size_t i = 0; i < count; ++i)
                ASSERT_EQ(runs[i].load(), 1) << "index " << i << ", " << jobs << " jobs";
        }
    }
}

TEST(ParallelForTest, ProgressCountsUpOneAtATimeToTheTotal) {
    std::vector<std::size_t> seen;
    std::size_t totals = 0;
    ParallelOptions options;
    options.jobs = 4;
    // Calls are serialised, so the vector needs no lock of its own.
    options.progress = [&](std::size_t done, std::size_t total) {
        seen.push_back(done);
        if (total == 200) ++totals;
    };
    ASSERT_TRUE(parallelFor(
        200, [](std::size_t) {}, options));
    ASSERT_EQ(seen.size(), 200u);
    EXPECT_EQ(totals, 200u);
    for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], i + 1);
}

TEST(ParallelForTest, AStopRequestEndsTheRunEarly) {
    for (int jobs : {1, 2, 8}) {
        std::stop_source source;
        std::atomic<int> ran{0};
        ParallelOptions options;
        options.jobs = jobs;
        options.stop = source.get_token();
        options.progress = [&](std::size_t done, std::size_t) {
            if (done == 5) source.request_stop();
        };
        EXPECT_FALSE(parallelFor(
            10000, [&](std::size_t) { ran.fetch_add(1); }, options));
        // Each worker finishes at most the index it had claimed.
        EXPECT_GE(ran.load(), 5) << jobs;
        EXPECT_LE(ran.load(), 5 + jobs) << jobs;
    }
}

TEST(ParallelForTest, StoppedBeforeTheStartRunsNothing) {
    std::stop_source source;
    source.request_stop();
    std::atomic<int> ran{0};
    EXPECT_FALSE(parallelFor(
        50, [&](std::size_t) { ran.fetch_add(1); }, parallelJobs(2, source.get_token())));
    EXPECT_EQ(ran.load(), 0);
    // An empty run is complete even when stopped.
    EXPECT_TRUE(parallelFor(
        0, [](std::size_t) {}, parallelJobs(0, source.get_token())));
}

TEST(ParallelForTest, AnExceptionReachesTheCallerAfterTheWorkersEnd) {
    constexpr std::size_t kCount = 100000;
    std::vector<std::atomic<int>> runs(kCount);
    const auto body = [&](std::size_t i) {
        runs[i].fetch_add(1);
        if (i == 3) throw std::runtime_error("index 3");
    };
    // One worker claims the indices in order: nothing runs after the throw.
    EXPECT_THROW(parallelFor(kCount, body, parallelJobs(1)), std::runtime_error);
    for (std::size_t i = 0; i < kCount; ++i) ASSERT_EQ(runs[i].load(), i <= 3 ? 1 : 0) << i;

    // Several workers may finish the indices they claimed before they see the
    // failure (how many depends on the scheduler), but none runs twice.
    for (std::atomic<int>& r : runs) r.store(0);
    EXPECT_THROW(parallelFor(kCount, body, parallelJobs(4)), std::runtime_error);
    EXPECT_EQ(runs[3].load(), 1);
    for (std::size_t i = 0; i < kCount; ++i) ASSERT_LE(runs[i].load(), 1) << i;
}

}  // namespace
}  // namespace thermalyx
