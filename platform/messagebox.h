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

// A modal message box; answers which button was pressed.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual MessageAnswer show(const MessageRequest &request) = 0;
};

} // namespace lexalon
