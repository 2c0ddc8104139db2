// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/parallelfor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace lexalon;

TEST(ParallelFor, EachTaskOnceOnAWorkerBelowTheCount)
{
    const struct
    {
        size_t tasks, workers;
        bool waiting; // the calling thread waits rather than works, beginning with task 0
    } rows[] = {{0, 2, false}, {0, 2, true},  {1, 1, false},   {1, 0, true},
                {3, 8, false}, {3, 8, true}, {200, 3, false}, {200, 3, true}};
    for (const auto &row : rows) {
        std::vector<std::atomic<int>> done(row.tasks);
        std::atomic<bool> misplaced = false;
        const std::thread::id caller = std::this_thread::get_id();
        const auto work = [&](size_t task, size_t worker) {
            ++done[task];
            const bool callerFirst = task != 0 || row.waiting || std::this_thread::get_id() == caller;
            misplaced = misplaced || !callerFirst || worker >= std::max<size_t>(row.workers, 1);
        };
        parallelFor(row.tasks, row.workers, work, row.waiting ? std::function<void()>([] {}) : nullptr);
        for (size_t task = 0; task < row.tasks; ++task)
            EXPECT_EQ(done[task], 1) << row.tasks << " tasks, " << row.workers << " workers, task " << task;
        EXPECT_FALSE(misplaced) << row.tasks << " tasks, " << row.workers << " workers";
    }
}

TEST(ParallelFor, AFailureIsThrownOnceEveryThreadHasStopped)
{
    for (const size_t workers : {1, 4}) {
        std::atomic<int> running = 0, begun = 0;
        std::atomic<bool> thrown = false;
        const auto work = [&](size_t task, size_t) {
            ++begun;
            if (task == 0) { // the calling thread's
                thrown = true;
                throw std::runtime_error("task 0");
            }
            ++running;
            while (!thrown)
                std::this_thread::yield();
            --running;
        };
        EXPECT_THROW(parallelFor(100, workers, work), std::runtime_error);
        EXPECT_EQ(running, 0) << workers << " workers";
        if (workers == 1) { // the tasks after the failure are skipped
            EXPECT_EQ(begun, 1);
        }
    }
}

TEST(ParallelFor, TheCallingThreadWaitsCallingWhileWaiting)
{
    std::atomic<int> calls = 0, done = 0;
    const auto work = [&](size_t, size_t) {
        while (calls == 0)
            std::this_thread::yield();
        ++done;
    };
    parallelFor(3, 2, work, [&] { ++calls; });
    EXPECT_EQ(done, 3);
}
