// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/paragraphindex.h"
#include "text/rowindex.h"

#include <QFont>
#include <QTextLine>

#include <map>
#include <memory>

class QString;
class QTextLayout;

namespace lexalon {

// The text pane's text wrapped at the pane's width. A paragraph is laid out
// only when it is asked for, which the pane does for those it shows; until
// then its rows are estimated from its length. Every row has the same height.
class PaneLayout
{
public:
    explicit PaneLayout(const QFont &font);
    ~PaneLayout();
    PaneLayout(const PaneLayout &) = delete;
    PaneLayout &operator=(const PaneLayout &) = delete;

    // Indexes the text, or takes the index given when it is the text's; if
    // that fails for want of memory, the layout keeps the text it had.
    void setText(const QString &text, std::shared_ptr<const ParagraphIndex> index = nullptr);
    const ParagraphIndex &text() const { return *m_text; }
    void setWidth(qreal width);
    qreal width() const { return m_width; }
    qreal rowHeight() const { return m_rowHeight; }
    const QFont &font() const { return m_font; }

    // The paragraph wrapped at the width, its rows placed one under the other.
    const QTextLayout &layout(qsizetype paragraph);
    qint64 rows(qsizetype paragraph);

    // Rows counted from the first of the text: exact up to the paragraphs
    // laid out, estimated beyond.
    qint64 totalRows() const { return m_rows.totalRows(); }
    qint64 rowNumber(const RowPlace &place) const;
    RowPlace placeOfRow(qint64 rowNumber) const;

    // The place a number of rows after (or, negative, before) another,
    // within the text; the paragraphs passed are laid out.
    RowPlace moved(RowPlace from, qint64 rows);
    // The highest place from which the text's last row is the last of
    // `rows` rows, or the first place when the text has fewer.
    RowPlace lastTop(qint64 rows);

    // The row that shows a text position.
    RowPlace placeOf(qsizetype position);
    // The characters of a row, the blanks where it wraps included.
    TextRange rowRange(const RowPlace &place);
    // The position nearest a distance from the left of a row.
    qsizetype positionAt(const RowPlace &place, qreal x,
                         QTextLine::CursorPosition mode = QTextLine::CursorBetweenCharacters);
    // The distance from the left of its row where the cursor at a position is.
    qreal xOf(qsizetype position);

    // Drops the layouts of the paragraphs outside a range.
    void keepOnly(qsizetype first, qsizetype last);

private:
    void estimateRows(RowIndex &rows, const ParagraphIndex &text, qreal charWidth) const;

    QFont m_font;
    qreal m_rowHeight;
    qreal m_charWidth;
    qreal m_width;
    std::shared_ptr<const ParagraphIndex> m_text;
    RowIndex m_rows;
    std::map<qsizetype, std::unique_ptr<QTextLayout>> m_layouts;
};

} // namespace lexalon
