// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/look/windowlook.h"

#include <QDialog>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr qreal controlPoints = 8.25;
constexpr qreal toolWindowPoints = 10;
constexpr QColor toolButtonColour{240, 240, 240};
// How far a text that does not fit may shrink, and by how much at a time.
constexpr qreal smallestPoints = 4;
constexpr qreal shrinkStep = 0.25;

// The width the widget gives its text on one line.
int textRoom(const QWidget *widget)
{
    const auto *button = qobject_cast<const QPushButton *>(widget);
    if (!button)
        return widget->contentsRect().width();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

QString captionOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QPushButton *>(widget))
        return button->text();
    return QString();
}

bool textFits(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->wordWrap())
        return label->heightForWidth(label->width()) <= label->height();
    const QFontMetrics metrics = widget->fontMetrics();
    const QString text = captionOf(widget);
    // An italic's last letter leans out of its advance.
    return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1) <= textRoom(widget);
}

// The contrast of two colours, from 1 to 21, from their relative luminance.
qreal contrastRatio(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &colour) {
        const auto linear = [](float v) { return v <= 0.04045f ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
    };
    const qreal first = luminance(a);
    const qreal second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// Sets the child's size from its parent's each time the parent changes size.
class ParentFollower final : public QObject
{
public:
    ParentFollower(QWidget *child, const QSize &designedParent, Qt::Orientations directions)
        : QObject(child)
        , m_child(child)
        , m_directions(directions)
        , m_margins(designedParent.width() - child->geometry().right(),
                    designedParent.height() - child->geometry().bottom())
    {
        child->parentWidget()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            follow(static_cast<QWidget *>(watched)->size());
        return false;
    }

private:
    void follow(const QSize &parent)
    {
        QRect place = m_child->geometry();
        if (m_directions.testFlag(Qt::Horizontal))
            place.setRight(parent.width() - m_margins.width());
        if (m_directions.testFlag(Qt::Vertical))
            place.setBottom(parent.height() - m_margins.height());
        m_child->setGeometry(place);
    }

    QWidget *m_child;
    Qt::Orientations m_directions;
    QSize m_margins;
};

} // namespace

void growWithParent(QWidget *child, const QSize &designedParent, Qt::Orientations directions)
{
    new ParentFollower(child, designedParent, directions);
}

void resizeWithinScreen(QWidget &window, const QSize &designed)
{
    const QScreen *screen = window.screen();
    if (!screen) {
        window.resize(designed);
        return;
    }
    // The frame is not known before the window shows: its title bar is guessed.
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    window.resize(designed.boundedTo(screen->availableGeometry().size() - QSize(0, titleBar)));
}

QFont controlFont()
{
    QFont font;
    font.setFamilies({u"Arial"_s, u"Liberation Sans"_s, u"Arimo"_s});
    font.setPointSizeF(controlPoints);
    return font;
}

QFont labelFont(qreal points)
{
    QFont font;
    font.setFamilies({QString::fromUtf16(labelFamily), u"Liberation Serif"_s, u"Tinos"_s});
    font.setPointSizeF(points);
    return font;
}

QFont lookFont(const LabelLook &look)
{
    QFont font = labelFont(look.points);
    font.setBold(look.bold);
    font.setItalic(look.italic);
    return font;
}

void setToolWindowLook(QWidget &window)
{
    if (auto *dialog = qobject_cast<QDialog *>(&window))
        dialog->setSizeGripEnabled(true);
    QPalette colours = window.palette();
    colours.setColor(QPalette::Window, lightYellow);
    colours.setColor(QPalette::WindowText, Qt::black);
    // Tabs draw the window's text on the buttons' colour: both stay light.
    colours.setColor(QPalette::Button, toolButtonColour);
    colours.setColor(QPalette::ButtonText, Qt::black);
    window.setPalette(colours);
    window.setFont(labelFont(toolWindowPoints));
}

void setBackground(QWidget *widget, const QColor &colour, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor readableAgainst(const QColor &colour, const QColor &other)
{
    constexpr qreal readable = 4.5;
    constexpr int steps = 20;
    for (int step = 0; step <= steps; ++step) {
        const qreal share = qreal(step) / steps;
        for (const QColor &end : {QColor(Qt::black), QColor(Qt::white)}) {
            const QColor blended = QColor::fromRgbF(float(colour.redF() + (end.redF() - colour.redF()) * share),
                                                    float(colour.greenF() + (end.greenF() - colour.greenF()) * share),
                                                    float(colour.blueF() + (end.blueF() - colour.blueF()) * share));
            if (contrastRatio(blended, other) >= readable)
                return blended;
        }
    }
    return colour;
}

void setReadableSelection(QWidget *view)
{
    QPalette colours = view->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QColor text = colours.color(group, QPalette::HighlightedText);
        const QColor highlight = colours.color(group, QPalette::Highlight);
        colours.setColor(group, QPalette::Highlight, readableAgainst(highlight, text));
    }
    view->setPalette(colours);
}

void fitFont(QWidget *widget, const QFont &font)
{
    QFont fitted = font;
    widget->setFont(fitted);
    while (!textFits(widget) && fitted.pointSizeF() > smallestPoints) {
        fitted.setPointSizeF(fitted.pointSizeF() - shrinkStep);
        widget->setFont(fitted);
    }
}

void showFigure(QLabel *label, const QFont &font, const QString &figure)
{
    label->setWordWrap(false);
    label->setText(figure);
    label->setToolTip(figure);
    fitFont(label, font);
}

QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry,
                 const LabelLook &look)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(look.alignment);
    if (look.box) {
        setBackground(label, *look.box, look.text);
    } else {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, look.text);
        label->setPalette(palette);
    }
    fitFont(label, lookFont(look));
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
