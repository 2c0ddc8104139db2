// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSaveFile>

namespace lexalon {

// A QSaveFile that never commits less than was written to it. A write may
// stop short without an error, as on a disk that fills up, and a buffer
// flushed only when the file is committed fails there unnoticed: so every
// write goes to the file at once and is carried on until it is whole or the
// system says why it cannot be, which error() and errorString() then hold.
class CheckedSaveFile final : public QSaveFile
{
public:
    using QSaveFile::QSaveFile;

    bool open(OpenMode mode) override;

protected:
    qint64 writeData(const char *data, qint64 length) override;
};

} // namespace lexalon
