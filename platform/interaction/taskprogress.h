// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <atomic>

namespace lexalon {

// Thrown by a long task that was asked to stop: what it built is given back
// as the exception unwinds.
struct TaskCancelled
{
};

// What a long task shares with the thread that waits for it: how far it has
// come and whether it should stop. Safe across threads.
class TaskProgress
{
public:
    void setTotal(qint64 total) { m_total = total; }
    qint64 total() const { return m_total; }
    qint64 done() const { return m_done; }

    // Records how far the task has come, never backwards; throws
    // TaskCancelled once the task is asked to stop.
    void advance(qint64 done)
    {
        if (m_cancelled)
            throw TaskCancelled();
        m_done = std::max<qint64>(m_done, done);
    }

    void cancel() { m_cancelled = true; }
    bool cancelled() const { return m_cancelled; }

private:
    std::atomic<qint64> m_total = 0;
    std::atomic<qint64> m_done = 0;
    std::atomic<bool> m_cancelled = false;
};

// For a thread that waits on the parts of a task done on others: moves the
// whole on to what the parts have done and, once the whole is asked to
// stop, asks each part to.
template <typename Parts, typename DoneOf, typename Cancel>
void advanceByParts(TaskProgress &whole, Parts &parts, DoneOf doneOf, Cancel cancel)
{
    qint64 done = 0;
    for (const auto &part : parts)
        done += doneOf(part);
    try {
        whole.advance(done);
    } catch (const TaskCancelled &) {
        for (auto &part : parts)
            cancel(part);
    }
}

} // namespace lexalon
