#pragma once

// Windows-1252 as the C library's iconv knows it: an oracle independent of
// the program's own tables.

#include <iconv.h>

#include <optional>

namespace lexalon::testing {

class IconvConversion
{
public:
    IconvConversion(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    {
    }
    ~IconvConversion() { iconv_close(m_cd); }
    IconvConversion(const IconvConversion &) = delete;
    IconvConversion &operator=(const IconvConversion &) = delete;

    bool ready() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts the input whole; the number of bytes written, or nothing when
    // iconv refuses it.
    std::optional<size_t> convert(const char *input, size_t inputLength, char *output, size_t outputLength)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char *in = const_cast<char *>(input);
        char *out = output;
        size_t inLeft = inputLength;
        size_t outLeft = outputLength;
        if (iconv(m_cd, &in, &inLeft, &out, &outLeft) == size_t(-1) || inLeft != 0)
            return std::nullopt;
        return outputLength - outLeft;
    }

private:
    iconv_t m_cd;
};

class Windows1252Oracle
{
public:
    bool ready() const { return m_decoding.ready() && m_encoding.ready(); }

    // The character of one byte, or nothing for a byte the code page leaves undefined.
    std::optional<char16_t> character(unsigned char byte)
    {
        const char input = char(byte);
        unsigned char output[4];
        const auto written = m_decoding.convert(&input, 1, reinterpret_cast<char *>(output), sizeof output);
        if (!written || *written != 2)
            return std::nullopt;
        return char16_t(output[0] | (output[1] << 8));
    }

    // The byte of one character of the Basic Multilingual Plane, or nothing
    // when the code page lacks it.
    std::optional<unsigned char> byte(char16_t c)
    {
        const unsigned char input[2] = {static_cast<unsigned char>(c & 0xFF), static_cast<unsigned char>(c >> 8)};
        char output[4];
        const auto written = m_encoding.convert(reinterpret_cast<const char *>(input), 2, output, sizeof output);
        if (!written || *written != 1)
            return std::nullopt;
        return static_cast<unsigned char>(output[0]);
    }

private:
    IconvConversion m_decoding{"UTF-16LE", "WINDOWS-1252"};
    IconvConversion m_encoding{"WINDOWS-1252", "UTF-16LE"};
};

} // namespace lexalon::testing
