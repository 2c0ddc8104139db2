#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>

class QIODevice;

namespace lexalon {

class WordList;

// The saved word list: the heading line, then one line per form, the form,
// tab, its count, CR LF, one Windows-1252 byte per character, no byte-order
// mark. A list of several texts has after the count one column per text,
// headed by its name. Written to the device a piece at a time; false when a
// write fails.
bool writeWordList(const WordList &list, QIODevice &device);
// The same bytes, whole.
QByteArray wordListBytes(const WordList &list);

// Characters outside Windows-1252 become '?'.
QByteArray encodeWindows1252(QStringView text);

struct WriteOutcome
{
    bool ok = true;
    QString errorString; // the system's reason when not ok
};

// Writes the file whole or not at all: an existing file is replaced only once
// the new one is complete; a device or a FIFO with a reader is written in
// place; any other kind of file is refused. `write` says whether its writes
// all succeeded.
WriteOutcome writeWholeFile(const QString &path, const std::function<bool(QIODevice &)> &write);

} // namespace lexalon
