// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documentfile.h"

#include "platform/files/systemerror.h"
#include "platform/interaction/taskprogress.h"
#include "text/documents/docxreader.h"
#include "text/documents/epubtext.h"
#include "text/documents/htmltext.h"
#include "text/documents/odtreader.h"
#include "text/documents/pdftext.h"
#include "text/documents/xmldocumentreader.h"
#include "text/documents/ziparchive.h"

#include <QByteArray>
#include <QIODevice>

#include <cerrno>
#include <new>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// Signatures of files that are neither text nor a document read here.
constexpr QByteArrayView unsupportedSignatures[] = {
    "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", // an old Word, Excel or PowerPoint file
    "\x89PNG",
    "\xFF\xD8\xFF", // JPEG
    "GIF8",
};

// The first markup of a web page or of an XML document, after a byte-order
// mark and white space, in any case.
FileKind markupKind(QByteArrayView head)
{
    for (const QByteArrayView mark : {QByteArrayView("\xEF\xBB\xBF"), QByteArrayView("\xFF\xFE"), QByteArrayView("\xFE\xFF")}) {
        if (head.startsWith(mark)) {
            head = head.sliced(mark.size());
            break;
        }
    }
    // UTF-16 markup is read as text: a web page in UTF-16 is rare.
    while (!head.isEmpty() && (head.front() == ' ' || head.front() == '\t' || head.front() == '\r' || head.front() == '\n'))
        head = head.sliced(1);
    const QByteArray start = head.first(std::min<qsizetype>(head.size(), 64)).toByteArray().toLower();
    if (start.startsWith("<!doctype html") || start.startsWith("<html"))
        return FileKind::Html;
    if (start.startsWith("<?xml") || start.startsWith("<tei"))
        return head.toByteArray().toLower().contains("<html") ? FileKind::Html : FileKind::Xml;
    return FileKind::Text;
}

// A ZIP container's document: OpenDocument and EPUB name themselves in their
// "mimetype" entry, Word has its body where Word puts it.
DocumentText readZipDocument(const QByteArray &bytes, TaskProgress *progress)
{
    QString problem;
    const std::optional<ZipArchive> zip = ZipArchive::open(bytes, problem);
    if (!zip)
        return {{}, {}, problem};
    if (zip->has(u"mimetype"_s)) {
        const std::optional<QByteArray> type = zip->read(u"mimetype"_s, problem);
        const QByteArray named = type ? type->trimmed() : QByteArray();
        if (named == "application/vnd.oasis.opendocument.text")
            return readOdt(bytes, progress);
        if (named == "application/epub+zip")
            return readEpub(bytes, progress);
    }
    if (zip->has(u"word/document.xml"_s))
        return readDocx(bytes, progress);
    return {{}, {}, u"c'est une archive ZIP, mais ni un document Word (.docx), ni un texte OpenDocument (.odt), "
                    u"ni un livre EPUB"_s};
}

} // namespace

FileKind fileKindOf(const QString &path, QByteArrayView head)
{
    if (path.endsWith(u".txt"_s, Qt::CaseInsensitive))
        return FileKind::Text;
    if (head.startsWith("%PDF-"))
        return FileKind::Pdf;
    if (head.startsWith("PK\x03\x04"))
        return FileKind::Zip;
    for (const QByteArrayView signature : unsupportedSignatures) {
        if (head.startsWith(signature))
            return FileKind::Unsupported;
    }
    return markupKind(head);
}

TextFileContent readDocumentFile(QIODevice &file, FileKind kind, TaskProgress *progress)
{
    TextFileContent content;
    content.encoding = TextEncoding::Utf8;
    if (kind == FileKind::Unsupported) {
        content.status = TextFileContent::Status::ReadFailed;
        content.errorString = u"Ce type de fichier n'est ni un texte ni un document que Lexalon lit."_s;
        return content;
    }
    try {
        const QByteArray bytes = file.readAll();
        if (bytes.size() != file.size()) {
            content.status = TextFileContent::Status::ReadFailed;
            content.errorString = systemErrorReason(file.errorString());
            return content;
        }
        DocumentText document = kind == FileKind::Pdf    ? readPdf(bytes, progress)
                                : kind == FileKind::Zip  ? readZipDocument(bytes, progress)
                                : kind == FileKind::Html ? readHtml(bytes, progress)
                                                         : readXmlDocument(bytes, progress);
        if (!document.ok()) {
            content.status = TextFileContent::Status::ReadFailed;
            content.errorString = document.problem.first(1).toUpper() + document.problem.sliced(1)
                                  + (document.problem.endsWith(u'.') ? QString() : u"."_s);
            return content;
        }
        content.text = std::move(document.text);
        content.title = std::move(document.title);
    } catch (const std::bad_alloc &) {
        content = {};
        content.status = TextFileContent::Status::TooLarge;
        content.errorString = systemErrorReason(ENOMEM) + u'.';
    } catch (const TaskCancelled &) {
        content = {};
        content.status = TextFileContent::Status::Cancelled;
    }
    return content;
}

} // namespace lexalon
