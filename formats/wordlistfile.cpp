// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/wordlistfile.h"

#include "platform/files/outputfile.h"
#include "text/windows1252.h"
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
constexpr char utf8ByteOrderMark[] = {'\xEF', '\xBB', '\xBF'};

// UTF-8: three bytes at most a UTF-16 unit, four a pair.
char *encodeUtf8Into(QStringView text, char *out)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
        char32_t c = *p++;
        if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p))
            c = QChar::surrogateToUcs4(char16_t(c), *p++);
        else if (QChar::isSurrogate(c))
            c = QChar::ReplacementCharacter;
        if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        } else {
            *out++ = char(0xF0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3F));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A list of several texts is in UTF-8 when Windows-1252 cannot hold all its
// texts' names, so that each reads back as it was and two names never become
// the same. Its forms are letters that Windows-1252 holds.
bool needsUtf8(const WordList &list)
{
    const QStringList &names = list.textColumns();
    return !std::all_of(names.begin(), names.end(), [](const QString &name) { return fitsWindows1252(name); });
}

} // namespace

PieceWriter::PieceWriter(QIODevice &device, bool utf8)
    : m_device(device)
    , m_piece(pieceSize, Qt::Uninitialized)
    , m_out(m_piece.data())
    , m_utf8(utf8)
{
    if (utf8)
        m_out = std::copy(std::begin(utf8ByteOrderMark), std::end(utf8ByteOrderMark), m_out);
}

bool PieceWriter::startRow(QStringView first, QStringView second)
{
    return text(first) && writeByte(fieldSeparator) && text(second);
}

bool PieceWriter::addField(QStringView field)
{
    return writeByte(fieldSeparator) && text(field);
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
        m_out = m_utf8 ? encodeUtf8Into(text.first(length), m_out) : encodeWindows1252Into(text.first(length), m_out);
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

bool writeWordList(const WordList &list, QIODevice &device)
{
    PieceWriter writer(device, needsUtf8(list));
    const QStringList &texts = list.textColumns();
    if (!writer.startRow(QStringView(formsHeading), QStringView(countHeading)))
        return false;
    for (const QString &text : texts) {
        if (!writer.addField(text))
            return false;
    }
    if (!writer.endRow())
        return false;
    for (qsizetype row = 0; row < list.size(); ++row) {
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
