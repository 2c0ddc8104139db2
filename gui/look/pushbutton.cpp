// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/look/pushbutton.h"

#include <QKeyEvent>

namespace lexalon {

void PushButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier)
        click();
    else
        QPushButton::keyPressEvent(event);
}

} // namespace lexalon
