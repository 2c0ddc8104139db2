#pragma once

#include "platform/busypointer.h"
#include "platform/messagebox.h"
#include "tests/support/scripteddialogs.h"

#include <vector>

namespace lexalon::testing {

// A scripted message box that also records where the pointer stood when
// each message was shown.
class PointerAwareMessageBox final : public MessageBox
{
public:
    explicit PointerAwareMessageBox(const BusyPointer &pointer)
        : m_pointer(pointer)
    {
    }

    MessageAnswer show(const MessageRequest &request) override
    {
        m_pointerAtShow.push_back(m_pointer.mousePointer());
        return m_box.show(request);
    }

    ScriptedMessageBox &box() { return m_box; }
    const std::vector<MessageRequest> &requests() const { return m_box.requests(); }
    const std::vector<MousePointer> &pointerAtShow() const { return m_pointerAtShow; }

private:
    const BusyPointer &m_pointer;
    ScriptedMessageBox m_box;
    std::vector<MousePointer> m_pointerAtShow;
};

} // namespace lexalon::testing
