// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lexalon {

// The pointer values a window shows: the hourglass while a command works.
enum class MousePointer { Default, Hourglass };

class BusyPointer
{
public:
    virtual ~BusyPointer() = default;
    virtual void setMousePointer(MousePointer pointer) = 0;
    virtual MousePointer mousePointer() const = 0;
};

} // namespace lexalon
