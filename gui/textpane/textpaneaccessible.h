// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

namespace lexalon {

class TextPane;

// The text pane as screen readers read it: its text, its cursor and its
// selection, named after the file the window shows.
class TextPaneAccessible final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit TextPaneAccessible(TextPane *pane);

    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    using QAccessibleWidget::text;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    TextPane *pane() const;
    int clamped(int offset) const;
};

// Gives the program's text panes the interface above; once, at start.
void installTextPaneAccessibility();

} // namespace lexalon
