// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/xmldocumentreader.h"

#include "platform/interaction/taskprogress.h"
#include "text/documents/safexml.h"
#include "text/documents/textassembler.h"

#include <QSet>

#include <utility>

#include <vector>

namespace lexalon {

namespace {

using namespace Qt::StringLiterals;

constexpr QStringView teiNamespace = u"http://www.tei-c.org/ns/1.0";

bool isTei(const SafeXmlReader &reader)
{
    return reader.namespaceUri() == teiNamespace || reader.namespaceUri().isEmpty();
}

bool isBlock(QStringView name)
{
    static const QSet<QStringView> blocks = {
        u"p", u"ab", u"head", u"l", u"lg", u"item", u"list", u"label", u"div", u"div1", u"div2", u"div3",
        u"div4", u"div5", u"div6", u"div7", u"sp", u"speaker", u"stage", u"table", u"row", u"cell", u"quote",
        u"trailer", u"byline", u"dateline", u"docTitle", u"titlePart", u"docAuthor", u"docImprint", u"docDate",
        u"titlePage", u"argument", u"epigraph", u"opener", u"closer", u"salute", u"signed", u"postscript",
        u"castList", u"castItem", u"figure", u"figDesc", u"front", u"body", u"back", u"text"};
    return blocks.contains(name);
}

// The readings a choice does not give: the text as printed, or as spelt,
// or abbreviated, beside its correction, regularisation or expansion.
bool isSetAsideReading(QStringView name)
{
    return name == u"sic" || name == u"orig" || name == u"abbr";
}

// The text of the element just started, white space collapsed.
QString elementText(SafeXmlReader &reader)
{
    QString text;
    for (int depth = 1; depth > 0 && reader.next();) {
        if (reader.isText())
            text += reader.text();
        else
            depth += reader.isStart() ? 1 : -1;
    }
    return text.simplified();
}

// The first title and first author of the header's title statement.
QString readHeader(SafeXmlReader &reader)
{
    QString title;
    QString author;
    std::vector<QString> path;
    for (int depth = 1; depth > 0 && reader.next();) {
        if (reader.isText())
            continue;
        if (reader.isEnd()) {
            if (--depth > 0)
                path.pop_back();
            continue;
        }
        const bool inTitleStatement = path.size() == 2 && path[0] == u"fileDesc" && path[1] == u"titleStmt";
        if (inTitleStatement && reader.name() == u"title" && title.isEmpty()) {
            title = elementText(reader);
        } else if (inTitleStatement && reader.name() == u"author" && author.isEmpty()) {
            author = elementText(reader);
        } else {
            ++depth;
            path.push_back(reader.name().toString());
        }
    }
    if (title.isEmpty() || author.isEmpty())
        return title;
    return title + u" — "_s + author;
}

void startTeiElement(const SafeXmlReader &reader, TextAssembler &text, int &textLevels)
{
    const QStringView name = reader.name();
    if (name == u"text")
        ++textLevels;
    if (textLevels == 0)
        return;
    if (isBlock(name)) {
        text.endParagraph();
    } else if (name == u"note") {
        text.beginNote();
    } else if (name == u"lb" || name == u"pb" || name == u"cb") {
        if (reader.attribute(u"break") != u"no") {
            if (name == u"lb")
                text.breakLine();
            else
                text.addText(u" ");
        }
    }
}

// From just after the root's start.
DocumentText readTei(SafeXmlReader &reader)
{
    TextAssembler text(TextAssembler::Spaces::Collapsed, TextAssembler::Notes::AfterParagraph);
    QString title;
    int textLevels = 0;
    std::vector<bool> parentIsChoice = {false, false}; // the document's, the root's
    while (reader.next()) {
        if (reader.isText()) {
            if (textLevels > 0)
                text.addText(reader.text());
            continue;
        }
        const QStringView name = reader.name();
        if (reader.isEnd()) {
            parentIsChoice.pop_back();
            if (!isTei(reader) || textLevels == 0)
                continue;
            if (isBlock(name))
                text.endParagraph();
            else if (name == u"note")
                text.endNote();
            if (name == u"text")
                --textLevels;
            continue;
        }
        if (isTei(reader) && name == u"teiHeader") {
            const QString header = readHeader(reader);
            if (title.isEmpty())
                title = header;
            continue;
        }
        if (isTei(reader) && (name == u"fw" || (parentIsChoice.back() && isSetAsideReading(name)))) {
            reader.skipElement();
            continue;
        }
        parentIsChoice.push_back(isTei(reader) && name == u"choice");
        if (isTei(reader))
            startTeiElement(reader, text, textLevels);
    }
    return {text.finish(), title, {}};
}

// From just after the root's start.
DocumentText readOtherXml(SafeXmlReader &reader)
{
    TextAssembler text(TextAssembler::Spaces::Collapsed, TextAssembler::Notes::AtEnd);
    std::vector<bool> holdsText = {false}; // for each open element, whether character data of its own came yet
    // An element holding text just ended: a paragraph ends unless its parent's text follows.
    bool breakPending = false;
    while (reader.next()) {
        if (reader.isText()) {
            if (!holdsText.empty() && !reader.text().trimmed().isEmpty()) {
                holdsText.back() = true;
                breakPending = false;
            }
            text.addText(reader.text());
            continue;
        }
        if (std::exchange(breakPending, false))
            text.endParagraph();
        if (reader.isStart()) {
            holdsText.push_back(false);
            continue;
        }
        const bool ownText = holdsText.back();
        holdsText.pop_back();
        breakPending = ownText && !holdsText.empty() && !holdsText.back();
    }
    return {text.finish(), {}, {}};
}

} // namespace

DocumentText readXmlDocument(QByteArrayView bytes, TaskProgress *progress)
{
    if (progress)
        progress->setTotal(1);
    SafeXmlReader reader(bytes, progress);
    while (reader.next() && !reader.isStart()) {
    }
    const bool tei = reader.isStart() && isTei(reader) && (reader.name() == u"TEI" || reader.name() == u"teiCorpus");
    DocumentText read = !reader.isStart() ? DocumentText() : tei ? readTei(reader) : readOtherXml(reader);
    if (!reader.problem().isEmpty())
        return {{}, {}, reader.problem()};
    if (progress)
        progress->advance(1);
    return read;
}

} // namespace lexalon
