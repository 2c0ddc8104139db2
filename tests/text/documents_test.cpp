// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/htmltext.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

using Reader = std::function<DocumentText(QByteArrayView)>;

const Reader html = [](QByteArrayView bytes) { return readHtml(bytes); };

// A document, and the text or the problem it gives.
struct Reading
{
    std::string name;
    Reader read;
    QByteArray document;
    QString text;
    QString problem = {};
    QString title = {};
};

QByteArray page(const QByteArray &body, const QByteArray &head = {})
{
    return "<!DOCTYPE html><html><head>" + head + "</head><body>" + body + "</body></html>";
}

std::vector<Reading> readings()
{
    const QByteArray meta1252 = R"(<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">)";
    return {
        {"html: block elements end paragraphs, inline ones do not", html,
         page("<h1>Titre</h1><p>Un <b>mot</b>\n  et   l<i>&apos;</i>autre</p><div>Deux<div>Trois</div>quatre</div>"
              "<ul><li>a</li><li>b</li></ul><blockquote>cité</blockquote><section>fin</section>"),
         u"Titre\n\nUn mot et l'autre\n\nDeux\n\nTrois\n\nquatre\n\na\n\nb\n\ncité\n\nfin"_s},
        {"html: br ends a line, two end the paragraph", html, page("<p>vers un<br>vers deux<br/><br> après</p>"),
         u"vers un\nvers deux\n\naprès"_s},
        {"html: pre keeps its line breaks", html, page("<pre>a  b\n\tc\r\n\n\nd</pre>"), u"a b\nc\n\nd"_s},
        {"html: table cells are separated, rows are paragraphs", html,
         page("<table><tr><th>nom</th><td>âge</td></tr><tr><td>Paul</td><td>12</td></tr></table>"),
         u"nom âge\n\nPaul 12"_s},
        {"html: script, style, head, template and noscript are not text", html,
         page("avant<script>var x = 1;</script><style>p{}</style><template>t</template><noscript>n</noscript>"
              " après<!-- note -->",
              "<title>Le  titre</title><style>h1{}</style>"),
         u"avant après"_s, {}, u"Le titre"_s},
        {"html: character references, soft hyphens and no-break spaces", html,
         page("l&eacute;&#x2019;&#233;t&eacute; &amp; d&shy;&eacute;j&agrave;&nbsp;vu &lt;p&gt; &#xA0;;"),
         u"lé’été & déjà vu <p> ;"_s},
        {"html: valid UTF-8 without a declaration", html, page("\xC3\xA9t\xC3\xA9 \xC5\x93uvre"), u"été œuvre"_s},
        {"html: other bytes without a declaration are Windows-1252", html, page("\xE9t\xE9 \x9Cuvre\x85"),
         u"été œuvre…"_s},
        {"html: the meta's charset", html, page("\xE9t\xE9 \x80", meta1252), u"été €"_s},
        {"html: the meta's charset, ISO-8859-1 read as Windows-1252", html,
         page("\x9Cuvre", "<meta charset='ISO-8859-1'>"), u"œuvre"_s},
        {"html: the XML declaration", html,
         "<?xml version='1.0' encoding='windows-1252'?><html xmlns='http://www.w3.org/1999/xhtml'><body><p>\xE9t\xE9"
         "</p><p/><p>fin<br/>ici</p></body></html>",
         u"été\n\nfin\nici"_s},
        {"html: the byte-order mark wins over the meta", html, "\xEF\xBB\xBF" + page("\xC3\xA9t\xC3\xA9", meta1252),
         u"été"_s},
        {"html: UTF-16 with its mark", html,
         QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(u"<p>été</p><p>fin</p>"), 40),
         u"été\n\nfin"_s},
        {"html: no body", html, "<html><head><title>seul</title></head></html>", {}, {}, u"seul"_s},
        {"html: empty", html, {}, {}},
    };
}

TEST(DocumentReading, givesTheTextOrTheProblem)
{
    for (const Reading &row : readings()) {
        SCOPED_TRACE(row.name);
        const DocumentText read = row.read(row.document);
        EXPECT_EQ(read.problem, row.problem);
        EXPECT_EQ(read.text, row.text);
        EXPECT_EQ(read.title, row.title);
    }
}

} // namespace
