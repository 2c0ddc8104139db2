// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Windows-1252 as the C library's iconv knows it: an oracle independent of
// the program's own tables.

#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>

namespace lexalon::testing {

class Windows1252Oracle
{
public:
    Windows1252Oracle() = default;
    ~Windows1252Oracle() { iconv_close(m_decoding); iconv_close(m_encoding); }
    Windows1252Oracle(const Windows1252Oracle &) = delete;
    Windows1252Oracle &operator=(const Windows1252Oracle &) = delete;

    bool ready() const { return m_decoding != iconv_t(-1) && m_encoding != iconv_t(-1); }

    // The character of one byte, or nothing for a byte the code page leaves undefined.
    std::optional<char16_t> character(unsigned char byte)
    {
        const std::string out = convert(m_decoding, std::string(1, char(byte)));
        if (out.size() != 2)
            return std::nullopt;
        return char16_t(std::uint8_t(out[0]) | std::uint8_t(out[1]) << 8);
    }

    // The byte of one character of the Basic Multilingual Plane, or nothing
    // when the code page lacks it.
    std::optional<unsigned char> byte(char16_t c)
    {
        const std::string out = convert(m_encoding, {char(c & 0xFF), char(c >> 8)});
        return out.size() == 1 ? std::optional<unsigned char>(out[0]) : std::nullopt;
    }

private:
    // The input converted whole, or nothing when iconv refuses it.
    static std::string convert(iconv_t cd, std::string input)
    {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char output[4];
        char *in = input.data(), *out = output;
        size_t inLeft = input.size(), outLeft = sizeof output;
        const bool whole = iconv(cd, &in, &inLeft, &out, &outLeft) != size_t(-1) && inLeft == 0;
        return whole ? std::string(output, sizeof output - outLeft) : std::string();
    }

    iconv_t m_decoding = iconv_open("UTF-16LE", "WINDOWS-1252");
    iconv_t m_encoding = iconv_open("WINDOWS-1252", "UTF-16LE");
};

} // namespace lexalon::testing
