// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/textpane/textpaneaccessible.h"

#include "gui/textpane/textpane.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QRectF>

#include <algorithm>
#include <climits>
#include <optional>

namespace lexalon {

namespace {

QAccessibleInterface *textPaneInterface(const QString &, QObject *object)
{
    auto *pane = qobject_cast<TextPane *>(object);
    return pane ? new TextPaneAccessible(pane) : nullptr;
}

} // namespace

void installTextPaneAccessibility()
{
    static const bool installed = (QAccessible::installFactory(textPaneInterface), true);
    Q_UNUSED(installed);
}

TextPaneAccessible::TextPaneAccessible(TextPane *pane)
    : QAccessibleWidget(pane, QAccessible::EditableText)
{
}

TextPane *TextPaneAccessible::pane() const
{
    return static_cast<TextPane *>(widget());
}

int TextPaneAccessible::clamped(int offset) const
{
    return std::clamp(offset, 0, characterCount());
}

QAccessible::State TextPaneAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void *TextPaneAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void TextPaneAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    const TextRange range = pane()->selection().range();
    if (selectionIndex != 0 || range.length() == 0)
        return;
    *startOffset = int(range.begin);
    *endOffset = int(range.end);
}

int TextPaneAccessible::selectionCount() const
{
    return pane()->selection().isEmpty() ? 0 : 1;
}

void TextPaneAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextPaneAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        setCursorPosition(cursorPosition());
}

void TextPaneAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        pane()->select(clamped(startOffset), clamped(endOffset));
}

int TextPaneAccessible::cursorPosition() const
{
    return int(pane()->selection().position);
}

void TextPaneAccessible::setCursorPosition(int position)
{
    pane()->select(clamped(position), clamped(position));
}

QString TextPaneAccessible::text(int startOffset, int endOffset) const
{
    // An end of -1 stands for the end of the text.
    const int start = clamped(startOffset);
    const int end = endOffset < 0 ? characterCount() : clamped(endOffset);
    return pane()->Text().mid(start, std::max(0, end - start));
}

int TextPaneAccessible::characterCount() const
{
    return int(std::min<qsizetype>(pane()->Text().size(), INT_MAX));
}

QRect TextPaneAccessible::characterRect(int offset) const
{
    const std::optional<QRectF> cursor = pane()->cursorRect(clamped(offset));
    if (!cursor)
        return QRect();
    const QChar character = offset < characterCount() ? pane()->Text().at(offset) : QChar(u' ');
    QRectF box = *cursor;
    box.setWidth(QFontMetricsF(pane()->font()).horizontalAdvance(character));
    const QWidget *viewport = pane()->viewport();
    return QRect(viewport->mapToGlobal(box.topLeft().toPoint()), box.size().toSize());
}

int TextPaneAccessible::offsetAtPoint(const QPoint &point) const
{
    const QWidget *viewport = pane()->viewport();
    const QPoint local = viewport->mapFromGlobal(point);
    if (!viewport->rect().contains(local))
        return -1;
    return int(pane()->positionAt(local));
}

void TextPaneAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    pane()->showRange(clamped(startIndex), clamped(endIndex));
}

QString TextPaneAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // One font and one colour for the whole text.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

} // namespace lexalon
