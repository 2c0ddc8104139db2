// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/epubtext.h"

#include "platform/interaction/taskprogress.h"
#include "text/documents/documentproblems.h"
#include "text/documents/htmltext.h"
#include "text/documents/safexml.h"
#include "text/documents/textassembler.h"
#include "text/documents/ziparchive.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace lexalon {
namespace {

using namespace Qt::StringLiterals;

const QString containerPart = u"META-INF/container.xml"_s;
const QString encryptionPart = u"META-INF/encryption.xml"_s;

// The package's title and its spine's documents, as names in the container.
struct Package
{
    QString title;
    QStringList spine;
};

// The name in the container of a reference made from inside `folder`.
QString resolve(const QString &folder, const QString &reference)
{
    const QString path = QUrl::fromPercentEncoding(reference.section(u'#', 0, 0).toUtf8());
    return QDir::cleanPath(folder.isEmpty() ? path : folder + u'/' + path);
}

QString packagePath(QByteArrayView container, QString &problem)
{
    SafeXmlReader reader(container);
    while (reader.next()) {
        if (reader.isStart() && reader.name() == u"rootfile")
            return reader.attribute(u"full-path");
    }
    problem = reader.problem();
    if (problem.isEmpty())
        problem = documentProblem::missingPart(u"rootfile"_s);
    return {};
}

std::optional<Package> readPackage(QByteArrayView opf, const QString &folder, QString &problem)
{
    Package package;
    QHash<QString, QString> manifest;
    QStringList spineIds;
    SafeXmlReader reader(opf);
    while (reader.next()) {
        if (!reader.isStart())
            continue;
        if (reader.name() == u"item") {
            manifest.insert(reader.attribute(u"id"), resolve(folder, reader.attribute(u"href")));
        } else if (reader.name() == u"itemref") {
            spineIds.append(reader.attribute(u"idref"));
        } else if (reader.name() == u"title" && package.title.isEmpty()) {
            TextAssembler title;
            while (reader.next() && !reader.isEnd())
                title.addText(reader.text());
            package.title = title.finish();
        }
    }
    problem = reader.problem();
    if (!problem.isEmpty())
        return std::nullopt;
    for (const QString &id : spineIds) {
        if (!manifest.contains(id)) {
            problem = documentProblem::missingPart(id);
            return std::nullopt;
        }
        package.spine.append(manifest.value(id));
    }
    return package;
}

// The parts an encryption declaration names: DRM or obfuscated fonts.
QSet<QString> encryptedParts(const ZipArchive &archive)
{
    QSet<QString> parts;
    QString problem;
    const std::optional<QByteArray> encryption = archive.has(encryptionPart) ? archive.read(encryptionPart, problem)
                                                                             : std::nullopt;
    if (!encryption)
        return parts;
    SafeXmlReader reader(*encryption);
    while (reader.next()) {
        if (reader.isStart() && reader.name() == u"CipherReference")
            parts.insert(resolve({}, reader.attribute(u"URI")));
    }
    return parts;
}

DocumentText problem(QString reason)
{
    return {{}, {}, std::move(reason)};
}

} // namespace

DocumentText readEpub(QByteArrayView bytes, TaskProgress *progress)
{
    if (progress != nullptr)
        progress->advance(0);
    QString why;
    const std::optional<ZipArchive> archive = ZipArchive::open(bytes, why);
    if (!archive)
        return problem(why);
    const std::optional<QByteArray> container = archive->read(containerPart, why);
    if (!container)
        return problem(why);
    const QString opfPath = packagePath(*container, why);
    const std::optional<QByteArray> opf = opfPath.isEmpty() ? std::nullopt : archive->read(opfPath, why);
    if (!opf)
        return problem(why);
    const std::optional<Package> package = readPackage(*opf, opfPath.section(u'/', 0, -2), why);
    if (!package)
        return problem(why);

    const QSet<QString> encrypted = encryptedParts(*archive);
    if (progress != nullptr)
        progress->setTotal(package->spine.size());
    QStringList texts;
    qint64 done = 0;
    for (const QString &part : package->spine) {
        if (encrypted.contains(part))
            return problem(documentProblem::encrypted());
        const std::optional<QByteArray> page = archive->read(part, why);
        if (!page)
            return problem(why);
        DocumentText read = readHtml(*page);
        if (!read.ok())
            return read;
        if (!read.text.isEmpty())
            texts.append(read.text);
        if (progress != nullptr)
            progress->advance(++done);
    }
    return {texts.join(u"\n\n"_s), package->title, {}};
}

} // namespace lexalon
