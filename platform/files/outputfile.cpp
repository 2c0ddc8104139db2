// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/outputfile.h"

#include "platform/files/checkedsavefile.h"
#include "platform/files/systemerror.h"

using namespace Qt::StringLiterals;

namespace lexalon {

OutputFile::OutputFile(const QString &path)
    : m_path(path)
{
}

OutputFile::~OutputFile()
{
    cancelWriting();
}

bool OutputFile::open(OpenMode mode)
{
    // The file system would cut the name at a NUL and write another file.
    if (m_path.contains(QChar(u'\0'))) {
        setErrorString(u"Le nom du fichier contient un caractère nul."_s);
        return false;
    }
    m_target = openOutputTarget(m_path);
    switch (m_target.kind) {
    case OutputTarget::Kind::Refused:
        setErrorString(m_target.reason);
        return false;
    case OutputTarget::Kind::SaveFile:
        m_saveFile = std::make_unique<CheckedSaveFile>(m_path);
        if (!m_saveFile->open(QIODevice::WriteOnly)) {
            setErrorString(systemErrorReason(m_saveFile->errorString()));
            m_saveFile.reset();
            return false;
        }
        break;
    case OutputTarget::Kind::RawSaveFile:
    case OutputTarget::Kind::Stream:
        break;
    }
    m_failed = false;
    return QIODevice::open(mode | QIODevice::Unbuffered);
}

bool OutputFile::commit()
{
    if (!isOpen())
        return false;
    QIODevice::close();
    bool kept = !m_failed;
    if (m_saveFile) {
        if (kept && !m_saveFile->commit()) {
            setErrorString(systemErrorReason(m_saveFile->errorString()));
            kept = false;
        }
        m_saveFile.reset();
        return kept;
    }
    QString reason;
    if (!finishOutputTarget(m_target, m_path, kept, reason) && kept) {
        setErrorString(reason);
        kept = false;
    }
    m_target = {};
    return kept;
}

void OutputFile::cancelWriting()
{
    if (!isOpen())
        return;
    m_failed = true;
    commit();
}

qint64 OutputFile::readData(char *, qint64)
{
    return -1;
}

qint64 OutputFile::writeData(const char *data, qint64 length)
{
    if (m_failed)
        return -1;
    if (m_saveFile) {
        if (m_saveFile->write(data, length) == length)
            return length;
        setErrorString(systemErrorReason(m_saveFile->errorString()));
    } else {
        QString reason;
        if (writeDescriptor(m_target.descriptor, data, length, reason))
            return length;
        setErrorString(reason);
    }
    m_failed = true;
    return -1;
}

} // namespace lexalon
