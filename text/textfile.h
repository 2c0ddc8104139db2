// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>


class QIODevice;

namespace lexalon {
class TaskProgress;
}

namespace lexalon {

// The byte-order mark that starts a UTF-8 file, read and written.
inline constexpr QByteArrayView utf8ByteOrderMark("\xEF\xBB\xBF");

enum class TextEncoding { Windows1252, Utf8, Utf16 };

// The outcome of reading a text file whole: the text, or why there is none.
struct TextFileContent
{
    enum class Status { Ok, OpenFailed, ReadFailed, TooLarge, Cancelled };

    Status status = Status::Ok;
    QString text;
    TextEncoding encoding = TextEncoding::Windows1252;
    QString errorString; // why, in French, when status is not Ok
    QString title;       // the name a document gives itself, if any

    bool ok() const { return status == Status::Ok; }
};

// Bytes read at a time: the file is never held whole as bytes beside its text.
// The fuzzing build reads a few bytes at a time, so that short inputs cross
// many pieces.
#ifdef LEXALON_FUZZ_TEXT_READ_CHUNK
inline constexpr qint64 textReadChunk = LEXALON_FUZZ_TEXT_READ_CHUNK;
#else
inline constexpr qint64 textReadChunk = qint64(1) << 20;
#endif

// Reads the whole file. Each byte is one Windows-1252 character, line ends
// kept, unless the file starts with the UTF-8 byte-order mark or is valid UTF-8
// holding at least one byte above 0x7F: then it is decoded as UTF-8, without
// the mark; or it starts with a UTF-16 byte-order mark (FF FE little-endian,
// FE FF big-endian): then it is decoded as UTF-16, without the mark. A
// Unicode text is composed to NFC. Only a regular file is opened, without
// waiting: not a FIFO, a folder or a device. Never throws.
// With a progress, reports the bytes read and stops, Cancelled, when asked.
// A file that is not named ".txt" and whose bytes are a document (PDF, Word,
// OpenDocument, EPUB, a web page, XML) gives the document's text instead.
TextFileContent readTextFile(const QString &path, TaskProgress *progress = nullptr);

// The same from an open random-access device, from its start to its size(),
// or to its end when its size is 0.
TextFileContent readText(QIODevice &device, TaskProgress *progress = nullptr);

// A text file read for its forms alone. Of a Windows-1252 text, only as much
// is read as tells its encoding: its bytes are for the caller to read piece
// by piece, never held whole nor copied to UTF-16. Any other text is decoded
// into content.text exactly as readTextFile decodes it.
struct TextSource
{
    TextFileContent content;
    qint64 windows1252Bytes = 0; // the size of a Windows-1252 text
};
TextSource readTextSource(const QString &path);

} // namespace lexalon
