// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

namespace lexalon {

// A run of characters of a text, from begin up to end (excluded).
struct TextRange
{
    qsizetype begin = 0;
    qsizetype end = 0;

    qsizetype length() const { return end - begin; }
    bool contains(qsizetype position) const { return position >= begin && position < end; }
    friend bool operator==(const TextRange &, const TextRange &) = default;
};

// Where each line of a text starts, found in one pass. CR LF, LF and a lone
// CR each end a line; a text has one line more than it has line breaks.
class LineIndex
{
public:
    explicit LineIndex(const QString &text = QString());

    const QString &text() const { return m_text; }
    qsizetype lineCount() const { return qsizetype(m_starts.size()); }
    // The characters of a line, without its line break.
    TextRange line(qsizetype line) const;
    qsizetype lineStart(qsizetype line) const { return m_starts[size_t(line)]; }
    // Where the next line starts: after the line break, or the text's end.
    qsizetype lineEnd(qsizetype line) const;
    // The line a position belongs to; a position inside a line break, or just
    // before it, belongs to the line the break ends.
    qsizetype lineOf(qsizetype position) const;

private:
    QString m_text;
    std::vector<qsizetype> m_starts;
};

} // namespace lexalon
