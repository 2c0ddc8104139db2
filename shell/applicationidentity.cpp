#include "shell/applicationidentity.h"

#include "platform/messagebox.h"
#include "shell/programversion.h"

#include <QApplication>
#include <QIcon>
#include <QString>

using namespace Qt::StringLiterals;

namespace lexalon {

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QString::fromUtf16(programTitle));
    QCoreApplication::setApplicationVersion(programVersion());
    QApplication::setWindowIcon(programIcon());
}

QIcon programIcon()
{
    QIcon icon;
    for (const QString &size : {u"16"_s, u"32"_s, u"48"_s})
        icon.addFile(u":/lexalon/icon-%1.png"_s.arg(size));
    return icon;
}

} // namespace lexalon
