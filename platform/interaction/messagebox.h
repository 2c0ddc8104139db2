// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lexalon {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest
{
    QString prompt;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultButton = MessageAnswer::Ok;
    MessageIcon icon = MessageIcon::None;
    QString title; // empty: the program's title
};

inline constexpr auto programTitle = u"Lexalon";

// The lines of a prompt, as the message box shows them.
inline QString promptLines(const QString &first, const QString &second)
{
    return first + QString::fromUtf16(u"\r\n") + second;
}

// What failed on the first line, the system's reason on the second, under
// the title given, with the critical icon unless told otherwise.
inline MessageRequest failureMessage(const QString &what, const QString &reason, const QString &title,
                                     MessageIcon icon = MessageIcon::Critical)
{
    MessageRequest request;
    request.prompt = promptLines(what, reason);
    request.icon = icon;
    request.title = title;
    return request;
}

// What could not be done for want of memory: the task on the first line,
// then why, under the title given, with the information icon.
inline MessageRequest notEnoughMemoryFor(const QString &task, const QString &title)
{
    MessageRequest request;
    request.prompt = task + QString::fromUtf16(u" :\r\nla mémoire ne suffit pas pour ce texte.");
    request.icon = MessageIcon::Information;
    request.title = title;
    return request;
}

// A modal message box; answers which button was pressed.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual MessageAnswer show(const MessageRequest &request) = 0;
};

} // namespace lexalon
