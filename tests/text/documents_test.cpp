// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/interaction/taskprogress.h"
#include "support/pdfwriter.h"
#include "support/qt_printers.h"
#include "text/documents/htmltext.h"
#include "text/documents/pdftext.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

namespace {

using Reader = std::function<DocumentText(QByteArrayView)>;

const Reader html = [](QByteArrayView bytes) { return readHtml(bytes); };
const Reader pdf = [](QByteArrayView bytes) { return readPdf(bytes); };

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
        {"pdf: lines kept, pages are paragraphs", pdf, textPdf({{u"Première ligne,"_s, u"seconde."_s}, {u"Page deux."_s}}),
         u"Première ligne,\nseconde.\n\nPage deux."_s},
        {"pdf: a word hyphenated at a line end is joined, a compound keeps its hyphen", pdf,
         textPdf({{u"Il était une fa-"_s, u"meuse histoire, peut-être"_s, u"vraie, ou peut-"_s, u"être pas. Pierre-"_s, u"Marie."_s}}),
         u"Il était une fameuse histoire, peut-être\nvraie, ou peut-être pas. Pierre-\nMarie."_s},
        {"pdf: a hyphenated word across pages", pdf, textPdf({{u"une his-"_s}, {u"toire"_s}}), u"une histoire"_s},
        {"pdf: running header and page numbers over three pages are dropped", pdf,
         textPdf({{u"Les Misérables"_s, u"Un."_s, u"- 9 -"_s}, {u"Les Misérables"_s, u"Deux."_s, u"- 10 -"_s},
                  {u"Les Misérables"_s, u"Trois."_s, u"- 11 -"_s}}),
         u"Un.\n\nDeux.\n\nTrois."_s},
        {"pdf: a line repeated on two pages only stays", pdf, textPdf({{u"Titre"_s, u"Un."_s}, {u"Titre"_s, u"Deux."_s}}),
         u"Titre\nUn.\n\nTitre\nDeux."_s},
        {"pdf: no text", pdf, pdfOfContents({"0 0 m 100 100 l S"}), {},
         u"le document est une image et ne contient pas de texte"_s},
    };
}

// Each refused with its reason, or read without anything from outside.
std::vector<Reading> hostileDocuments(const QString &secretFile)
{
    const QByteArray url = QUrl::fromLocalFile(secretFile).toEncoded();
    const QByteArray encrypt = "<< /Filter /Standard /V 1 /R 2 /P -4 /O <" + QByteArray(64, 'a') + "> /U <"
                             + QByteArray(64, 'b') + "> >>";
    const QByteArray id = "/ID [<00112233445566778899aabbccddeeff> <00112233445566778899aabbccddeeff>]";
    const QByteArray text = textPdf({{u"Un texte."_s}});
    return {
        {"html: a DOCTYPE and an entity naming a local file", html,
         "<!DOCTYPE html SYSTEM \"" + url + "\"><html><body><p>a &secret; b</p></body></html>", u"a &secret; b"_s},
        {"pdf: truncated", pdf, text.first(text.size() / 2), {}, u"le document est tronqué"_s},
        {"pdf: damaged", pdf, "%PDF-1.4\n1 0 obj << /Type /Catalog >>\n%%EOF\n", {}, u"le document est endommagé"_s},
        {"pdf: encrypted with a password", pdf,
         pdfOfContents({pdfTextContent({u"secret"_s})}, "/Encrypt 6 0 R " + id, {encrypt}), {},
         u"le document est protégé par un mot de passe"_s},
        {"pdf: a page tree that loops", pdf,
         pdfFile({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 2 >>",
                  "<< /Type /Pages /Parent 2 0 R /Kids [2 0 R] /Count 1 >>"}),
         {}, u"le document est endommagé"_s},
    };
}

void expectReadings(const std::vector<Reading> &rows)
{
    for (const Reading &row : rows) {
        SCOPED_TRACE(row.name);
        const DocumentText read = row.read(row.document);
        EXPECT_EQ(read.problem, row.problem);
        EXPECT_EQ(read.text, row.text);
        EXPECT_EQ(read.title, row.title);
    }
}

TEST(DocumentReading, givesTheTextOrTheProblem)
{
    expectReadings(readings());
}

TEST(DocumentReading, refusesHostileDocumentsAndReadsNothingOutside)
{
    const QTemporaryDir dir;
    QFile secret(dir.filePath(u"secret.txt"_s));
    ASSERT_TRUE(secret.open(QIODevice::WriteOnly) && secret.write("<!ENTITY secret 'SECRET'>") > 0);
    secret.close();
    expectReadings(hostileDocuments(secret.fileName()));
}

TEST(DocumentReading, countsPdfPagesAndStopsWhenAsked)
{
    const QByteArray document = textPdf({{u"un"_s}, {u"deux"_s}, {u"trois"_s}});
    TaskProgress progress;
    EXPECT_EQ(readPdf(document, &progress).text, u"un\n\ndeux\n\ntrois"_s);
    EXPECT_EQ(progress.done(), 3);
    EXPECT_EQ(progress.total(), 3);
    progress.cancel();
    EXPECT_THROW(readPdf(document, &progress), TaskCancelled);
}

} // namespace
