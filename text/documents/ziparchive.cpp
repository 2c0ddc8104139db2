// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/ziparchive.h"

#include "text/documents/documentproblems.h"

#include <QBuffer>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>

#include <algorithm>
#include <utility>

namespace lexalon {

namespace {

constexpr qint64 expansionRatio = 20;
constexpr qint64 expansionCeiling = qint64(2) << 30;
constexpr qint64 readPiece = qint64(1) << 16;

} // namespace

qint64 ZipArchive::expansionLimit(qint64 containerSize)
{
    return std::min(expansionRatio * containerSize, expansionCeiling);
}

ZipArchive::ZipArchive() = default;
ZipArchive::ZipArchive(ZipArchive &&) noexcept = default;
ZipArchive &ZipArchive::operator=(ZipArchive &&) noexcept = default;
ZipArchive::~ZipArchive() = default;

std::optional<ZipArchive> ZipArchive::open(QByteArrayView bytes, QString &problem)
{
    ZipArchive archive;
    archive.m_bytes = std::make_unique<QByteArray>(bytes.toByteArray());
    archive.m_device = std::make_unique<QBuffer>(archive.m_bytes.get());
    archive.m_zip = std::make_unique<QuaZip>(archive.m_device.get());
    QuaZip &zip = *archive.m_zip;
    if (!zip.open(QuaZip::mdUnzip)) {
        problem = documentProblem::damaged();
        return std::nullopt;
    }
    const QList<QuaZipFileInfo64> infos = zip.getFileInfoList64();
    if (zip.getZipError() != UNZ_OK) {
        problem = documentProblem::damaged();
        return std::nullopt;
    }
    const qint64 limit = expansionLimit(bytes.size());
    qint64 total = 0;
    for (const QuaZipFileInfo64 &info : infos) {
        // Each size is checked before it is added: the sum cannot overflow.
        if (info.uncompressedSize > quint64(limit - total)) {
            problem = documentProblem::tooLarge();
            return std::nullopt;
        }
        total += qint64(info.uncompressedSize);
        if (!archive.m_entries.contains(info.name)) {
            archive.m_names.append(info.name);
            archive.m_entries.insert(info.name, {qint64(info.uncompressedSize), info.isEncrypted()});
        }
    }
    return archive;
}

bool ZipArchive::has(const QString &name) const
{
    return m_entries.contains(name);
}

QStringList ZipArchive::names() const
{
    return m_names;
}

std::optional<QByteArray> ZipArchive::read(const QString &name, QString &problem) const
{
    const auto entry = m_entries.constFind(name);
    if (entry == m_entries.cend()) {
        problem = documentProblem::missingPart(name);
        return std::nullopt;
    }
    if (entry->encrypted) {
        problem = documentProblem::encrypted();
        return std::nullopt;
    }
    problem = documentProblem::damaged();
    if (!m_zip->setCurrentFile(name, QuaZip::csSensitive))
        return std::nullopt;
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Never more than the declared size, which opening held to the limit:
    // one byte more is enough to know that the header lies.
    QByteArray content;
    while (content.size() <= entry->size) {
        const QByteArray piece = file.read(std::min(readPiece, entry->size + 1 - content.size()));
        if (piece.isEmpty())
            break;
        content += piece;
    }
    const bool whole = content.size() == entry->size && file.getZipError() == UNZ_OK;
    file.close();
    if (!whole || file.getZipError() != UNZ_OK)
        return std::nullopt;
    problem.clear();
    return content;
}

} // namespace lexalon
