// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/files/outputtarget.h"

#include <QIODevice>
#include <QString>

#include <memory>

namespace lexalon {

class CheckedSaveFile;

// A file written whole or not at all. A new or regular file (a link is
// judged by its target) is replaced only once the new content is complete;
// a character device or a FIFO that a reader holds open is written to in
// place, as Unix tools do; a FIFO without a reader, a folder, a socket or
// anything else is refused before a byte is written, never replaced.
class OutputFile final : public QIODevice
{
    Q_OBJECT

public:
    explicit OutputFile(const QString &path);
    ~OutputFile() override;

    // Write-only. False with the reason, in French, in errorString().
    bool open(OpenMode mode) override;
    bool isSequential() const override { return true; }
    // Makes what was written the file's content; false with the reason.
    bool commit();
    // Forgets what was written; the file stays as it was.
    void cancelWriting();

protected:
    qint64 readData(char *data, qint64 maxLength) override;
    qint64 writeData(const char *data, qint64 length) override;

private:
    QString m_path;
    OutputTarget m_target;
    std::unique_ptr<CheckedSaveFile> m_saveFile;
    bool m_failed = false;
};

} // namespace lexalon
