#pragma once

#include "text/textfile.h"

#include <QString>

#include <functional>

namespace lexalon {

class BusyPointer;
class FileDialogs;
class MessageBox;
class TextDocument;
struct MessageRequest;

// A failure once the file is open: the file cannot be read to its end, or
// its text does not fit in memory. The prompt names the file and the reason,
// the title what happened.
MessageRequest cannotReadMessage(const QString &path, const QString &reason);
MessageRequest notEnoughMemoryMessage(const QString &path);

using TextFileReader = std::function<TextFileContent(const QString &path)>;

// The Open command: asks for a text file, then loads it as below. A cancel
// changes nothing.
void openTextFile(TextDocument &document, FileDialogs &dialogs, BusyPointer &pointer,
                  MessageBox &messages, const TextFileReader &reader = [](const QString &path) { return readTextFile(path); });

// Reads a text file whole under the hourglass and loads it into the
// document, when the document can open one. A file that cannot be opened or
// read is reported and the document stays as it was.
void loadTextFile(TextDocument &document, const QString &path, BusyPointer &pointer, MessageBox &messages,
                  const TextFileReader &reader = [](const QString &path) { return readTextFile(path); });

} // namespace lexalon
