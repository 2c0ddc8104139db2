// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/encoding/windows1252.h"

#include <QChar>

#include <algorithm>

namespace lexalon {
namespace {

constexpr int block80First = 0x80;
constexpr int block80End = 0xA0;
constexpr std::array<char16_t, block80End - block80First> block80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> makeCharacters()
{
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const bool inBlock80 = byte >= block80First && byte < block80End;
        table[size_t(byte)] = inBlock80 ? block80[size_t(byte - block80First)] : char16_t(byte);
    }
    return table;
}
constexpr std::array<char16_t, 256> characters = makeCharacters();

char encodeCharacter(char16_t c)
{
    const bool sameValue = c < block80First || (c >= block80End && c <= 0xFF);
    if (sameValue)
        return char(c);
    const auto *found = std::find(block80.begin(), block80.end(), c);
    if (found == block80.end())
        return unmappableByte;
    return char(block80First + (found - block80.begin()));
}

} // namespace

const std::array<char16_t, 256> &windows1252Characters()
{
    return characters;
}

void decodeWindows1252Into(QByteArrayView bytes, char16_t *out)
{
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i)
        out[i] = characters[in[i]];
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    decodeWindows1252Into(bytes, reinterpret_cast<char16_t *>(text.data()));
    return text;
}

char *encodeWindows1252Into(QStringView text, char *out)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
        const char16_t c = *p++;
        if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p))
            ++p;
        *out++ = encodeCharacter(c);
    }
    return out;
}

QByteArray encodeWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    const char *end = encodeWindows1252Into(text, bytes.data());
    bytes.truncate(end - bytes.constData());
    return bytes;
}

bool fitsWindows1252(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() == char16_t(unmappableByte)
               || (!c.isSurrogate() && encodeCharacter(c.unicode()) != unmappableByte);
    });
}

} // namespace lexalon
