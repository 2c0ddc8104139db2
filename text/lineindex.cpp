// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/lineindex.h"

#include <algorithm>
#include <cstring>

namespace lexalon {

namespace {

// Four UTF-16 units read as one 64-bit word.
constexpr qsizetype unitsPerWord = sizeof(quint64) / sizeof(char16_t);
constexpr quint64 eachUnit = 0x0001000100010001ULL;

// Whether a unit of the word is below CR + 1, and so may end a line: the
// subtraction borrows into a unit's top bit only from a unit below the bound,
// and units with their top bit already set are left out.
bool mayEndALine(quint64 word)
{
    constexpr quint64 bound = eachUnit * (u'\r' + 1);
    constexpr quint64 topBits = eachUnit * 0x8000;
    return ((word - bound) & ~word & topBits) != 0;
}

} // namespace

LineIndex::LineIndex(const QString &text)
    : m_text(text)
{
    m_starts.push_back(0);
    const char16_t *const chars = QStringView(m_text).utf16();
    const qsizetype size = m_text.size();
    qsizetype i = 0;
    while (i < size) {
        // Nearly every character is part of a line: four at a time.
        quint64 word;
        while (i + unitsPerWord <= size) {
            std::memcpy(&word, chars + i, sizeof word);
            if (mayEndALine(word))
                break;
            i += unitsPerWord;
        }
        for (const qsizetype stop = std::min(i + unitsPerWord, size); i < stop; ++i) {
            if (chars[i] == u'\n') {
                m_starts.push_back(i + 1);
            } else if (chars[i] == u'\r') {
                if (i + 1 < size && chars[i + 1] == u'\n')
                    ++i;
                m_starts.push_back(i + 1);
            }
        }
    }
}

TextRange LineIndex::line(qsizetype line) const
{
    const qsizetype begin = m_starts[size_t(line)];
    if (line + 1 == lineCount())
        return {begin, m_text.size()};
    const qsizetype next = m_starts[size_t(line + 1)];
    const bool crLf = next - begin >= 2 && m_text[next - 1] == u'\n' && m_text[next - 2] == u'\r';
    return {begin, next - (crLf ? 2 : 1)};
}

qsizetype LineIndex::lineEnd(qsizetype line) const
{
    return line + 1 == lineCount() ? m_text.size() : m_starts[size_t(line + 1)];
}

qsizetype LineIndex::lineOf(qsizetype position) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    return qsizetype(after - m_starts.begin()) - 1;
}

} // namespace lexalon
