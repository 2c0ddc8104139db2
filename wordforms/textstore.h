// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace lexalon {

// Texts end to end in one character store, each named by its number: a
// million short texts cost their characters and four bytes each, not a
// million strings. Texts are only added; a store is handed over whole.
class TextStore
{
public:
    using Index = std::uint32_t;

    TextStore();

    qsizetype size() const { return qsizetype(m_starts.size()) - 1; }
    QStringView text(Index index) const
    {
        return QStringView(m_chars.data() + m_starts[index], qsizetype(m_starts[index + 1] - m_starts[index]));
    }

    Index append(QStringView text);
    // Every text of the other store after these, in its order: the number
    // of the first.
    Index append(const TextStore &other);
    // Room for that many more texts of that many code units in all.
    void reserve(qsizetype texts, qsizetype codeUnits);

    // A text written in place: `length` units at the end of the store, to be
    // filled, then made a text or dropped. The room grows geometrically, or
    // to the text's exact size when that is larger, so that a text of
    // hundreds of megabytes is not held twice.
    char16_t *openText(size_t length);
    Index closeText();
    void dropOpenText();

private:
    std::vector<char16_t> m_chars;
    std::vector<std::uint32_t> m_starts; // of each text, then the end of the last
};

} // namespace lexalon
