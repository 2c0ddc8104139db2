// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/textfile.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace lexalon {

class BusyPointer;
class FileDialogs;
class MessageBox;
class ParagraphIndex;
class TextDocument;
struct MessageRequest;

// A failure once the file is open: the file cannot be read to its end, or
// its text does not fit in memory. The prompt names the file and the reason,
// the title what happened.
MessageRequest cannotReadMessage(const QString &path, const QString &reason);
MessageRequest notEnoughMemoryMessage(const QString &path);
// Why a text file could not be opened or read, naming it; none when it was
// read or the read was cancelled.
std::optional<MessageRequest> readFailureMessage(const QString &path, const TextFileContent &content);

// A text file read for the window: its content and, when the reader made it
// with the read, the index the pane lays the text out by.
struct TextFileRead
{
    TextFileContent content;
    std::shared_ptr<const ParagraphIndex> paragraphs;
};
using TextFileReader = std::function<TextFileRead(const QString &path)>;

// The Open command: asks for a text file, then loads it as below. A cancel
// changes nothing.
void openTextFile(TextDocument &document, FileDialogs &dialogs, BusyPointer &pointer,
                  MessageBox &messages, const TextFileReader &reader = [](const QString &path) { return TextFileRead{readTextFile(path), nullptr}; });

// Reads a text file whole under the hourglass and loads it into the
// document, when the document can open one. A file that cannot be opened or
// read is reported and the document stays as it was.
void loadTextFile(TextDocument &document, const QString &path, BusyPointer &pointer, MessageBox &messages,
                  const TextFileReader &reader = [](const QString &path) { return TextFileRead{readTextFile(path), nullptr}; });

} // namespace lexalon
