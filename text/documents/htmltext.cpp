// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/htmltext.h"

#include "platform/interaction/taskprogress.h"
#include "text/documents/documentproblems.h"
#include "text/documents/htmlencoding.h"
#include "text/documents/textassembler.h"

#include <QByteArray>
#include <QString>

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <new>

namespace lexalon {
namespace {

// No network, no messages on the standard error, no encoding of the page's
// own; the HTML parser reads no DTD and expands no entity of its own.
constexpr int parseOptions = HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_COMPACT
                           | HTML_PARSE_IGNORE_ENC;

struct DocFree
{
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};
using Document = std::unique_ptr<xmlDoc, DocFree>;

struct ParserFree
{
    void operator()(htmlParserCtxt *parser) const { htmlFreeParserCtxt(parser); }
};
using Parser = std::unique_ptr<htmlParserCtxt, ParserFree>;

bool named(const xmlNode *node, const char *name)
{
    return node->type == XML_ELEMENT_NODE && xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar *>(name)) == 0;
}

bool namedAny(const xmlNode *node, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (named(node, name))
            return true;
    }
    return false;
}

bool isSkipped(const xmlNode *node)
{
    return namedAny(node, {"script", "style", "head", "template", "noscript", "title"});
}

bool isBlock(const xmlNode *node)
{
    return namedAny(node, {"address", "article", "aside", "blockquote", "body", "caption", "center", "dd",
                           "details", "dialog", "dir", "div", "dl", "dt", "fieldset", "figcaption", "figure",
                           "footer", "form", "h1", "h2", "h3", "h4", "h5", "h6", "header", "hgroup", "hr", "li",
                           "main", "menu", "nav", "ol", "p", "pre", "section", "summary", "table", "tbody",
                           "tfoot", "thead", "tr", "ul"});
}

QString textOf(const xmlChar *content)
{
    return content == nullptr ? QString() : QString::fromUtf8(reinterpret_cast<const char *>(content));
}

// The body's text, walked without recursion: a page may nest deeply.
class BodyWalker
{
public:
    QString walk(const xmlNode *body)
    {
        const xmlNode *node = body->children;
        while (node != nullptr) {
            node = visit(node);
            while (node != nullptr && node->next == nullptr && node != body) {
                node = node->parent;
                if (node != body)
                    leave(node);
            }
            if (node == nullptr || node == body)
                break;
            node = node->next;
        }
        return m_text.finish();
    }

private:
    // Writes what the node starts, going down through first children as far
    // as they go; gives the node reached, whose siblings come next.
    const xmlNode *visit(const xmlNode *node)
    {
        for (;;) {
            if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
                if (m_preformatted > 0)
                    m_text.addLines(textOf(node->content));
                else
                    m_text.addText(textOf(node->content));
            } else if (node->type == XML_ELEMENT_NODE && !isSkipped(node)) {
                enter(node);
                if (node->children != nullptr) {
                    node = node->children;
                    continue;
                }
                leave(node);
            }
            return node;
        }
    }

    void enter(const xmlNode *node)
    {
        if (isBlock(node))
            m_text.endParagraph();
        if (named(node, "pre"))
            ++m_preformatted;
    }

    void leave(const xmlNode *node)
    {
        if (named(node, "br"))
            m_text.breakLine();
        else if (namedAny(node, {"td", "th"}))
            m_text.addText(u" ");
        else if (isBlock(node))
            m_text.endParagraph();
        if (named(node, "pre"))
            --m_preformatted;
    }

    TextAssembler m_text;
    int m_preformatted = 0;
};

const xmlNode *child(const xmlNode *parent, const char *name)
{
    for (const xmlNode *node = parent == nullptr ? nullptr : parent->children; node != nullptr; node = node->next) {
        if (named(node, name))
            return node;
    }
    return nullptr;
}

QString titleOf(const xmlNode *root)
{
    const xmlNode *title = child(child(root, "head"), "title");
    if (title == nullptr)
        return {};
    TextAssembler text;
    for (const xmlNode *node = title->children; node != nullptr; node = node->next) {
        if (node->type == XML_TEXT_NODE)
            text.addText(textOf(node->content));
    }
    return text.finish();
}

// libxml2's HTML parser knows no internal subset ("<!DOCTYPE html [...]>"): it
// would end the DOCTYPE at the subset's first '>' and give the rest as text.
// It uses nothing of a DOCTYPE, so one with a subset is left out.
void dropInternalSubset(QString &page)
{
    const qsizetype start = page.indexOf(u"<!DOCTYPE", 0, Qt::CaseInsensitive);
    const qsizetype open = start < 0 ? -1 : page.indexOf(u'[', start);
    if (open < 0 || page.indexOf(u'>', start) < open)
        return;
    for (qsizetype close = page.indexOf(u']', open); close >= 0; close = page.indexOf(u']', close + 1)) {
        qsizetype end = close + 1;
        while (end < page.size() && page[end].isSpace())
            ++end;
        if (end < page.size() && page[end] == u'>') {
            page.remove(start, end + 1 - start);
            return;
        }
    }
}

} // namespace

DocumentText readHtml(QByteArrayView bytes, TaskProgress *progress)
{
    if (progress != nullptr) {
        progress->setTotal(1);
        progress->advance(0);
    }
    // Pages may be read on several threads: libxml2 sets itself up once, first.
    static std::once_flag libxml2Ready;
    std::call_once(libxml2Ready, xmlInitParser);
    QString page = decodeWebPage(bytes);
    dropInternalSubset(page);
    const QByteArray utf8 = page.toUtf8();
    if (utf8.size() > INT_MAX)
        return {{}, {}, documentProblem::tooLongToParse()};
    if (utf8.isEmpty())
        return {};
    // The program decides the encoding; the parser is told, and guesses nothing.
    const Parser parser(htmlNewParserCtxt());
    if (!parser)
        throw std::bad_alloc();
    const Document doc(htmlCtxtReadMemory(parser.get(), utf8.constData(), int(utf8.size()), nullptr, "UTF-8", parseOptions));
    // Faults of HTML are mended as browsers do; the parser stops only at
    // elements nested deeper than it goes (256), and the rest would be lost.
    if (parser->disableSAX != 0)
        return {{}, {}, documentProblem::nestedTooDeeply()};
    const xmlNode *root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (root == nullptr)
        return {{}, {}, documentProblem::damaged()};
    DocumentText result;
    result.title = titleOf(root);
    if (const xmlNode *body = child(root, "body"))
        result.text = BodyWalker().walk(body);
    if (progress != nullptr)
        progress->advance(1);
    return result;
}

} // namespace lexalon
