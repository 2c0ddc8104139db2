// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/outputtarget.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lexalon {

// Windows names every file in UTF-16 and offers no FIFO to write to: a
// folder is refused, everything else is saved whole.
OutputTarget openOutputTarget(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return {};
    OutputTarget target;
    target.kind = OutputTarget::Kind::Refused;
    target.reason = u"Ce n'est pas un fichier ordinaire : c'est un dossier."_s;
    return target;
}

bool writeDescriptor(int, const char *, qint64, QString &reason)
{
    reason = u"Ce fichier ne peut pas être écrit directement."_s;
    return false;
}

bool finishOutputTarget(const OutputTarget &, const QString &, bool keep, QString &)
{
    return keep;
}

bool isSameFile(const QString &first, const QString &second)
{
    const QString a = QFileInfo(first).canonicalFilePath();
    return !a.isEmpty() && a.compare(QFileInfo(second).canonicalFilePath(), Qt::CaseInsensitive) == 0;
}

} // namespace lexalon
