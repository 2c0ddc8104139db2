// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/lineindex.h"

#include <QString>

#include <vector>

namespace lexalon {

// A line longer than this is laid out in pieces of about this length, so that
// no layout ever holds a whole very long line.
inline constexpr qsizetype paragraphPieceLength = 8192;
// How far before its nominal end a piece may stop to end after a blank, so
// that the break between two pieces falls between words.
inline constexpr qsizetype pieceBreakReach = 256;

// The units the text pane lays out, one after the other: each line of the
// text is a paragraph, except that a very long line is several, its pieces.
// Pieces are found when asked for, from the line alone, so the index holds
// only the lines that are long.
class ParagraphIndex
{
public:
    explicit ParagraphIndex(const QString &text = QString());

    const QString &text() const { return m_lines.text(); }
    const LineIndex &lines() const { return m_lines; }

    qsizetype count() const { return m_count; }
    // The characters of a paragraph, without the line break that may follow.
    TextRange range(qsizetype paragraph) const;
    // From the paragraph's start to the next one's, a line break included:
    // its length give or take two, found without reading the text when the
    // paragraph is a whole line.
    qsizetype span(qsizetype paragraph) const;
    // Every paragraph's span in order, in one pass: whole lines straight from
    // the line index, with no search for where a paragraph falls.
    template <typename Visit>
    void visitSpans(Visit &&visit) const;
    // Whether the paragraph ends its line (it is the line or its last piece).
    bool endsLine(qsizetype paragraph) const;
    // The paragraph a position belongs to: a position between two pieces
    // belongs to the second, one inside a line break to the paragraph before.
    qsizetype paragraphOf(qsizetype position) const;
    qsizetype firstOfLine(qsizetype line) const;

private:
    struct LongLine
    {
        qsizetype line;
        qsizetype firstParagraph;
        qsizetype pieces;
    };
    struct Place
    {
        qsizetype line;
        qsizetype piece;
        qsizetype pieces;
    };

    Place placeOf(qsizetype paragraph) const;
    qsizetype pieceStart(const TextRange &line, qsizetype piece) const;

    LineIndex m_lines;
    std::vector<LongLine> m_longLines;
    qsizetype m_count = 0;
};

template <typename Visit>
void ParagraphIndex::visitSpans(Visit &&visit) const
{
    qsizetype line = 0;
    const auto wholeLinesUpTo = [&](qsizetype end) {
        for (; line < end; ++line)
            visit(m_lines.lineEnd(line) - m_lines.lineStart(line));
    };
    for (const LongLine &longLine : m_longLines) {
        wholeLinesUpTo(longLine.line);
        for (qsizetype piece = 0; piece < longLine.pieces; ++piece)
            visit(span(longLine.firstParagraph + piece));
        ++line;
    }
    wholeLinesUpTo(m_lines.lineCount());
}

} // namespace lexalon
