// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/interaction/busypointer.h"
#include "platform/interaction/messagebox.h"

#include <functional>
#include <ostream>
#include <tuple>
#include <vector>

namespace lexalon::testing {

// What a user sees of a command, in order.
enum class Event { Hourglass, DefaultPointer, Question, Success, Failure, OtherMessage };

inline void PrintTo(Event event, std::ostream *out)
{
    const char *const names[] = {"Hourglass", "DefaultPointer", "Question", "Success", "Failure", "OtherMessage"};
    *out << names[int(event)];
}

// Records the pointer's changes and the messages shown, each message as the
// event `kindOf` names (OtherMessage unless a test says). Questions get
// `answer`, others their default button.
struct CommandLog final : MessageBox, BusyPointer
{
    MessageAnswer show(const MessageRequest &request) override
    {
        events.push_back(kindOf ? kindOf(request) : Event::OtherMessage);
        messages.push_back(request);
        return request.buttons == MessageButtons::YesNo ? answer : request.defaultButton;
    }
    void setMousePointer(MousePointer shown) override
    {
        events.push_back((pointer = shown) == MousePointer::Hourglass ? Event::Hourglass : Event::DefaultPointer);
    }
    MousePointer mousePointer() const override { return pointer; }

    std::function<Event(const MessageRequest &)> kindOf;
    MessageAnswer answer = MessageAnswer::Yes;
    MousePointer pointer = MousePointer::Default;
    std::vector<Event> events;
    std::vector<MessageRequest> messages;
};

// A message's fields, to compare whole.
inline auto fields(const MessageRequest &m) { return std::tie(m.prompt, m.buttons, m.defaultButton, m.icon, m.title); }

} // namespace lexalon::testing
