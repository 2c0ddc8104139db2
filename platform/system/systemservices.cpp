// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/systemservices.h"

#include <QFileInfo>
#include <QProcess>
#include <QString>

namespace lexalon {

bool QtProcessStarter::startDetached(const QString &program)
{
    return QProcess::startDetached(program, {});
}

bool QtFileProbe::isOrdinaryFile(const QString &path) const
{
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

} // namespace lexalon
