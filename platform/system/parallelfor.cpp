// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/parallelfor.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace lexalon {
namespace {

constexpr std::chrono::milliseconds waitingStep(200);

// The tasks the threads of one parallelFor share, and the first failure.
class TaskQueue
{
public:
    TaskQueue(size_t tasks, const std::function<void(size_t, size_t)> &work)
        : m_tasks(tasks)
        , m_work(work)
    {
    }

    size_t take() { return m_next++; }

    // Does `task` and those taken after it until none is left or one has
    // thrown.
    void run(size_t worker, size_t task) noexcept
    {
        for (; task < m_tasks && !m_failed; task = take()) {
            try {
                m_work(task, worker);
            } catch (...) {
                fail(std::current_exception());
            }
        }
        const std::lock_guard lock(m_mutex);
        ++m_stopped;
        m_allStopped.notify_one();
    }

    // Waits until `threads` workers have stopped, calling `whileWaiting`
    // between two looks.
    void waitFor(size_t threads, const std::function<void()> &whileWaiting)
    {
        std::unique_lock lock(m_mutex);
        while (!m_allStopped.wait_for(lock, waitingStep, [&] { return m_stopped == threads; })) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }

    void rethrowFailure() const
    {
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

private:
    void fail(std::exception_ptr failure)
    {
        const std::lock_guard lock(m_mutex);
        if (!m_failure)
            m_failure = std::move(failure);
        m_failed = true;
    }

    const size_t m_tasks;
    const std::function<void(size_t, size_t)> &m_work;
    std::atomic<size_t> m_next = 0;
    std::atomic<bool> m_failed = false;
    std::mutex m_mutex;
    std::condition_variable m_allStopped;
    size_t m_stopped = 0;
    std::exception_ptr m_failure;
};

} // namespace

void parallelFor(size_t tasks, size_t workers, const std::function<void(size_t task, size_t worker)> &work,
                 const std::function<void()> &whileWaiting)
{
    if (tasks == 0)
        return;
    workers = std::clamp<size_t>(workers, 1, tasks);
    TaskQueue queue(tasks, work);
    const bool callerWorks = !whileWaiting;
    // Taken before any thread starts, so that the first task is the caller's.
    const size_t callerTask = callerWorks ? queue.take() : tasks;
    std::vector<std::thread> threads;
    try {
        for (size_t worker = callerWorks ? 1 : 0; worker < workers; ++worker)
            threads.emplace_back([&queue, worker] { queue.run(worker, queue.take()); });
    } catch (const std::system_error &) {
        // No more threads: those started, or the calling thread, do the rest.
    }
    if (callerWorks) {
        queue.run(0, callerTask);
    } else if (threads.empty()) {
        queue.run(0, queue.take());
    } else {
        queue.waitFor(threads.size(), whileWaiting);
    }
    for (std::thread &thread : threads)
        thread.join();
    queue.rethrowFailure();
}

} // namespace lexalon
