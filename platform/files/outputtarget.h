// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace lexalon {

// What a path to be written names, and how to write it: one implementation
// per platform.
struct OutputTarget
{
    enum class Kind {
        SaveFile,     // new or regular, and Qt can name it: replaced whole by a save file
        RawSaveFile,  // the same under a name Qt cannot give: a temporary file renamed at the end
        Stream,       // a character device or a FIFO with a reader: written in place
        Refused,      // anything else
    };

    Kind kind = Kind::SaveFile;
    int descriptor = -1;  // RawSaveFile and Stream: open for writing
    QByteArray temporary; // RawSaveFile: the name written, then renamed
    QString reason;       // Refused: why, in French
};

// Opens nothing for SaveFile; never blocks on a FIFO without a reader.
OutputTarget openOutputTarget(const QString &path);

// Writes every byte or fails with the system's reason.
bool writeDescriptor(int descriptor, const char *data, qint64 length, QString &reason);
// Closes the descriptor; for a RawSaveFile, gives the file its name or removes it.
bool finishOutputTarget(const OutputTarget &target, const QString &path, bool keep, QString &reason);

// Whether two existing paths name one file, links followed.
bool isSameFile(const QString &first, const QString &second);

} // namespace lexalon
