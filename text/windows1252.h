#pragma once

#include <array>

namespace lexalon::windows1252 {

// Bytes 0x80 to 0x9F of Windows-1252. The five bytes the code page leaves
// undefined keep their own value, as C1 control characters; every other byte
// is the Latin-1 character of the same value.
inline constexpr int block80First = 0x80;
inline constexpr int block80End = 0xA0;
inline constexpr std::array<char16_t, block80End - block80First> block80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace lexalon::windows1252
