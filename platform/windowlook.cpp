#include "platform/windowlook.h"

#include <QPalette>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace lexalon {

QFont timesNewRoman(qreal points)
{
    QFont font(u"Times New Roman"_s);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(points);
    return font;
}

void setBackground(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void setTextColour(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

} // namespace lexalon
