#include "ui/windowlook.h"

#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QRect>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr qreal controlPoints = 8.25;
constexpr qreal toolWindowPoints = 10;

} // namespace

QFont controlFont()
{
    QFont font(u"Arial"_s);
    font.setPointSizeF(controlPoints);
    return font;
}

QFont labelFont(qreal points)
{
    QFont font(QString::fromUtf16(labelFamily));
    font.setPointSizeF(points);
    return font;
}

void setToolWindowLook(QDialog &window)
{
    window.setSizeGripEnabled(true);
    QPalette colours = window.palette();
    colours.setColor(QPalette::Window, lightYellow);
    colours.setColor(QPalette::WindowText, Qt::black);
    window.setPalette(colours);
    window.setFont(labelFont(toolWindowPoints));
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry,
                 const LabelLook &look)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(look.alignment);
    QFont font = labelFont(look.points);
    font.setBold(look.bold);
    font.setItalic(look.italic);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, look.text);
    label->setPalette(palette);
    if (look.box)
        setBackground(label, *look.box);
    return label;
}

QLabel *addPicture(QWidget *parent, const QString &name, const QString &resource,
                   const QRect &geometry)
{
    auto *picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(geometry);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(resource));
    return picture;
}

QMenu *addMenu(QMenuBar *bar, const QString &name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

} // namespace lexalon
