// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/qtmessagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace lexalon {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QtMessageBox::QtMessageBox(QWidget *parent)
    : m_parent(parent)
{
}

MessageAnswer QtMessageBox::show(const MessageRequest &request)
{
    QMessageBox box(m_parent ? m_parent : QApplication::activeWindow());
    box.setWindowTitle(request.title.isEmpty() ? QString::fromUtf16(programTitle) : request.title);
    box.setText(request.prompt);
    box.setIcon(qtIcon(request.icon));
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(request.defaultButton == MessageAnswer::No ? QMessageBox::No
                                                                        : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace lexalon
