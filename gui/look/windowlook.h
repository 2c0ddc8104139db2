// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QColor>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QString>

#include <optional>

class QFont;
class QLabel;
class QRect;
class QSize;
class QWidget;

namespace lexalon {

// Colours the program's windows share.
inline constexpr QColor lightYellow{255, 255, 192};
inline constexpr QColor titleBand{128, 128, 255};
inline constexpr QColor creditsPeach{255, 224, 192};

// The title bar of the main window and of the word list.
inline constexpr auto programCaption = u"Orvanta Calvexia - Listes du lexalon";

inline constexpr auto labelFamily = u"Times New Roman";

// The font of buttons: a small sans serif, narrow enough for their texts.
QFont controlFont();

// Times New Roman, or a serif of the same widths, at a size in points.
QFont labelFont(qreal points);

// How a label looks: Times New Roman at a size in points, its text colour,
// and the colour of its box when it is opaque (none: it draws its text only).
struct LabelLook
{
    qreal points = 0;
    bool bold = false;
    bool italic = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    QColor text = Qt::black;
    std::optional<QColor> box;
};

// The label's font as its look gives it.
QFont lookFont(const LabelLook &look);

// The look of the study tools' windows: resizable, light yellow with black
// text, Times New Roman at 10 points.
void setToolWindowLook(QWidget &window);

// Fills the widget's own background with a plain colour, and gives its text
// and its children's a colour that reads on it, whatever the desktop's theme.
void setBackground(QWidget *widget, const QColor &colour, const QColor &text = Qt::black);

// The colour nearest to `colour`, towards black or white, that reads on the
// other colour, or under it, at 4.5:1 at least.
QColor readableAgainst(const QColor &colour, const QColor &other);

// The desktop's highlight, light or dark, made just dark or light enough
// for its text to read on it at 4.5:1 at least.
void setReadableSelection(QWidget *view);

// Gives the widget its font, made smaller while its text does not fit its
// rectangle: a figure or a caption is shown whole or not at all.
void fitFont(QWidget *widget, const QFont &font);

// A figure in a label of a fixed size: whole, smaller if need be, and in the
// tooltip.
void showFigure(QLabel *label, const QFont &font, const QString &figure);

// Keeps the child's distances to its parent's right and bottom edges as they
// are with the parent at its designed size: the child grows and shrinks in
// those directions with the parent.
void growWithParent(QWidget *child, const QSize &designedParent, Qt::Orientations directions);

// The window at its designed size, or smaller where the screen is.
void resizeWithinScreen(QWidget &window, const QSize &designed);

// A label at a fixed place of its parent; its text wraps at its width.
QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry,
                 const LabelLook &look);

// A picture from the resources, stretched to fill its place.
QLabel *addPicture(QWidget *parent, const QString &name, const QString &resource,
                   const QRect &geometry);

// A menu of the bar, named as tests and accessibility tools find it.
QMenu *addMenu(QMenuBar *bar, const QString &name, const QString &caption);

// A command of the menu, named likewise, that calls the handler; with its
// shortcut when it has one.
template <typename Window>
QAction *addCommand(QMenu *menu, const QString &name, const QString &caption, Window *window,
                   void (Window::*handler)(), const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    QObject::connect(action, &QAction::triggered, window, handler);
    return action;
}

// The Fichier menu of a window that shows a list: "Enregistrer sous",
// "Imprimer" and "Fermer", with their usual shortcuts.
template <typename Window>
QMenu *addListFileMenu(QMenuBar *bar, Window *window, void (Window::*save)(), void (Window::*print)(),
                       void (Window::*close)())
{
    QMenu *menu = addMenu(bar, QStringLiteral("fichier"), QStringLiteral("&Fichier"));
    addCommand(menu, QStringLiteral("enregistrer"), QStringLiteral("&Enregistrer sous"), window, save,
               QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(menu, QStringLiteral("imprimer"), QStringLiteral("&Imprimer"), window, print,
               QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(menu, QStringLiteral("fermer"), QStringLiteral("&Fermer"), window, close,
               QKeySequence(Qt::CTRL | Qt::Key_W));
    return menu;
}

// The program's pictures, drawn by scripts/make-pictures.py.
inline constexpr auto logoResource = u":/lexalon/logo.gif";
inline constexpr auto sidePictureResource = u":/lexalon/picture.bmp";

} // namespace lexalon
