// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/regularfile.h"

#include "platform/files/filekind_unix.h"
#include "platform/files/nativepath.h"
#include "platform/files/systemerror.h"

#include <QString>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

QString sentence(int errorNumber)
{
    return systemErrorReason(errorNumber) + u'.';
}

// Refuses what is not a regular file, then lets reads wait for their data
// again.
QString checkRegular(int fd)
{
    struct stat status;
    if (::fstat(fd, &status) != 0)
        return sentence(errno);
    if (!S_ISREG(status.st_mode))
        return notRegularFileReason(status.st_mode);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1)
        return sentence(errno);
    return {};
}

} // namespace

RegularFile::RegularFile(const QString &path)
    : QFile(path)
{
}

bool RegularFile::openForReading()
{
    const QByteArray name = nativePath(fileName());
    int fd;
    do {
        // Without O_NONBLOCK, opening a FIFO waits for a writer.
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd == -1 && errno == EINTR);
    if (fd == -1) {
        setErrorString(sentence(errno));
        return false;
    }
    const QString refusal = checkRegular(fd);
    if (!refusal.isEmpty()) {
        ::close(fd);
        setErrorString(refusal);
        return false;
    }
    if (!open(fd, QIODevice::ReadOnly, AutoCloseHandle)) {
        // Qt closes the descriptor only once the file is open.
        ::close(fd);
        return false;
    }
    return true;
}

// Qt gives the C library's reason, in English; the read's errno gives ours.
qint64 RegularFile::readData(char *data, qint64 maxSize)
{
    errno = 0;
    const qint64 got = QFile::readData(data, maxSize);
    if (got < 0 && errno != 0)
        setErrorString(systemErrorReason(errno));
    return got;
}

} // namespace lexalon
