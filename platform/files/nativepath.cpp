// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/nativepath.h"

#include <QFile>

namespace lexalon {

namespace {

constexpr char16_t escapeBase = 0xDC00;
constexpr char16_t firstEscape = 0xDC80;
constexpr char16_t lastEscape = 0xDCFF;

bool isEscapedByte(char16_t c)
{
    return c >= firstEscape && c <= lastEscape;
}

// The length of the UTF-8 sequence that starts the bytes, or 0 when they do
// not start with one: overlong forms, surrogates and code points above
// U+10FFFF are not UTF-8.
qsizetype validSequenceLength(QByteArrayView bytes)
{
    const auto lead = uchar(bytes[0]);
    if (lead < 0x80)
        return 1;
    const qsizetype length = lead >= 0xF5 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || bytes.size() < length)
        return 0;
    const auto second = uchar(bytes[1]);
    const uchar low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const uchar high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (second < low || second > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k) {
        if ((uchar(bytes[k]) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

} // namespace

QString pathFromNative(QByteArrayView bytes)
{
    QString path;
    path.reserve(bytes.size());
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype length = validSequenceLength(bytes.sliced(from));
        if (length > 0)
            path += QString::fromUtf8(bytes.sliced(from, length));
        else
            path += QChar(char16_t(escapeBase + uchar(bytes[from])));
        from += length > 0 ? length : 1;
    }
    return path;
}

QByteArray nativePath(const QString &path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype from = 0;
    while (from < path.size()) {
        qsizetype end = from;
        while (end < path.size() && !isEscapedByte(path.at(end).unicode()))
            ++end;
        bytes += QFile::encodeName(path.sliced(from, end - from));
        if (end < path.size())
            bytes += char(path.at(end).unicode() - escapeBase);
        from = end + 1;
    }
    return bytes;
}

bool qtCanName(const QString &path)
{
    return QFile::encodeName(path) == nativePath(path);
}

} // namespace lexalon
