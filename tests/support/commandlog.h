#pragma once

#include "platform/interaction/busypointer.h"
#include "platform/interaction/messagebox.h"

#include <string>
#include <tuple>
#include <vector>

namespace lexalon::testing {

// What a command showed, in order: 'H' the hourglass, 'D' the default
// pointer, 'M' a message. Questions get `answer`, others their default button.
struct CommandLog final : MessageBox, BusyPointer
{
    MessageAnswer show(const MessageRequest &request) override
    {
        events += 'M';
        messages.push_back(request);
        return request.buttons == MessageButtons::YesNo ? answer : request.defaultButton;
    }
    void setMousePointer(MousePointer shown) override { events += (pointer = shown) == MousePointer::Hourglass ? 'H' : 'D'; }
    MousePointer mousePointer() const override { return pointer; }

    MessageAnswer answer = MessageAnswer::Yes;
    MousePointer pointer = MousePointer::Default;
    std::string events;
    std::vector<MessageRequest> messages;
};

// A message's fields, to compare whole.
inline auto fields(const MessageRequest &m) { return std::tie(m.prompt, m.buttons, m.defaultButton, m.icon, m.title); }

} // namespace lexalon::testing
