// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace lexalon {

// File names as the system's bytes. Qt reads a name as UTF-8 and loses a
// byte that is not part of valid UTF-8 (`lat\xE9in.txt` from a Latin-1
// system): such a byte is kept as the code point U+DC80 + byte, which no
// valid name holds, and given back as it was.
QString pathFromNative(QByteArrayView bytes);
QByteArray nativePath(const QString &path);

// Whether Qt's own file classes reach the file under this name.
bool qtCanName(const QString &path);

} // namespace lexalon
