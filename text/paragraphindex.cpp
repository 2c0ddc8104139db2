// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/paragraphindex.h"

#include <QChar>

#include <algorithm>

namespace lexalon {

namespace {

qsizetype piecesOf(qsizetype length)
{
    return std::max<qsizetype>(1, (length + paragraphPieceLength - 1) / paragraphPieceLength);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

ParagraphIndex::ParagraphIndex(const QString &text)
    : m_lines(text)
{
    qsizetype extra = 0;
    for (qsizetype line = 0; line < m_lines.lineCount(); ++line) {
        // A line no longer than a piece, its break included, is one piece:
        // most lines are told without reading the text.
        if (m_lines.lineEnd(line) - m_lines.lineStart(line) <= paragraphPieceLength)
            continue;
        const qsizetype pieces = piecesOf(m_lines.line(line).length());
        if (pieces > 1) {
            m_longLines.push_back({line, line + extra, pieces});
            extra += pieces - 1;
        }
    }
    m_count = m_lines.lineCount() + extra;
}

ParagraphIndex::Place ParagraphIndex::placeOf(qsizetype paragraph) const
{
    const auto after = std::upper_bound(m_longLines.begin(), m_longLines.end(), paragraph,
                                        [](qsizetype p, const LongLine &l) { return p < l.firstParagraph; });
    if (after == m_longLines.begin())
        return {paragraph, 0, 1};
    const LongLine &before = *(after - 1);
    const qsizetype piece = paragraph - before.firstParagraph;
    if (piece < before.pieces)
        return {before.line, piece, before.pieces};
    return {before.line + 1 + (piece - before.pieces), 0, 1};
}

qsizetype ParagraphIndex::firstOfLine(qsizetype line) const
{
    const auto after = std::lower_bound(m_longLines.begin(), m_longLines.end(), line,
                                        [](const LongLine &l, qsizetype n) { return l.line < n; });
    if (after == m_longLines.begin())
        return line;
    const LongLine &before = *(after - 1);
    return before.firstParagraph + before.pieces + (line - before.line - 1);
}

qsizetype ParagraphIndex::pieceStart(const TextRange &line, qsizetype piece) const
{
    if (piece == 0)
        return line.begin;
    const QString &chars = text();
    const qsizetype nominal = line.begin + piece * paragraphPieceLength;
    for (qsizetype i = nominal - 1; i >= nominal - pieceBreakReach; --i) {
        if (isBlank(chars[i]))
            return i + 1;
    }
    // No blank near: cut the word, but never a surrogate pair.
    if (chars[nominal].isLowSurrogate() && chars[nominal - 1].isHighSurrogate())
        return nominal - 1;
    return nominal;
}

TextRange ParagraphIndex::range(qsizetype paragraph) const
{
    const Place place = placeOf(paragraph);
    const TextRange line = m_lines.line(place.line);
    if (place.pieces == 1)
        return line;
    const qsizetype end = place.piece + 1 == place.pieces ? line.end : pieceStart(line, place.piece + 1);
    return {pieceStart(line, place.piece), end};
}

qsizetype ParagraphIndex::span(qsizetype paragraph) const
{
    const Place place = placeOf(paragraph);
    if (place.pieces == 1)
        return m_lines.lineEnd(place.line) - m_lines.lineStart(place.line);
    const TextRange piece = range(paragraph);
    const bool last = place.piece + 1 == place.pieces;
    return (last ? m_lines.lineEnd(place.line) : piece.end) - piece.begin;
}

bool ParagraphIndex::endsLine(qsizetype paragraph) const
{
    const Place place = placeOf(paragraph);
    return place.piece + 1 == place.pieces;
}

qsizetype ParagraphIndex::paragraphOf(qsizetype position) const
{
    const qsizetype line = m_lines.lineOf(position);
    const qsizetype first = firstOfLine(line);
    const TextRange range = m_lines.line(line);
    const qsizetype pieces = piecesOf(range.length());
    if (pieces == 1)
        return first;
    // A piece starts at most pieceBreakReach before its nominal start, so the
    // position lies in the piece of its nominal place or in the next one.
    qsizetype piece = std::min((position - range.begin) / paragraphPieceLength, pieces - 1);
    if (piece + 1 < pieces && position >= pieceStart(range, piece + 1))
        ++piece;
    return first + piece;
}

} // namespace lexalon
