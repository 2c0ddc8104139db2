#include "platform/regularfile.h"

#include "platform/systemerror.h"

#include <QString>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

QString notRegularReason(mode_t mode)
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
        return notRegularReason(status.st_mode);
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
    const QByteArray name = encodeName(fileName());
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
