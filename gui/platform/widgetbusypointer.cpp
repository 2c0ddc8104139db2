// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/widgetbusypointer.h"

#include <QWidget>

namespace lexalon {

WidgetBusyPointer::WidgetBusyPointer(QWidget &window)
    : m_window(window)
{
}

void WidgetBusyPointer::setMousePointer(MousePointer pointer)
{
    m_pointer = pointer;
    if (pointer == MousePointer::Hourglass)
        m_window.setCursor(Qt::WaitCursor);
    else
        m_window.unsetCursor();
}

std::unique_ptr<BusyPointer> widgetBusyPointer(QWidget &window)
{
    return std::make_unique<WidgetBusyPointer>(window);
}

} // namespace lexalon
