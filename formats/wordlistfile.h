// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringEncoder>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <span>

class QIODevice;

namespace lexalon {

class WordList;

// The saved word list: the heading line, then one line per form, the form,
// tab, its count, CR LF, one Windows-1252 byte per character, no byte-order
// mark. A list of several texts has after the count one column per text,
// headed by its name; it is in UTF-8 with a byte-order mark instead when a
// name does not fit Windows-1252, each name then written as the system's
// bytes for it, which need not be UTF-8. Written to the device a piece at
// a time; false when a write fails.
bool writeWordList(const WordList &list, QIODevice &device);
// The same bytes, whole.
QByteArray wordListBytes(const WordList &list);
// The bytes writeWordList writes for a list of just these rows of the list,
// in this order.
bool writeWordListRows(const WordList &list, std::span<const std::uint32_t> rows, QIODevice &device);

// A file that names texts is in UTF-8 with a byte-order mark when
// Windows-1252 cannot hold one of their names, so that each reads back as it
// was and two names never become the same; else in Windows-1252.
bool namesNeedUtf8(const QStringList &names);

// Text encoded to Windows-1252 (or to UTF-8 after its byte-order mark) and
// written to the device a piece at a time, so that a list of millions of
// forms, or one form of millions of letters, is never held whole as bytes.
// Each call is false once a write fails.
class PieceWriter
{
public:
    PieceWriter(QIODevice &device, bool utf8);

    bool text(QStringView text);
    // A line's first two fields, tab-separated, and any further one.
    bool startRow(QStringView first, QStringView second);
    bool addField(QStringView field);
    // A field of a text's name, then `after`: in UTF-8, the name is the
    // system's bytes for it, which need not be UTF-8.
    bool addName(const QString &name, QStringView after = {});
    // A field written as the bytes given.
    bool addField(QByteArrayView bytes);
    bool endRow();
    // What is left of the last piece.
    bool flush();

private:
    qsizetype room() const;
    bool writeByte(char byte);

    static constexpr qsizetype pieceSize = qsizetype(1) << 16;
    static constexpr qsizetype bytesPerUtf8Unit = 3;

    QIODevice &m_device;
    QByteArray m_piece;
    char *m_out;
    const bool m_utf8;
    QStringEncoder m_utf8Encoder{QStringConverter::Utf8, QStringConverter::Flag::Stateless};
};

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
