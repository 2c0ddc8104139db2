// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/textnavigation.h"

#include "text/paragraphindex.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace lexalon {

namespace {

// A paragraph's characters with a boundary finder over them.
class ParagraphBoundaries
{
public:
    ParagraphBoundaries(const ParagraphIndex &text, qsizetype paragraph,
                        QTextBoundaryFinder::BoundaryType type)
        : m_range(text.range(paragraph))
        , m_finder(type, QStringView(text.text()).sliced(m_range.begin, m_range.length()))
    {
    }

    const TextRange &range() const { return m_range; }

    qsizetype next(qsizetype position)
    {
        m_finder.setPosition(position - m_range.begin);
        return at(m_finder.toNextBoundary());
    }
    qsizetype previous(qsizetype position)
    {
        m_finder.setPosition(position - m_range.begin);
        return at(m_finder.toPreviousBoundary());
    }
    bool startsItem(qsizetype position)
    {
        m_finder.setPosition(position - m_range.begin);
        return m_finder.boundaryReasons().testFlag(QTextBoundaryFinder::StartOfItem);
    }
    bool isAtBoundary(qsizetype position)
    {
        m_finder.setPosition(position - m_range.begin);
        return m_finder.isAtBoundary();
    }

private:
    qsizetype at(qsizetype local) const { return local < 0 ? m_range.end : m_range.begin + local; }

    TextRange m_range;
    QTextBoundaryFinder m_finder;
};

} // namespace

TextRange TextSelection::range() const
{
    return {std::min(anchor, position), std::max(anchor, position)};
}

qsizetype nextCharacter(const ParagraphIndex &text, qsizetype position)
{
    const qsizetype paragraph = text.paragraphOf(position);
    const TextRange range = text.range(paragraph);
    if (position < range.end)
        return ParagraphBoundaries(text, paragraph, QTextBoundaryFinder::Grapheme).next(position);
    return paragraph + 1 < text.count() ? text.range(paragraph + 1).begin : position;
}

qsizetype previousCharacter(const ParagraphIndex &text, qsizetype position)
{
    qsizetype paragraph = text.paragraphOf(position);
    if (position == text.range(paragraph).begin) {
        if (paragraph == 0)
            return position;
        // Before the line break that ends the line above, or into the piece
        // before when the paragraph continues a long line.
        if (text.endsLine(paragraph - 1))
            return text.range(paragraph - 1).end;
        --paragraph;
    }
    return ParagraphBoundaries(text, paragraph, QTextBoundaryFinder::Grapheme).previous(position);
}

qsizetype nextWord(const ParagraphIndex &text, qsizetype position)
{
    const qsizetype paragraph = text.paragraphOf(position);
    ParagraphBoundaries words(text, paragraph, QTextBoundaryFinder::Word);
    if (position >= words.range().end)
        return nextCharacter(text, position);
    qsizetype next = words.next(position);
    while (next < words.range().end && !words.startsItem(next))
        next = words.next(next);
    return next;
}

qsizetype previousWord(const ParagraphIndex &text, qsizetype position)
{
    const qsizetype paragraph = text.paragraphOf(position);
    ParagraphBoundaries words(text, paragraph, QTextBoundaryFinder::Word);
    if (position == words.range().begin)
        return previousCharacter(text, position);
    qsizetype previous = words.previous(position);
    while (previous > words.range().begin && !words.startsItem(previous))
        previous = words.previous(previous);
    return previous;
}

TextRange wordAt(const ParagraphIndex &text, qsizetype position)
{
    const qsizetype paragraph = text.paragraphOf(position);
    ParagraphBoundaries words(text, paragraph, QTextBoundaryFinder::Word);
    const TextRange range = words.range();
    if (range.length() == 0)
        return {position, position};
    // The character at the position; at the end of the paragraph, the last.
    const qsizetype inside = std::min(position, range.end - 1);
    const qsizetype begin = words.isAtBoundary(inside) ? inside : words.previous(inside);
    return {begin, words.next(begin)};
}

QString textOf(const ParagraphIndex &text, TextRange range)
{
    return text.text().mid(range.begin, range.length());
}

} // namespace lexalon
