// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/checkedsavefile.h"

namespace lexalon {

bool CheckedSaveFile::open(OpenMode mode)
{
    return QSaveFile::open(mode | QIODevice::Unbuffered);
}

qint64 CheckedSaveFile::writeData(const char *data, qint64 length)
{
    qint64 written = 0;
    while (written < length) {
        const qint64 step = QSaveFile::writeData(data + written, length - written);
        if (step < 0)
            return -1;
        if (step == 0) {
            // Neither progress nor a reason: the file must not be committed.
            cancelWriting();
            return -1;
        }
        written += step;
    }
    return written;
}

} // namespace lexalon
