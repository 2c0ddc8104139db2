// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startup/applicationidentity.h"

#include "lexalon/version.h"
#include "platform/interaction/messagebox.h"
#include "shell/programversion.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QString>

using namespace Qt::StringLiterals;

namespace lexalon {

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QString::fromUtf16(programTitle));
    QCoreApplication::setApplicationVersion(programVersion());
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromUtf16(u"" LEXALON_APP_ID));
    QApplication::setWindowIcon(programIcon());
}

QIcon programIcon()
{
    QIcon icon;
    for (const QString &size : {u"16"_s, u"32"_s, u"48"_s, u"64"_s, u"128"_s, u"256"_s})
        icon.addFile(u":/lexalon/icon-%1.png"_s.arg(size));
    return icon;
}

} // namespace lexalon
