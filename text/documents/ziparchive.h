// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <optional>

class QBuffer;
class QuaZip;

namespace lexalon {

// A ZIP container read from memory, entry by entry, that never inflates
// more than it may: opening refuses a container whose entries declare more
// than 20 times its size or 2 GB in all, and an entry that inflates beyond
// the size it declares is refused as damaged. Problems are in French.
// Not for use by two threads at once.
class ZipArchive
{
public:
    // The container over a copy of these bytes, or nothing, with the reason.
    static std::optional<ZipArchive> open(QByteArrayView bytes, QString &problem);

    ZipArchive(ZipArchive &&) noexcept;
    ZipArchive &operator=(ZipArchive &&) noexcept;
    ~ZipArchive();

    bool has(const QString &name) const;
    // The entry whole, or nothing, with the reason: missing, encrypted,
    // damaged or longer than it declares.
    std::optional<QByteArray> read(const QString &name, QString &problem) const;
    // The entries' names, in the central directory's order.
    QStringList names() const;

    // The most a container may inflate to in all.
    static qint64 expansionLimit(qint64 containerSize);

private:
    struct Entry
    {
        qint64 size = 0; // as the central directory declares it
        bool encrypted = false;
    };

    ZipArchive();

    // Declared in this order so that QuaZip, which closes the device, goes first.
    std::unique_ptr<QByteArray> m_bytes;
    std::unique_ptr<QBuffer> m_device;
    std::unique_ptr<QuaZip> m_zip;
    QStringList m_names;
    QHash<QString, Entry> m_entries;
};

} // namespace lexalon
