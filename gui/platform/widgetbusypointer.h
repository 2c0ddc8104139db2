// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/interaction/busypointer.h"

#include <memory>

class QWidget;

namespace lexalon {

// The busy pointer of one window: the wait cursor over it, or its default.
class WidgetBusyPointer final : public BusyPointer
{
public:
    explicit WidgetBusyPointer(QWidget &window);

    void setMousePointer(MousePointer pointer) override;
    MousePointer mousePointer() const override { return m_pointer; }

private:
    QWidget &m_window;
    MousePointer m_pointer = MousePointer::Default;
};

std::unique_ptr<BusyPointer> widgetBusyPointer(QWidget &window);

} // namespace lexalon
