// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/taskrunner.h"
#include "platform/interaction/busypointer.h"
#include "platform/interaction/busyscope.h"
#include "platform/interaction/messagebox.h"

#include <QString>

#include <new>
#include <optional>
#include <type_traits>
#include <utility>

namespace lexalon {

class TaskProgress;

// What `work` gives when run on the runner, with its progress and
// "Annuler"; nothing when the user cancelled it.
template <typename Work>
std::optional<std::invoke_result_t<Work &, TaskProgress &>> resultOf(TaskRunner &tasks, const QString &label,
                                                                      Work &&work)
{
    std::optional<std::invoke_result_t<Work &, TaskProgress &>> result;
    if (!tasks.run(label, [&](TaskProgress &progress) { result.emplace(work(progress)); }))
        return std::nullopt;
    return result;
}

// Every long command of the windows: `work` runs on the runner, then `show`
// makes on the window's thread what presents its result (a window, or rows
// put in place), both under the hourglass when a pointer is given (a caller
// that keeps it on longer gives none). Cancelled, nothing is made and
// nothing said; when memory runs out at either step, all they made is gone
// and `tooLarge` is shown. What `show` made, or a value-initialised one.
template <typename Work, typename Show>
auto runThenShow(TaskRunner &tasks, BusyPointer *pointer, MessageBox &messages, const QString &label,
                 const MessageRequest &tooLarge, Work &&work, Show &&show)
{
    std::invoke_result_t<Show &, std::invoke_result_t<Work &, TaskProgress &>> made{};
    try {
        std::optional<BusyScope> busy;
        if (pointer)
            busy.emplace(*pointer);
        if (auto result = resultOf(tasks, label, work))
            made = show(std::move(*result));
    } catch (const std::bad_alloc &) {
        messages.show(tooLarge);
    }
    return made;
}

} // namespace lexalon
