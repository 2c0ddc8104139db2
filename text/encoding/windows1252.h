// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>

namespace lexalon {

// Windows-1252 both ways. Each byte is one character: bytes 0x80 to 0x9F
// have the code page's characters, the five it leaves undefined keep their
// own value as C1 control characters, and every other byte is the Latin-1
// character of the same value.
const std::array<char16_t, 256> &windows1252Characters();
QString decodeWindows1252(QByteArrayView bytes);
// Decodes into `out`, which has room for as many characters as bytes.
void decodeWindows1252Into(QByteArrayView bytes, char16_t *out);

// The byte written for a character the code page lacks.
inline constexpr char unmappableByte = '?';
// One byte a character, a surrogate pair one character; a character the code
// page lacks is written as '?'. Gives the end of what was written.
char *encodeWindows1252Into(QStringView text, char *out);
QByteArray encodeWindows1252(QStringView text);
// Whether every character of the text has a byte of its own.
bool fitsWindows1252(QStringView text);

} // namespace lexalon
