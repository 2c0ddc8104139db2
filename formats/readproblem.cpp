// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/readproblem.h"

#include "text/textfile.h"

using namespace Qt::StringLiterals;

namespace lexalon {

QString quoted(const QString &path)
{
    return u"« "_s + path + u" »"_s;
}

QString readProblem(const QString &path, const TextFileContent &content)
{
    switch (content.status) {
    case TextFileContent::Status::OpenFailed:
        return u"impossible d'ouvrir %1 : %2"_s.arg(quoted(path), content.errorString);
    case TextFileContent::Status::TooLarge:
        return u"mémoire insuffisante : le texte %1 ne peut pas être lu."_s.arg(quoted(path));
    case TextFileContent::Status::ReadFailed:
    case TextFileContent::Status::Cancelled: // never asked for here
    case TextFileContent::Status::Ok:
        break;
    }
    return u"impossible de lire %1 : %2"_s.arg(quoted(path), content.errorString);
}

} // namespace lexalon
