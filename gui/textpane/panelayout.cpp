// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/textpane/panelayout.h"

#include "text/textnavigation.h"

#include <QFontMetricsF>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace lexalon {

namespace {

// A width too small for a character still lays out one character a row.
constexpr qreal narrowestWidth = 1.0;
// Wrapping at word boundaries leaves the end of most rows empty: a row holds
// fewer characters than the width divided by the average character width.
constexpr qreal rowFilling = 0.95;
// The characters measured, at the start and in the middle of the text, for
// the average width of its characters.
constexpr qsizetype sampleLength = 2048;

// The average width of the text's characters in the font, from samples.
qreal averageWidth(const QFont &font, const QString &text)
{
    const QFontMetricsF metrics(font);
    const QString sample = text.left(sampleLength) + text.mid(text.size() / 2, sampleLength);
    if (sample.isEmpty())
        return metrics.averageCharWidth();
    return std::max(metrics.horizontalAdvance(sample) / qreal(sample.size()), narrowestWidth);
}

} // namespace

PaneLayout::PaneLayout(const QFont &font)
    : m_font(font)
    , m_rowHeight(QFontMetricsF(font).lineSpacing())
    , m_charWidth(QFontMetricsF(font).averageCharWidth())
    , m_width(narrowestWidth)
    , m_text(std::make_shared<const ParagraphIndex>())
{
    estimateRows(m_rows, *m_text, m_charWidth);
}

PaneLayout::~PaneLayout() = default;

void PaneLayout::setText(const QString &text, std::shared_ptr<const ParagraphIndex> index)
{
    if (!index || index->text().constData() != text.constData() || index->text().size() != text.size())
        index = std::make_shared<const ParagraphIndex>(text);
    const qreal charWidth = averageWidth(m_font, text);
    RowIndex rows;
    estimateRows(rows, *index, charWidth);
    m_charWidth = charWidth;
    m_layouts.clear();
    m_text = std::move(index);
    m_rows = std::move(rows);
}

void PaneLayout::setWidth(qreal width)
{
    width = std::max(width, narrowestWidth);
    if (width == m_width)
        return;
    m_width = width;
    m_layouts.clear();
    estimateRows(m_rows, *m_text, m_charWidth);
}

void PaneLayout::estimateRows(RowIndex &rows, const ParagraphIndex &text, qreal charWidth) const
{
    const qreal charactersPerRow = std::max(1.0, m_width * rowFilling / charWidth);
    std::vector<std::uint32_t> estimates;
    estimates.reserve(size_t(text.count()));
    text.visitSpans([&estimates, charactersPerRow](qsizetype span) {
        estimates.push_back(std::max<std::uint32_t>(1, std::uint32_t(std::ceil(qreal(span) / charactersPerRow))));
    });
    rows.reset(std::move(estimates));
}

const QTextLayout &PaneLayout::layout(qsizetype paragraph)
{
    auto &slot = m_layouts[paragraph];
    if (slot)
        return *slot;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    slot = std::make_unique<QTextLayout>(textOf(*m_text, m_text->range(paragraph)), m_font);
    slot->setTextOption(option);
    slot->setCacheEnabled(true);
    slot->beginLayout();
    qint64 rows = 0;
    for (QTextLine line = slot->createLine(); line.isValid(); line = slot->createLine()) {
        line.setLineWidth(m_width);
        line.setPosition(QPointF(0, qreal(rows) * m_rowHeight));
        ++rows;
    }
    slot->endLayout();
    m_rows.setRows(paragraph, rows);
    return *slot;
}

qint64 PaneLayout::rows(qsizetype paragraph)
{
    return layout(paragraph).lineCount();
}

qint64 PaneLayout::rowNumber(const RowPlace &place) const
{
    return m_rows.rowsBefore(place.paragraph) + place.row;
}

RowPlace PaneLayout::placeOfRow(qint64 rowNumber) const
{
    return m_rows.locate(rowNumber);
}

RowPlace PaneLayout::moved(RowPlace from, qint64 rows)
{
    const qsizetype last = m_text->count() - 1;
    while (rows > 0) {
        const qint64 below = this->rows(from.paragraph) - 1 - from.row;
        if (rows <= below)
            return {from.paragraph, from.row + rows};
        if (from.paragraph == last)
            return {from.paragraph, from.row + below};
        rows -= below + 1;
        from = {from.paragraph + 1, 0};
    }
    while (rows < 0) {
        if (-rows <= from.row)
            return {from.paragraph, from.row + rows};
        if (from.paragraph == 0)
            return {};
        rows += from.row + 1;
        from = {from.paragraph - 1, this->rows(from.paragraph - 1) - 1};
    }
    return from;
}

RowPlace PaneLayout::lastTop(qint64 rows)
{
    const qsizetype last = m_text->count() - 1;
    return moved({last, this->rows(last) - 1}, 1 - rows);
}

RowPlace PaneLayout::placeOf(qsizetype position)
{
    const qsizetype paragraph = m_text->paragraphOf(position);
    const TextRange range = m_text->range(paragraph);
    const int local = int(std::min(position, range.end) - range.begin);
    return {paragraph, layout(paragraph).lineForTextPosition(local).lineNumber()};
}

TextRange PaneLayout::rowRange(const RowPlace &place)
{
    const QTextLine line = layout(place.paragraph).lineAt(int(place.row));
    const qsizetype begin = m_text->range(place.paragraph).begin + line.textStart();
    return {begin, begin + line.textLength()};
}

qsizetype PaneLayout::positionAt(const RowPlace &place, qreal x, QTextLine::CursorPosition mode)
{
    const QTextLine line = layout(place.paragraph).lineAt(int(place.row));
    return m_text->range(place.paragraph).begin + line.xToCursor(x, mode);
}

qreal PaneLayout::xOf(qsizetype position)
{
    const qsizetype paragraph = m_text->paragraphOf(position);
    const TextRange range = m_text->range(paragraph);
    const int local = int(std::min(position, range.end) - range.begin);
    return layout(paragraph).lineForTextPosition(local).cursorToX(local);
}

void PaneLayout::keepOnly(qsizetype first, qsizetype last)
{
    m_layouts.erase(m_layouts.begin(), m_layouts.lower_bound(first));
    m_layouts.erase(m_layouts.upper_bound(last), m_layouts.end());
}

} // namespace lexalon
