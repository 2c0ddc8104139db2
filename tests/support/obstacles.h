// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/restrictedstorage.h"
#include "tests/support/testfiles.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace lexalon::testing {

// What stands where a file is to be written, in the folder "d".
enum class Obstacle { None, OldFile, Folder, FifoWithoutReader, MissingFolder, ReadOnlyFile, ReadOnlyFolder, FullDisk };

// Longer than the lists that replace it.
inline const QByteArray oldContent = QByteArray("le premier enregistrement\r\n").repeated(10);

// Sets the obstacle up, an old file holding oldContent. Permissions do not
// stop root: for root a read-only folder is a file system mounted read-only,
// a read-only file an immutable one; a full disk is a file system of
// `diskBytes`, which needs root. skipReason says what could not be had.
struct ObstacleSetup
{
    ObstacleSetup(const QString &top, Obstacle obstacle, const QString &name, qint64 diskBytes = 8192)
        : folder(top + QStringLiteral("/d")), path(folder + u'/' + name)
    {
        const bool root = geteuid() == 0;
        ok = obstacle == Obstacle::MissingFolder;
        if (ok || !QDir().mkdir(folder))
            return;
        if ((obstacle == Obstacle::FullDisk || (root && obstacle == Obstacle::ReadOnlyFolder))
            && !disk.emplace(folder, diskBytes).failure.isEmpty())
            skipReason = disk->failure;
        else if (obstacle == Obstacle::Folder)
            ok = QDir().mkdir(path) && writeBytes(path + QStringLiteral("/dedans.txt"), "garder");
        else if (obstacle == Obstacle::FifoWithoutReader)
            ok = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        else if (obstacle == Obstacle::None || !writeBytes(path, oldContent))
            ok = obstacle == Obstacle::None;
        else if (obstacle == Obstacle::ReadOnlyFolder)
            ok = disk ? disk->makeReadOnly() : QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        else if (obstacle == Obstacle::ReadOnlyFile && root && !immutable.emplace(path).failure.isEmpty())
            skipReason = immutable->failure;
        else
            ok = obstacle != Obstacle::ReadOnlyFile || root || QFile::setPermissions(path, QFile::ReadOwner);
    }
    ~ObstacleSetup() { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }

    const QString folder, path;
    bool ok = false;
    QString skipReason; // then root is needed
    std::optional<ScratchDisk> disk;
    std::optional<ImmutableFile> immutable;
};

} // namespace lexalon::testing
