// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

namespace lexalon {

// The windows and the printed page are laid out in twips, 1/1440 inch: 15
// twips to the pixel at 96 dots per inch.
inline constexpr int twipsPerPixel = 15;
inline constexpr int twipsPerInch = 1440;

constexpr int twips(int value)
{
    return (value + twipsPerPixel / 2) / twipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

} // namespace lexalon
