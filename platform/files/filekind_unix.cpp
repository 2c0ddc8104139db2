// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/filekind_unix.h"

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace lexalon {

QString notRegularFileReason(mode_t mode)
{
    const QString what = S_ISDIR(mode)    ? u"c'est un dossier"_s
                         : S_ISFIFO(mode) ? u"c'est un tube nommé (FIFO)"_s
                         : S_ISCHR(mode)  ? u"c'est un périphérique en mode caractère"_s
                         : S_ISBLK(mode)  ? u"c'est un périphérique en mode bloc"_s
                         : S_ISSOCK(mode) ? u"c'est un socket"_s
                                          : QString();
    if (what.isEmpty())
        return u"Ce n'est pas un fichier ordinaire."_s;
    return u"Ce n'est pas un fichier ordinaire : %1."_s.arg(what);
}

} // namespace lexalon
