#pragma once

#include "document/textfile.h"

#include <QString>

#include <functional>

namespace lexalon {

class BusyPointer;
class FileDialogs;
class MessageBox;
class TextDocument;
struct MessageRequest;

// A failure once the file is open: the file cannot be read to its end, or
// its text does not fit in memory. The prompt names the file and the reason.
MessageRequest cannotReadMessage(const QString &path, const QString &reason);
MessageRequest notEnoughMemoryMessage(const QString &path);

using TextFileReader = std::function<TextFileContent(const QString &path)>;

// The Open command: asks for a text file, reads it whole under the hourglass
// and loads it into the document. A cancel changes nothing; a file that
// cannot be opened or read is reported and the document stays as it was.
void openTextFile(TextDocument &document, FileDialogs &dialogs, BusyPointer &pointer,
                  MessageBox &messages, const TextFileReader &reader = readTextFile);

} // namespace lexalon
