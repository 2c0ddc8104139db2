// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lexalon {

// A word form is a maximal run of letters: A to Z, a to z, the Latin-1
// letters U+00C0 to U+00FF except × and ÷, and the other letters of the
// Windows-1252 repertoire (Œ œ Š š Ž ž Ÿ). Everything else separates forms.
constexpr bool isLetter(char16_t c) noexcept
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    if (c < 0x100)
        return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    switch (c) {
    case 0x0152: case 0x0153: // Œ œ
    case 0x0160: case 0x0161: // Š š
    case 0x0178:              // Ÿ
    case 0x017D: case 0x017E: // Ž ž
        return true;
    default:
        return false;
    }
}

// Lower-cases a letter; ß, ÿ and lower-case letters stay as they are.
constexpr char16_t foldLetter(char16_t c) noexcept
{
    if (c >= u'A' && c <= u'Z')
        return c + 0x20;
    if ((c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xDE))
        return c + 0x20;
    switch (c) {
    case 0x0152: case 0x0160: case 0x017D:
        return c + 1;
    case 0x0178:
        return 0x00FF;
    default:
        return c;
    }
}

} // namespace lexalon
