// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/textpane/panelayout.h"
#include "text/textnavigation.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <memory>
#include <optional>

namespace lexalon {

// The main window's text pane: shows a whole text, read-only, wrapped at the
// pane's width, however long the text. Text() gives back exactly the string
// set, line ends as they came, whatever the display does with them. Only
// the rows in view are laid out and drawn.
//
// The vertical scroll bar counts display rows. The rows of the paragraphs not
// yet shown are estimated from their length and corrected once laid out, so
// the bar's range can change a little as the text is read through.
class TextPane final : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TextPane(QWidget *parent = nullptr);
    ~TextPane() override;

    const QString &Text() const { return m_layout.text().text(); }
    // Replaces the whole text; the view returns to its start, nothing
    // selected. An index of the text made beforehand spares making it here.
    // If the text cannot be indexed for want of memory, the pane keeps the
    // one it had and std::bad_alloc is thrown.
    void setText(const QString &text, std::shared_ptr<const ParagraphIndex> index = nullptr);

    const TextSelection &selection() const { return m_selection; }
    QString selectedText() const;
    void selectAll();
    // Selects from start to end, the end in view.
    void select(qsizetype start, qsizetype end);
    // Puts the selected characters, exactly, on the clipboard.
    void copy() const;
    // Where the cursor at a position would be drawn in the viewport; nothing
    // when its row is out of view.
    std::optional<QRectF> cursorRect(qsizetype position);
    // The position nearest a point of the viewport.
    qsizetype positionAt(const QPointF &point,
                         QTextLine::CursorPosition mode = QTextLine::CursorBetweenCharacters);
    // Scrolls, if need be, so that the characters from start to end show.
    void showRange(qsizetype start, qsizetype end);
    // Scrolls so that the row of the position stands in the middle of the
    // view, or as near as the text's start and end allow.
    void centre(qsizetype position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    // The cursor moves of the keyboard.
    enum class Move {
        NextCharacter,
        PreviousCharacter,
        NextWord,
        PreviousWord,
        NextRow,
        PreviousRow,
        NextPage,
        PreviousPage,
        StartOfRow,
        EndOfRow,
        StartOfText,
        EndOfText,
    };

    void move(Move move, bool select);
    qsizetype target(Move move);
    qsizetype endOfRow(qsizetype position);
    void moveRows(qint64 rows, bool select);
    void moveCursor(qsizetype position, bool select);
    void publishSelection() const;
    // Tells screen readers where the cursor and the selection now are.
    void announceSelection();

    qint64 visibleRows() const;
    qint64 drawnRows() const;
    RowPlace lastTop();
    void scrollTo(RowPlace top);
    void syncScrollBar();
    void ensureVisible(qsizetype position);
    std::optional<qreal> rowTop(const RowPlace &place);
    void drawParagraph(QPainter &painter, qsizetype paragraph, const QPointF &origin,
                       const QRectF &clip);

    PaneLayout m_layout;
    RowPlace m_top;
    std::optional<RowPlace> m_lastTop;
    TextSelection m_selection;
    // Where up and down moves aim, kept from the row where they began.
    std::optional<qreal> m_goalX;
    bool m_syncingScrollBar = false;
    bool m_selecting = false;
    QBasicTimer m_autoScroll;
    QPointF m_mouse;
};

} // namespace lexalon
