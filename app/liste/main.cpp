// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/listcommand.h"
#include "platform/files/largememory.h"
#include "platform/files/nativepath.h"
#include "platform/system/qttranslations.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

int main(int argc, char *argv[])
{
    // The lists of many files are built and dropped in turn, on threads.
    lexalon::mapLargeBuffersApart();
    QCoreApplication app(argc, argv);
    // The system's reasons that Qt gives, in French like the messages around them.
    lexalon::installQtFrenchTranslations(app);
    // Unbuffered, so that a failed write is seen where it happens.
    QFile out;
    QFile err;
    if (!out.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered)
        || !err.open(fileno(stderr), QIODevice::WriteOnly | QIODevice::Unbuffered))
        return lexalon::listFailed;
    // Names as the system's bytes, so that every existing file can be named.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(lexalon::pathFromNative(argv[i]));
#if defined(Q_OS_UNIX)
    const bool errIsTerminal = isatty(fileno(stderr)) != 0;
#else
    const bool errIsTerminal = false;
#endif
    return lexalon::runListCommand(arguments, out, err, errIsTerminal);
}
