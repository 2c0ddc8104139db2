#pragma once

#include <QString>
#include <QWidget>

class QPlainTextEdit;

namespace lexalon {

// The main window's text pane: shows a whole text, read-only, wrapped at the
// pane's width. Text() gives back exactly the string set, line ends as they
// came, whatever the display does with them.
class TextPane final : public QWidget
{
    Q_OBJECT

public:
    explicit TextPane(QWidget *parent = nullptr);

    const QString &Text() const { return m_text; }
    void setText(const QString &text);

private:
    QPlainTextEdit *m_editor;
    QString m_text;
};

} // namespace lexalon
