#include "document/textpane.h"

#include "shell/windowlook.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace lexalon {

namespace {

inline constexpr qreal paneFontPoints = 9.75;

} // namespace

TextPane::TextPane(QWidget *parent)
    : QWidget(parent)
    , m_editor(new QPlainTextEdit(this))
{
    m_editor->setReadOnly(true);
    m_editor->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_editor->setFont(labelFont(paneFontPoints));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);
}

void TextPane::setText(const QString &text)
{
    m_text = text;
    m_editor->setPlainText(text);
}

} // namespace lexalon
