// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/wordlistfile.h"

#include "platform/files/nativepath.h"
#include "platform/files/outputfile.h"
#include "text/textfile.h"
#include "text/encoding/windows1252.h"
#include "wordforms/wordlist.h"

#include <QBuffer>
#include <QChar>
#include <QIODevice>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <span>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

constexpr char fieldSeparator = '\t';
constexpr char lineEnd[] = {'\r', '\n'};

} // namespace

bool namesNeedUtf8(const QStringList &names)
{
    return !std::all_of(names.begin(), names.end(), [](const QString &name) { return fitsWindows1252(name); });
}

PieceWriter::PieceWriter(QIODevice &device, bool utf8)
    : m_device(device)
    , m_piece(pieceSize, Qt::Uninitialized)
    , m_out(m_piece.data())
    , m_utf8(utf8)
{
    if (utf8)
        m_out = std::copy(utf8ByteOrderMark.begin(), utf8ByteOrderMark.end(), m_out);
}

bool PieceWriter::startRow(QStringView first, QStringView second)
{
    return text(first) && writeByte(fieldSeparator) && text(second);
}

bool PieceWriter::addField(QStringView field)
{
    return writeByte(fieldSeparator) && text(field);
}

bool PieceWriter::addName(const QString &name, QStringView after)
{
    return (m_utf8 ? addField(QByteArrayView(nativePath(name))) : addField(name)) && text(after);
}

bool PieceWriter::addField(QByteArrayView bytes)
{
    if (!writeByte(fieldSeparator))
        return false;
    while (!bytes.isEmpty()) {
        if (room() == 0 && !flush())
            return false;
        const qsizetype length = std::min(bytes.size(), room());
        m_out = std::copy(bytes.begin(), bytes.begin() + length, m_out);
        bytes = bytes.sliced(length);
    }
    return true;
}

bool PieceWriter::endRow()
{
    return writeByte(lineEnd[0]) && writeByte(lineEnd[1]);
}

bool PieceWriter::flush()
{
    const qint64 length = m_out - m_piece.constData();
    m_out = m_piece.data();
    return m_device.write(m_piece.constData(), length) == length;
}

qsizetype PieceWriter::room() const
{
    return pieceSize - (m_out - m_piece.constData());
}

bool PieceWriter::text(QStringView text)
{
    while (!text.isEmpty()) {
        qsizetype length = std::min(text.size(), m_utf8 ? room() / bytesPerUtf8Unit : room());
        // A surrogate pair is one character: it stays in one piece.
        if (length > 0 && length < text.size() && QChar::isHighSurrogate(text[length - 1].unicode()))
            --length;
        if (length == 0) {
            if (!flush())
                return false;
            continue;
        }
        m_out = m_utf8 ? m_utf8Encoder.appendToBuffer(m_out, text.first(length))
                       : encodeWindows1252Into(text.first(length), m_out);
        text = text.sliced(length);
    }
    return true;
}

bool PieceWriter::writeByte(char byte)
{
    if (room() == 0 && !flush())
        return false;
    *m_out++ = byte;
    return true;
}

namespace {

// The heading line, then the rows given by `rowAt` for 0 to count - 1.
template<typename RowAt>
bool writeRows(const WordList &list, qsizetype count, RowAt rowAt, QIODevice &device)
{
    // Its forms are letters that Windows-1252 holds.
    PieceWriter writer(device, namesNeedUtf8(list.textColumns()));
    const QStringList &texts = list.textColumns();
    if (!writer.startRow(QStringView(formsHeading), QStringView(countHeading)))
        return false;
    for (const QString &text : texts) {
        if (!writer.addName(text))
            return false;
    }
    if (!writer.endRow())
        return false;
    for (qsizetype shown = 0; shown < count; ++shown) {
        const qsizetype row = rowAt(shown);
        if (!writer.startRow(list.form(row), QString::number(list.count(row))))
            return false;
        // The texts without the form count 0.
        const std::span<const TextCount> counts = list.textCounts(row);
        auto next = counts.begin();
        for (qsizetype column = 0; column < texts.size(); ++column) {
            const bool held = next != counts.end() && next->column == std::uint32_t(column);
            if (!writer.addField(held ? QString::number((next++)->count) : u"0"_s))
                return false;
        }
        if (!writer.endRow())
            return false;
    }
    return writer.flush();
}

} // namespace

bool writeWordList(const WordList &list, QIODevice &device)
{
    return writeRows(list, list.size(), [](qsizetype row) { return row; }, device);
}

bool writeWordListRows(const WordList &list, std::span<const std::uint32_t> rows, QIODevice &device)
{
    return writeRows(list, qsizetype(rows.size()), [rows](qsizetype shown) { return qsizetype(rows[size_t(shown)]); },
                     device);
}

QByteArray wordListBytes(const WordList &list)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeWordList(list, buffer);
    return buffer.data();
}

WriteOutcome writeWholeFile(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    OutputFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (!write(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

} // namespace lexalon
