// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

namespace lexalon {

// Calls work(task, worker) for each task from 0 to tasks - 1 on at most
// `workers` threads, numbered from 0, each taking the next task not yet
// taken. The calling thread works too, as worker 0 beginning with task 0,
// unless `whileWaiting` is given, which it then calls some times a second
// until every task is done. A thread the system refuses leaves its tasks to
// the others (to the calling thread when none could start). The first
// exception a task throws is thrown again once every thread has stopped, and
// tasks not yet begun are then skipped.
void parallelFor(size_t tasks, size_t workers, const std::function<void(size_t task, size_t worker)> &work,
                 const std::function<void()> &whileWaiting = {});

} // namespace lexalon
