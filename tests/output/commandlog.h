#pragma once

#include "platform/busypointer.h"
#include "platform/messagebox.h"

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
    void setMousePointer(MousePointer pointer) override { events += pointer == MousePointer::Hourglass ? 'H' : 'D'; }
    MousePointer mousePointer() const override
    {
        const auto last = events.find_last_of("HD");
        return last != std::string::npos && events[last] == 'H' ? MousePointer::Hourglass : MousePointer::Default;
    }

    MessageAnswer answer = MessageAnswer::Yes;
    std::string events;
    std::vector<MessageRequest> messages;
};

// A message's fields, to compare whole.
inline auto fields(const MessageRequest &m) { return std::tie(m.prompt, m.buttons, m.defaultButton, m.icon, m.title); }

} // namespace lexalon::testing
