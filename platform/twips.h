#pragma once

#include <QRect>
#include <QSize>

namespace lexalon {

// The windows are laid out in twips, 1/1440 inch: 15 to the pixel at 96 dots
// per inch. Qt's high-dpi scaling applies on top of these pixels.
inline constexpr int twipsPerPixel = 15;

constexpr int twips(int length)
{
    return (length + twipsPerPixel / 2) / twipsPerPixel;
}

constexpr QSize twipsSize(int width, int height)
{
    return QSize(twips(width), twips(height));
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

} // namespace lexalon
