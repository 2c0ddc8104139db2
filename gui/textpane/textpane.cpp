// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/textpane/textpane.h"

#include "gui/look/windowlook.h"
#include "gui/textpane/textpaneaccessible.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QTextLayout>
#include <QTimerEvent>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace lexalon {

namespace {

inline constexpr qreal paneFontPoints = 9.75;
// The blank between the pane's edges and its text.
inline constexpr qreal textMargin = 4;
inline constexpr int caretWidth = 1;
// While the mouse selects beyond the pane's edge, one row scrolls in so often.
inline constexpr int autoScrollMilliseconds = 50;

} // namespace

TextPane::TextPane(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_layout(labelFont(paneFontPoints))
{
    installTextPaneAccessibility();
    setFont(m_layout.font());
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Always there, so that the width the text wraps at never changes with it.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(1);
    viewport()->setCursor(Qt::IBeamCursor);
    scrollTo({});
}

TextPane::~TextPane() = default;

void TextPane::setText(const QString &text, std::shared_ptr<const ParagraphIndex> index)
{
    m_layout.setText(text, std::move(index));
    m_selection = {};
    m_goalX.reset();
    m_lastTop.reset();
    m_autoScroll.stop();
    m_selecting = false;
    scrollTo({});
    announceSelection();
}

QString TextPane::selectedText() const
{
    return textOf(m_layout.text(), m_selection.range());
}

void TextPane::selectAll()
{
    m_selection = {0, Text().size()};
    viewport()->update();
    publishSelection();
    announceSelection();
}

void TextPane::copy() const
{
    if (!m_selection.isEmpty())
        QGuiApplication::clipboard()->setText(selectedText());
}

void TextPane::announceSelection()
{
    if (!QAccessible::isActive())
        return;
    const TextRange range = m_selection.range();
    QAccessibleTextSelectionEvent selection(this, int(range.begin), int(range.end));
    selection.setCursorPosition(int(m_selection.position));
    QAccessible::updateAccessibility(&selection);
    QAccessibleTextCursorEvent cursor(this, int(m_selection.position));
    QAccessible::updateAccessibility(&cursor);
}

void TextPane::publishSelection() const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && !m_selection.isEmpty())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

qint64 TextPane::visibleRows() const
{
    const qreal height = viewport()->height() - textMargin;
    return std::max<qint64>(1, qint64(std::floor(height / m_layout.rowHeight())));
}

qint64 TextPane::drawnRows() const
{
    const qreal height = viewport()->height() - textMargin;
    return std::max<qint64>(1, qint64(std::ceil(height / m_layout.rowHeight())));
}

RowPlace TextPane::lastTop()
{
    if (!m_lastTop)
        m_lastTop = m_layout.lastTop(visibleRows());
    return *m_lastTop;
}

void TextPane::scrollTo(RowPlace top)
{
    top.row = std::min(top.row, m_layout.rows(top.paragraph) - 1);
    m_top = std::min(top, lastTop());
    // Lays out the rows in view, so that the bar counts them exactly.
    m_layout.moved(m_top, drawnRows());
    syncScrollBar();
    viewport()->update();
}

void TextPane::syncScrollBar()
{
    const qint64 rows = visibleRows();
    const auto clamp = [](qint64 value) { return int(std::min<qint64>(value, INT_MAX)); };
    m_syncingScrollBar = true;
    QScrollBar *bar = verticalScrollBar();
    bar->setRange(0, clamp(std::max<qint64>(0, m_layout.totalRows() - rows)));
    bar->setPageStep(clamp(rows));
    bar->setValue(clamp(m_layout.rowNumber(m_top)));
    m_syncingScrollBar = false;
}

void TextPane::scrollContentsBy(int, int)
{
    if (m_syncingScrollBar)
        return;
    scrollTo(m_layout.placeOfRow(verticalScrollBar()->value()));
}

void TextPane::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_layout.setWidth(viewport()->width() - 2 * textMargin);
    m_lastTop.reset();
    scrollTo(m_top);
}

std::optional<qreal> TextPane::rowTop(const RowPlace &place)
{
    if (place < m_top)
        return std::nullopt;
    qint64 rows = -m_top.row;
    for (qsizetype paragraph = m_top.paragraph; paragraph < place.paragraph; ++paragraph) {
        rows += m_layout.rows(paragraph);
        if (rows >= drawnRows())
            return std::nullopt;
    }
    rows += place.row;
    if (rows >= drawnRows())
        return std::nullopt;
    return textMargin + qreal(rows) * m_layout.rowHeight();
}

void TextPane::ensureVisible(qsizetype position)
{
    const RowPlace place = m_layout.placeOf(position);
    const qint64 rows = visibleRows();
    if (place < m_top)
        scrollTo(place);
    else if (place > m_layout.moved(m_top, rows - 1))
        scrollTo(m_layout.moved(place, 1 - rows));
}

std::optional<QRectF> TextPane::cursorRect(qsizetype position)
{
    const std::optional<qreal> top = rowTop(m_layout.placeOf(position));
    if (!top)
        return std::nullopt;
    return QRectF(textMargin + m_layout.xOf(position), *top, caretWidth, m_layout.rowHeight());
}

qsizetype TextPane::positionAt(const QPointF &point, QTextLine::CursorPosition mode)
{
    const qint64 row = qint64(std::floor((point.y() - textMargin) / m_layout.rowHeight()));
    const RowPlace place = m_layout.moved(m_top, std::clamp<qint64>(row, 0, drawnRows() - 1));
    return m_layout.positionAt(place, point.x() - textMargin, mode);
}

void TextPane::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    // The rows above the top one stay hidden in the margin.
    const QRectF clip = QRectF(event->rect()).intersected(
        QRectF(viewport()->rect()).adjusted(0, textMargin, 0, 0));
    painter.setClipRect(clip);
    const qsizetype count = m_layout.text().count();
    qreal top = textMargin - qreal(m_top.row) * m_layout.rowHeight();
    qsizetype paragraph = m_top.paragraph;
    for (; paragraph < count && top < clip.bottom(); ++paragraph) {
        const qreal height = qreal(m_layout.rows(paragraph)) * m_layout.rowHeight();
        if (top + height > clip.top())
            drawParagraph(painter, paragraph, QPointF(textMargin, top), clip);
        top += height;
    }
    // The paragraphs about a page above and below stay laid out, for the
    // next scroll.
    const qsizetype kept = paragraph - m_top.paragraph;
    m_layout.keepOnly(m_top.paragraph - kept, paragraph + kept);
}

void TextPane::drawParagraph(QPainter &painter, qsizetype paragraph, const QPointF &origin,
                             const QRectF &clip)
{
    const ParagraphIndex &text = m_layout.text();
    const TextRange range = text.range(paragraph);
    const TextRange selected = m_selection.range();
    const QTextLayout &layout = m_layout.layout(paragraph);
    const QPalette &colours = palette();

    QList<QTextLayout::FormatRange> selections;
    const qsizetype from = std::max(selected.begin, range.begin);
    const qsizetype to = std::min(selected.end, range.end);
    if (from < to) {
        QTextLayout::FormatRange highlight;
        highlight.start = int(from - range.begin);
        highlight.length = int(to - from);
        highlight.format.setBackground(colours.brush(QPalette::Highlight));
        highlight.format.setForeground(colours.brush(QPalette::HighlightedText));
        selections.append(highlight);
    }
    layout.draw(&painter, origin, selections, clip);

    // A selected line break shows as a selected blank after the line.
    if (text.endsLine(paragraph) && selected.contains(range.end)) {
        const QTextLine last = layout.lineAt(layout.lineCount() - 1);
        const qreal blank = QFontMetricsF(m_layout.font()).horizontalAdvance(u' ');
        painter.fillRect(QRectF(origin.x() + last.naturalTextWidth(), origin.y() + last.y(), blank,
                                m_layout.rowHeight()),
                         colours.brush(QPalette::Highlight));
    }

    if (hasFocus() && text.paragraphOf(m_selection.position) == paragraph) {
        const int local = int(std::min(m_selection.position, range.end) - range.begin);
        layout.drawCursor(&painter, origin, local, caretWidth);
    }
}

void TextPane::keyPressEvent(QKeyEvent *event)
{
    struct KeyMove
    {
        QKeySequence::StandardKey key;
        Move move;
        bool select;
    };
    static constexpr KeyMove keyMoves[] = {
        {QKeySequence::MoveToNextChar, Move::NextCharacter, false},
        {QKeySequence::SelectNextChar, Move::NextCharacter, true},
        {QKeySequence::MoveToPreviousChar, Move::PreviousCharacter, false},
        {QKeySequence::SelectPreviousChar, Move::PreviousCharacter, true},
        {QKeySequence::MoveToNextWord, Move::NextWord, false},
        {QKeySequence::SelectNextWord, Move::NextWord, true},
        {QKeySequence::MoveToPreviousWord, Move::PreviousWord, false},
        {QKeySequence::SelectPreviousWord, Move::PreviousWord, true},
        {QKeySequence::MoveToNextLine, Move::NextRow, false},
        {QKeySequence::SelectNextLine, Move::NextRow, true},
        {QKeySequence::MoveToPreviousLine, Move::PreviousRow, false},
        {QKeySequence::SelectPreviousLine, Move::PreviousRow, true},
        {QKeySequence::MoveToNextPage, Move::NextPage, false},
        {QKeySequence::SelectNextPage, Move::NextPage, true},
        {QKeySequence::MoveToPreviousPage, Move::PreviousPage, false},
        {QKeySequence::SelectPreviousPage, Move::PreviousPage, true},
        {QKeySequence::MoveToStartOfLine, Move::StartOfRow, false},
        {QKeySequence::SelectStartOfLine, Move::StartOfRow, true},
        {QKeySequence::MoveToEndOfLine, Move::EndOfRow, false},
        {QKeySequence::SelectEndOfLine, Move::EndOfRow, true},
        {QKeySequence::MoveToStartOfDocument, Move::StartOfText, false},
        {QKeySequence::SelectStartOfDocument, Move::StartOfText, true},
        {QKeySequence::MoveToEndOfDocument, Move::EndOfText, false},
        {QKeySequence::SelectEndOfDocument, Move::EndOfText, true},
    };
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    for (const KeyMove &keyMove : keyMoves) {
        if (event->matches(keyMove.key)) {
            move(keyMove.move, keyMove.select);
            return;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void TextPane::move(Move move, bool select)
{
    switch (move) {
    case Move::NextRow:
        moveRows(1, select);
        return;
    case Move::PreviousRow:
        moveRows(-1, select);
        return;
    case Move::NextPage:
    case Move::PreviousPage: {
        const qint64 rows = move == Move::NextPage ? visibleRows() : -visibleRows();
        scrollTo(m_layout.moved(m_top, rows));
        moveRows(rows, select);
        return;
    }
    default:
        m_goalX.reset();
        moveCursor(target(move), select);
    }
}

qsizetype TextPane::target(Move move)
{
    const ParagraphIndex &text = m_layout.text();
    const qsizetype cursor = m_selection.position;
    switch (move) {
    case Move::NextCharacter:
        return nextCharacter(text, cursor);
    case Move::PreviousCharacter:
        return previousCharacter(text, cursor);
    case Move::NextWord:
        return nextWord(text, cursor);
    case Move::PreviousWord:
        return previousWord(text, cursor);
    case Move::StartOfRow:
        return m_layout.rowRange(m_layout.placeOf(cursor)).begin;
    case Move::EndOfRow:
        return endOfRow(cursor);
    case Move::StartOfText:
        return 0;
    case Move::EndOfText:
        return text.text().size();
    default:
        return cursor;
    }
}

qsizetype TextPane::endOfRow(qsizetype position)
{
    const ParagraphIndex &text = m_layout.text();
    const RowPlace place = m_layout.placeOf(position);
    const TextRange row = m_layout.rowRange(place);
    const bool endsLine = text.endsLine(place.paragraph) && place.row + 1 == m_layout.rows(place.paragraph);
    // Where a row wraps after a blank, its end is before the blank: after it
    // the cursor would show at the start of the next row.
    if (!endsLine && row.length() > 0 && text.text().at(row.end - 1).isSpace())
        return row.end - 1;
    return row.end;
}

void TextPane::moveRows(qint64 rows, bool select)
{
    const qsizetype cursor = m_selection.position;
    const RowPlace from = m_layout.placeOf(cursor);
    const qreal x = m_goalX.value_or(m_layout.xOf(cursor));
    const RowPlace to = m_layout.moved(from, rows);
    const qint64 passed = m_layout.rowNumber(to) - m_layout.rowNumber(from);
    qsizetype position = m_layout.positionAt(to, x);
    // A page move that meets the end of the text goes to that end.
    if (std::abs(rows) > 1 && std::abs(passed) < std::abs(rows))
        position = rows > 0 ? Text().size() : 0;
    moveCursor(position, select);
    m_goalX = x;
}

void TextPane::select(qsizetype start, qsizetype end)
{
    m_goalX.reset();
    moveCursor(start, false);
    moveCursor(end, true);
}

void TextPane::moveCursor(qsizetype position, bool select)
{
    m_selection.position = position;
    if (!select)
        m_selection.anchor = position;
    ensureVisible(position);
    viewport()->update();
    if (select)
        publishSelection();
    announceSelection();
}

void TextPane::showRange(qsizetype start, qsizetype end)
{
    ensureVisible(end);
    ensureVisible(start);
}

void TextPane::centre(qsizetype position)
{
    scrollTo(m_layout.moved(m_layout.placeOf(position), -(visibleRows() / 2)));
}

void TextPane::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    m_goalX.reset();
    m_selecting = true;
    m_mouse = event->position();
    moveCursor(positionAt(m_mouse), event->modifiers().testFlag(Qt::ShiftModifier));
}

void TextPane::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_selecting || !event->buttons().testFlag(Qt::LeftButton))
        return;
    m_mouse = event->position();
    const bool outside = m_mouse.y() < 0 || m_mouse.y() >= viewport()->height();
    if (outside && !m_autoScroll.isActive())
        m_autoScroll.start(autoScrollMilliseconds, this);
    else if (!outside)
        m_autoScroll.stop();
    moveCursor(positionAt(m_mouse), true);
}

void TextPane::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_autoScroll.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    scrollTo(m_layout.moved(m_top, m_mouse.y() < 0 ? -1 : 1));
    moveCursor(positionAt(m_mouse), true);
}

void TextPane::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_autoScroll.stop();
    m_selecting = false;
    publishSelection();
}

void TextPane::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    m_goalX.reset();
    m_selecting = true;
    const TextRange word = wordAt(m_layout.text(), positionAt(event->position(), QTextLine::CursorOnCharacter));
    m_selection = {word.begin, word.end};
    ensureVisible(word.end);
    viewport()->update();
    publishSelection();
    announceSelection();
}

void TextPane::contextMenuEvent(QContextMenuEvent *event)
{
    // The items of the standard text widgets, in their words.
    QMenu menu(this);
    QAction *copyItem = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"), this,
                                       &TextPane::copy);
    copyItem->setShortcut(QKeySequence::Copy);
    copyItem->setEnabled(!m_selection.isEmpty());
    menu.addSeparator();
    QAction *selectAllItem = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"),
                                            this, &TextPane::selectAll);
    selectAllItem->setShortcut(QKeySequence::SelectAll);
    selectAllItem->setEnabled(!Text().isEmpty());
    menu.exec(event->globalPos());
}

void TextPane::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TextPane::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace lexalon
