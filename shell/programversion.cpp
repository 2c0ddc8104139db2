// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/programversion.h"

#include "lexalon/version.h"

using namespace Qt::StringLiterals;

namespace lexalon {

QString versionText(int major, int minor, int revision)
{
    return u"Version %1.%2.%3"_s.arg(major).arg(minor).arg(revision);
}

QString programVersionText()
{
    return versionText(LEXALON_VERSION_MAJOR, LEXALON_VERSION_MINOR, LEXALON_VERSION_PATCH);
}

QString programVersion()
{
    return QString::fromLatin1(LEXALON_VERSION_STRING);
}

} // namespace lexalon
