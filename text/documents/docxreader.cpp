// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/docxreader.h"

#include "platform/interaction/taskprogress.h"
#include "text/documents/documentproblems.h"
#include "text/documents/safexml.h"
#include "text/documents/textassembler.h"
#include "text/documents/ziparchive.h"

#include <QStringList>

#include <array>
#include <optional>

namespace lexalon {

namespace {

using namespace Qt::StringLiterals;

// Word keeps a document protected by a password in a compound file, not a ZIP.
constexpr QByteArrayView compoundFileSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");

const QString mainPart = u"word/document.xml"_s;
// Read after the body when there are any, in this order.
const std::array notesParts = {u"word/footnotes.xml"_s, u"word/endnotes.xml"_s};

bool isWordNamespace(QStringView uri)
{
    return uri == u"http://schemas.openxmlformats.org/wordprocessingml/2006/main"
        || uri == u"http://purl.oclc.org/ooxml/wordprocessingml/main";
}

// What holds no text of the document as it reads now: deletions, text moved
// away, field codes, properties, the separators drawn above notes and the
// older rendering of what is also given as a newer one.
bool isLeftOut(const SafeXmlReader &reader)
{
    const QStringView name = reader.name();
    if (reader.namespaceUri() == u"http://schemas.openxmlformats.org/markup-compatibility/2006")
        return name == u"Fallback";
    if (!isWordNamespace(reader.namespaceUri()))
        return false;
    if (name == u"footnote" || name == u"endnote") {
        const QString type = reader.attribute(reader.namespaceUri(), u"type");
        return type == u"separator" || type == u"continuationSeparator" || type == u"continuationNotice";
    }
    return name == u"del" || name == u"moveFrom" || name == u"instrText" || name == u"delInstrText"
        || name == u"pPr" || name == u"rPr";
}

void startWordElement(QStringView name, TextAssembler &text, bool &inText)
{
    if (name == u"p") // inside another, in a text box: the text before it is a paragraph of its own
        text.endParagraph();
    else if (name == u"t")
        inText = true;
    else if (name == u"tab")
        text.addTab();
    else if (name == u"br" || name == u"cr")
        text.breakLine();
    else if (name == u"noBreakHyphen")
        text.addText(u"-");
}

// Adds the paragraphs of one part; the problem, empty when it read through.
QString readPart(QByteArrayView xml, TextAssembler &text, TaskProgress *progress)
{
    SafeXmlReader reader(xml, progress);
    bool inText = false;
    while (reader.next()) {
        if (reader.isText()) {
            if (inText)
                text.addText(reader.text());
        } else if (reader.isStart() && isLeftOut(reader)) {
            reader.skipElement();
        } else if (isWordNamespace(reader.namespaceUri())) {
            if (reader.isStart())
                startWordElement(reader.name(), text, inText);
            else if (reader.name() == u"t")
                inText = false;
            else if (reader.name() == u"p")
                text.endParagraph();
        }
    }
    return reader.problem();
}

DocumentText failure(const QString &problem)
{
    return {{}, {}, problem};
}

} // namespace

DocumentText readDocx(QByteArrayView bytes, TaskProgress *progress)
{
    if (bytes.startsWith(compoundFileSignature))
        return failure(documentProblem::passwordProtected());
    QString problem;
    const std::optional<ZipArchive> archive = ZipArchive::open(bytes, problem);
    if (!archive)
        return failure(problem);
    QStringList parts = {mainPart};
    for (const QString &notes : notesParts) {
        if (archive->has(notes))
            parts.append(notes);
    }
    if (progress)
        progress->setTotal(parts.size());
    TextAssembler text(TextAssembler::Spaces::Kept, TextAssembler::Notes::AtEnd);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::optional<QByteArray> xml = archive->read(parts[i], problem);
        if (!xml)
            return failure(problem);
        problem = readPart(*xml, text, progress);
        if (!problem.isEmpty())
            return failure(problem);
        if (progress)
            progress->advance(i + 1);
    }
    return {text.finish(), {}, {}};
}

} // namespace lexalon
