#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace lexalon {

// The look the program's windows share.
inline constexpr QColor windowBackground{255, 255, 192};
inline constexpr QColor titleBand{128, 128, 255};

QFont timesNewRoman(qreal points);

// Fills the widget's background with the colour.
void setBackground(QWidget &widget, const QColor &colour);
void setTextColour(QWidget &widget, const QColor &colour);

} // namespace lexalon
