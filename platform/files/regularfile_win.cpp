// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/regularfile.h"

#include "platform/files/systemerror.h"

#include <QFileInfo>
#include <QString>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace lexalon {

RegularFile::RegularFile(const QString &path)
    : QFile(path)
{
}

// Opening does not wait here; what is not a file is refused before Qt
// tries, with a French reason.
bool RegularFile::openForReading()
{
    const QFileInfo info(fileName());
    if (!info.exists()) {
        setErrorString(systemErrorReason(ENOENT) + u'.');
        return false;
    }
    if (info.isDir()) {
        setErrorString(u"Ce n'est pas un fichier ordinaire : c'est un dossier."_s);
        return false;
    }
    if (!info.isFile()) {
        setErrorString(u"Ce n'est pas un fichier ordinaire."_s);
        return false;
    }
    return open(QIODevice::ReadOnly);
}

// Windows gives its reasons in the language of the system already.
qint64 RegularFile::readData(char *data, qint64 maxSize)
{
    return QFile::readData(data, maxSize);
}

} // namespace lexalon
