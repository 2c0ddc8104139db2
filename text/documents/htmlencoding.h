// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

namespace lexalon {

// The characters of a web page's bytes, decoded by the first rule that
// applies: the byte-order mark (UTF-8, UTF-16 LE or BE); the XML declaration
// at the start, then the charset of the first <meta> of the first 1024 bytes
// that names one, when the name is known (ISO-8859-1 and ASCII read as
// Windows-1252, UTF-16 as UTF-8, as browsers do); UTF-8 when the bytes are
// valid UTF-8; else Windows-1252. Bytes invalid in the chosen encoding become
// U+FFFD. The mark is not part of the text.
QString decodeWebPage(QByteArrayView bytes);

} // namespace lexalon
