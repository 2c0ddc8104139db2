// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/interaction/messagebox.h"

class QWidget;

namespace lexalon {

// The message box on screen, modal over its parent window, or over the
// active window when it is given none.
class QtMessageBox final : public MessageBox
{
public:
    explicit QtMessageBox(QWidget *parent);
    MessageAnswer show(const MessageRequest &request) override;

private:
    QWidget *m_parent;
};

} // namespace lexalon
