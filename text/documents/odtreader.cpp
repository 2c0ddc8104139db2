// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/odtreader.h"

#include "platform/interaction/taskprogress.h"
#include "text/documents/documentproblems.h"
#include "text/documents/safexml.h"
#include "text/documents/textassembler.h"
#include "text/documents/ziparchive.h"

#include <algorithm>
#include <optional>

namespace lexalon {

namespace {

using namespace Qt::StringLiterals;

const QString contentPart = u"content.xml"_s;
const QString manifestPart = u"META-INF/manifest.xml"_s;
constexpr QStringView officeNamespace = u"urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr QStringView textNamespace = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr QStringView svgNamespace = u"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";
// More spaces in a row than these separate words no better.
constexpr qsizetype mostSpaces = 64;

// A document saved with a password lists how each part is encrypted.
bool isPasswordProtected(const ZipArchive &archive, TaskProgress *progress)
{
    QString problem;
    const std::optional<QByteArray> manifest = archive.read(manifestPart, problem);
    if (!manifest)
        return false;
    SafeXmlReader reader(*manifest, progress);
    while (reader.next()) {
        if (reader.isStart() && reader.name() == u"encryption-data")
            return true;
    }
    return false;
}

// What holds no text of the document as it reads now.
bool isLeftOut(const SafeXmlReader &reader)
{
    const QStringView name = reader.name();
    if (reader.namespaceUri() == textNamespace)
        return name == u"tracked-changes" || name == u"change" || name == u"note-citation";
    if (reader.namespaceUri() == officeNamespace)
        return name == u"annotation";
    return reader.namespaceUri() == svgNamespace && (name == u"title" || name == u"desc");
}

void startTextElement(const SafeXmlReader &reader, TextAssembler &text, int &paragraphs)
{
    const QStringView name = reader.name();
    if (name == u"p" || name == u"h") {
        // One inside another, in a frame: the text before it is a paragraph of its own.
        if (paragraphs++ > 0)
            text.endParagraph();
    } else if (name == u"s") {
        const qsizetype count = reader.attribute(textNamespace, u"c").toLongLong();
        text.addSpaces(std::clamp<qsizetype>(count, 1, mostSpaces));
    } else if (name == u"tab") {
        text.addTab();
    } else if (name == u"line-break") {
        text.breakLine();
    } else if (name == u"note-body") {
        text.beginNote();
    }
}

void endTextElement(QStringView name, TextAssembler &text, int &paragraphs)
{
    if (name == u"p" || name == u"h") {
        --paragraphs;
        text.endParagraph();
    } else if (name == u"note-body") {
        text.endNote();
    }
}

// Reads the body's text; the problem, empty when it read through.
QString readContent(QByteArrayView xml, TextAssembler &text, TaskProgress *progress)
{
    SafeXmlReader reader(xml, progress);
    bool inBody = false;
    int paragraphs = 0; // open text:p and text:h: character data outside them is layout
    while (reader.next()) {
        if (reader.isText()) {
            if (inBody && paragraphs > 0)
                text.addText(reader.text());
        } else if (reader.namespaceUri() == officeNamespace && reader.name() == u"text") {
            inBody = reader.isStart();
        } else if (!inBody) {
            continue;
        } else if (reader.isStart() && isLeftOut(reader)) {
            reader.skipElement();
        } else if (reader.namespaceUri() == textNamespace) {
            if (reader.isStart())
                startTextElement(reader, text, paragraphs);
            else
                endTextElement(reader.name(), text, paragraphs);
        }
    }
    return reader.problem();
}

DocumentText failure(const QString &problem)
{
    return {{}, {}, problem};
}

} // namespace

DocumentText readOdt(QByteArrayView bytes, TaskProgress *progress)
{
    QString problem;
    const std::optional<ZipArchive> archive = ZipArchive::open(bytes, problem);
    if (!archive)
        return failure(problem);
    if (progress)
        progress->setTotal(2);
    if (isPasswordProtected(*archive, progress))
        return failure(documentProblem::passwordProtected());
    if (progress)
        progress->advance(1);
    const std::optional<QByteArray> content = archive->read(contentPart, problem);
    if (!content)
        return failure(problem);
    TextAssembler text(TextAssembler::Spaces::Collapsed, TextAssembler::Notes::AtEnd);
    problem = readContent(*content, text, progress);
    if (!problem.isEmpty())
        return failure(problem);
    if (progress)
        progress->advance(2);
    return {text.finish(), {}, {}};
}

} // namespace lexalon
