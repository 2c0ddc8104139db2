// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>

class QString;

namespace lexalon {

// A file that is read only when it is a regular file. Opening a FIFO that
// no program writes to, or some devices, would wait for ever; and neither
// has a size to read up to. Every reason of a failure is French.
class RegularFile final : public QFile
{
public:
    explicit RegularFile(const QString &path);

    // Opens the file for reading without waiting; anything but a regular
    // file is refused. False with the reason in errorString().
    bool openForReading();

protected:
    qint64 readData(char *data, qint64 maxSize) override;
};

} // namespace lexalon
