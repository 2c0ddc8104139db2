// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Storage that refuses writes even to root: a small tmpfs on a folder, full or
// read-only, and an immutable file; each says why it could not be had.

#include <QFile>
#include <QProcess>
#include <QString>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace lexalon::testing {

// A tmpfs of `bytes` on an existing folder, unmounted when it goes.
struct ScratchDisk
{
    ScratchDisk(const QString &folder, qint64 bytes) : path(QFile::encodeName(folder))
    {
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0777";
        if (::mount("tmpfs", path.constData(), "tmpfs", 0, options.constData()) != 0)
            failure = QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
    }
    ~ScratchDisk() { failure.isEmpty() && ::umount2(path.constData(), MNT_DETACH); }
    bool makeReadOnly() { return ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

    const QByteArray path;
    QString failure; // empty once mounted
};

// The immutable attribute on a file, cleared again when it goes.
struct ImmutableFile
{
    explicit ImmutableFile(const QString &file) : path(file)
    {
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) != 0)
            failure = QStringLiteral("chattr +i failed on ") + path;
    }
    ~ImmutableFile() { failure.isEmpty() && QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path}); }

    const QString path;
    QString failure; // empty once set
};

} // namespace lexalon::testing
