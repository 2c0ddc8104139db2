// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/interaction/busypointer.h"

namespace lexalon {

// The hourglass for the life of a scope: the default pointer comes back on
// every way out of it.
class BusyScope
{
public:
    explicit BusyScope(BusyPointer &pointer)
        : m_pointer(pointer)
    {
        m_pointer.setMousePointer(MousePointer::Hourglass);
    }
    ~BusyScope() { m_pointer.setMousePointer(MousePointer::Default); }

    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    BusyPointer &m_pointer;
};

} // namespace lexalon
