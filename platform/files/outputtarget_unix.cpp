// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/outputtarget.h"

#include "platform/files/filekind_unix.h"
#include "platform/files/nativepath.h"
#include "platform/files/systemerror.h"

#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

OutputTarget refused(const QString &reason)
{
    OutputTarget target;
    target.kind = OutputTarget::Kind::Refused;
    target.reason = reason;
    return target;
}

// A FIFO is opened without blocking: with no reader the system says so at
// once instead of waiting for one.
OutputTarget openStream(const QByteArray &name, bool fifo)
{
    const int descriptor = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        if (fifo && errno == ENXIO)
            return refused(u"Aucun programme ne lit ce tube nommé (FIFO)."_s);
        return refused(systemErrorReason(errno));
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    // A reader that goes away is a failure to report, not the end of the program.
    std::signal(SIGPIPE, SIG_IGN);
    OutputTarget target;
    target.kind = OutputTarget::Kind::Stream;
    target.descriptor = descriptor;
    return target;
}

QByteArray folderOf(const QByteArray &name)
{
    const qsizetype slash = name.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
}

// A temporary file beside the target, renamed over it once complete; it
// takes the permissions of the file it replaces.
OutputTarget openRawSaveFile(const QByteArray &name, const struct stat *replaced)
{
    const QByteArray prefix = folderOf(name) + "/.lexalon-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = prefix + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int descriptor =
            ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            if (replaced)
                ::fchmod(descriptor, replaced->st_mode & 07777);
            OutputTarget target;
            target.kind = OutputTarget::Kind::RawSaveFile;
            target.descriptor = descriptor;
            target.temporary = temporary;
            return target;
        }
        if (errno != EEXIST)
            return refused(systemErrorReason(errno));
    }
    return refused(systemErrorReason(EEXIST));
}

} // namespace

OutputTarget openOutputTarget(const QString &path)
{
    const QByteArray name = nativePath(path);
    struct stat status {};
    const bool exists = ::stat(name.constData(), &status) == 0;
    // A name that cannot be resolved, such as a loop of links, is not
    // replaced by a file of its own: only a missing file is made.
    if (!exists && errno != ENOENT)
        return refused(systemErrorReason(errno));
    // A file that may not be written is not replaced: the system says why.
    if (exists && S_ISREG(status.st_mode) && ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0)
        return refused(systemErrorReason(errno));
    if (!exists || S_ISREG(status.st_mode)) {
        if (qtCanName(path))
            return {};
        return openRawSaveFile(name, exists ? &status : nullptr);
    }
    if (S_ISCHR(status.st_mode))
        return openStream(name, false);
    if (S_ISFIFO(status.st_mode))
        return openStream(name, true);
    return refused(notRegularFileReason(status.st_mode));
}

bool writeDescriptor(int descriptor, const char *data, qint64 length, QString &reason)
{
    while (length > 0) {
        const ssize_t written = ::write(descriptor, data, size_t(length));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            reason = systemErrorReason(written < 0 ? errno : EIO);
            return false;
        }
        data += written;
        length -= written;
    }
    return true;
}

bool finishOutputTarget(const OutputTarget &target, const QString &path, bool keep, QString &reason)
{
    if (target.kind == OutputTarget::Kind::RawSaveFile && keep && ::fsync(target.descriptor) != 0) {
        reason = systemErrorReason(errno);
        keep = false;
    }
    if (::close(target.descriptor) != 0 && keep) {
        reason = systemErrorReason(errno);
        keep = false;
    }
    if (target.kind != OutputTarget::Kind::RawSaveFile)
        return keep;
    if (keep && ::rename(target.temporary.constData(), nativePath(path).constData()) == 0)
        return true;
    if (keep)
        reason = systemErrorReason(errno);
    ::unlink(target.temporary.constData());
    return false;
}

bool isSameFile(const QString &first, const QString &second)
{
    struct stat a {};
    struct stat b {};
    return ::stat(nativePath(first).constData(), &a) == 0 && ::stat(nativePath(second).constData(), &b) == 0
           && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace lexalon
