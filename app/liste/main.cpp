#include "output/listcommand.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // Unbuffered, so that a failed write is seen where it happens.
    QFile out;
    QFile err;
    if (!out.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered)
        || !err.open(fileno(stderr), QIODevice::WriteOnly | QIODevice::Unbuffered))
        return lexalon::listFailed;
    return lexalon::runListCommand(QCoreApplication::arguments().mid(1), out, err);
}
