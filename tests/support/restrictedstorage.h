#pragma once

// Storage that refuses writes even to root, for whom permissions mean
// nothing: a small tmpfs mounted on a folder, full or read-only, and the
// immutable attribute of a file. Each says why it could not be had, so that
// a test can skip with the reason. Linux only, as the tests that use it.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace lexalon::testing {

inline QString systemReason(const char *what)
{
    return QString::fromUtf8(what) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

// A tmpfs of a few pages on an existing folder, unmounted when it goes.
class ScratchDisk
{
public:
    ScratchDisk(const QString &folder, qint64 bytes) : m_folder(QFile::encodeName(folder))
    {
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0777";
        m_mounted = ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, options.constData()) == 0;
        if (!m_mounted)
            m_failure = systemReason("cannot mount a tmpfs");
    }
    ~ScratchDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    ScratchDisk(const ScratchDisk &) = delete;
    ScratchDisk &operator=(const ScratchDisk &) = delete;

    bool mounted() const { return m_mounted; }
    const QString &failure() const { return m_failure; }
    bool makeReadOnly() { return ::mount(nullptr, m_folder.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
    QString m_failure;
};

// The immutable attribute on a file, cleared again when it goes: no one may
// write, replace or delete the file meanwhile.
class ImmutableFile
{
public:
    explicit ImmutableFile(const QString &path) : m_path(QFile::encodeName(path))
    {
        m_set = setImmutable(true);
        if (!m_set)
            m_failure = systemReason("cannot set the immutable attribute");
    }
    ~ImmutableFile()
    {
        if (m_set)
            setImmutable(false);
    }
    ImmutableFile(const ImmutableFile &) = delete;
    ImmutableFile &operator=(const ImmutableFile &) = delete;

    bool isSet() const { return m_set; }
    const QString &failure() const { return m_failure; }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        const int error = errno;
        ::close(fd);
        errno = error;
        return done;
    }

    QByteArray m_path;
    bool m_set = false;
    QString m_failure;
};

} // namespace lexalon::testing
