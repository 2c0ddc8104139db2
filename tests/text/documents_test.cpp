// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/interaction/taskprogress.h"
#include "support/pdfwriter.h"
#include "support/qt_printers.h"
#include "support/testfiles.h"
#include "text/documents/documentproblems.h"
#include "text/documents/docxreader.h"
#include "text/documents/epubtext.h"
#include "text/documents/htmltext.h"
#include "text/documents/pdftext.h"
#include "text/documents/odtreader.h"
#include "text/documents/xmldocumentreader.h"
#include "text/documents/ziparchive.h"

#include <QBuffer>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

namespace {

using Entries = std::vector<std::pair<QString, QByteArray>>;

// A ZIP of these entries; the ones named in encrypted are sealed with a password.
QByteArray zip(const Entries &entries, const QString &encrypted = {})
{
    QBuffer buffer;
    QuaZip archive(&buffer);
    EXPECT_TRUE(archive.open(QuaZip::mdCreate));
    for (const auto &[name, content] : entries) {
        QuaZipFile file(&archive);
        const bool sealed = name == encrypted;
        const auto crc = crc32(0, reinterpret_cast<const Bytef *>(content.data()), uInt(content.size()));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly, QuaZipNewInfo(name), sealed ? "secret" : nullptr, quint32(crc)));
        file.write(content);
        file.close();
    }
    archive.close();
    return buffer.data();
}

QByteArray word(const QByteArray &body)
{
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
           R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
           R"(xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006"><w:body>)"
        + body + "</w:body></w:document>";
}

QByteArray notes(const char *kind, const QByteArray &inner)
{
    return R"(<w:)" + QByteArray(kind) + R"(s xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
        + inner + "</w:" + kind + "s>";
}

QByteArray docx(const QByteArray &body, const Entries &more = {})
{
    Entries entries = {{u"[Content_Types].xml"_s, "<Types/>"}, {u"word/document.xml"_s, word(body)}};
    entries.insert(entries.end(), more.begin(), more.end());
    return zip(entries);
}

QByteArray odt(const QByteArray &body, const Entries &more = {})
{
    Entries entries = {{u"mimetype"_s, "application/vnd.oasis.opendocument.text"},
                       {u"content.xml"_s, R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
                                          R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:dc="http://purl.org/dc/elements/1.1/">)"
                                          R"(<office:body><office:text>)" + body + "</office:text></office:body></office:document-content>"}};
    entries.insert(entries.end(), more.begin(), more.end());
    return zip(entries);
}

QByteArray tei(const QByteArray &header, const QByteArray &text)
{
    return R"(<?xml version="1.0"?><TEI xmlns="http://www.tei-c.org/ns/1.0"><teiHeader><fileDesc>)" + header
        + "<publicationStmt><p>Publication</p></publicationStmt></fileDesc></teiHeader><text>" + text + "</text></TEI>";
}

// A ZIP whose first entry says it holds fewer bytes than it does.
QByteArray lyingZip()
{
    QByteArray bytes = docx(R"(<w:p><w:r><w:t>Le texte complet du document, bien plus long que ne le dit l'en-tête.</w:t></w:r></w:p>)");
    for (const QByteArray &signature : {QByteArray("PK\x03\x04"), QByteArray("PK\x01\x02")}) {
        const qsizetype header = bytes.indexOf(signature, bytes.indexOf(signature) + 1); // the document's entry
        const qsizetype sizeField = header + (signature[2] == 3 ? 22 : 24);
        bytes[sizeField] = 8;
        bytes[sizeField + 1] = 0;
    }
    return bytes;
}

// An e-book of two documents, the second in a folder of its own.
QByteArray epub(const Entries &more = {})
{
    Entries entries = {
        {u"mimetype"_s, "application/epub+zip"},
        {u"META-INF/container.xml"_s, R"(<container xmlns="urn:oasis:names:tc:opendocument:xmlns:container" version="1.0">)"
                                      R"(<rootfiles><rootfile full-path="OEBPS/livre.opf"/></rootfiles></container>)"},
        {u"OEBPS/livre.opf"_s, R"(<package xmlns="http://www.idpf.org/2007/opf" xmlns:dc="http://purl.org/dc/elements/1.1/">)"
                               R"(<metadata><dc:title>Le  livre</dc:title></metadata><manifest>)"
                               R"(<item id="b" href="Texte/deux%20b.xhtml"/><item id="a" href="un.xhtml#debut"/></manifest>)"
                               R"(<spine><itemref idref="a"/><itemref idref="b"/></spine></package>)"},
        {u"OEBPS/un.xhtml"_s, "<?xml version='1.0'?><html xmlns='http://www.w3.org/1999/xhtml'><head><title>x</title></head>"
                              "<body><p>Un</p></body></html>"},
        {u"OEBPS/Texte/deux b.xhtml"_s, "<html><body><p>Deux</p><p>fin</p></body></html>"}};
    entries.insert(entries.end(), more.begin(), more.end());
    return zip(entries);
}

QByteArray page(const QByteArray &body, const QByteArray &head = {})
{
    return "<!DOCTYPE html><html><head>" + head + "</head><body>" + body + "</body></html>";
}

using Reader = DocumentText (*)(QByteArrayView, TaskProgress *);

struct Reading
{
    std::string name;
    Reader reader;
    QByteArray document;
    QString expected; // the text, or the problem when the document is refused
    QString title = {};
};

std::vector<Reading> readings()
{
    const QByteArray run = "<w:r><w:t xml:space=\"preserve\">";
    const QByteArray meta1252 = R"(<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">)";
    return {
        {"docx: paragraphs in order", readDocx, docx("<w:p>" + run + "Premier </w:t></w:r>" + run + "paragraphe</w:t></w:r></w:p><w:p/><w:p>" + run + "Second</w:t></w:r></w:p>"),
         u"Premier paragraphe\n\nSecond"_s},
        {"docx: separators, hyphens and spaces", readDocx,
         docx("<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/></w:tabs></w:pPr>" + run + "a</w:t><w:tab/><w:t>b</w:t><w:br/><w:t>c</w:t><w:noBreakHyphen/><w:t>d</w:t><w:softHyphen/><w:t>e\xC2\xA0" "f par\xC2\xAD" "tie</w:t></w:r></w:p>"),
         u"a\tb\nc-de f partie"_s},
        {"docx: tracked changes, fields and fallbacks", readDocx,
         docx("<w:p><w:del><w:r><w:delText>ôté</w:delText></w:r></w:del><w:ins><w:r><w:t>ajouté</w:t></w:r></w:ins>"
              "<w:r><w:instrText> PAGE </w:instrText></w:r><w:r><mc:AlternateContent><mc:Choice><w:txbxContent><w:p><w:r><w:t>cadre</w:t></w:r></w:p></w:txbxContent></mc:Choice><mc:Fallback><w:t>double</w:t></mc:Fallback></mc:AlternateContent></w:r></w:p>"),
         u"ajouté\n\ncadre"_s},
        {"docx: footnotes then endnotes after the body, separators left out", readDocx,
         docx("<w:p><w:r><w:t>Corps</w:t></w:r><w:r><w:footnoteReference w:id=\"1\"/></w:r></w:p>",
              {{u"word/endnotes.xml"_s, notes("endnote", "<w:endnote w:id=\"1\"><w:p><w:r><w:t>Note de fin</w:t></w:r></w:p></w:endnote>")},
               {u"word/footnotes.xml"_s, notes("footnote", "<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:t>---</w:t></w:r></w:p></w:footnote>"
                                                           "<w:footnote w:id=\"1\"><w:p><w:r><w:footnoteRef/></w:r><w:r><w:t>Note</w:t></w:r></w:p></w:footnote>")},
               {u"word/header1.xml"_s, word("<w:p><w:r><w:t>En-tête</w:t></w:r></w:p>")},
               {u"word/comments.xml"_s, word("<w:p><w:r><w:t>Commentaire</w:t></w:r></w:p>")}}),
         u"Corps\n\nNote\n\nNote de fin"_s},
        {"odt: paragraphs, headings, spaces and separators", readOdt,
         odt("<text:h>Titre</text:h><text:list><text:list-item><text:p>  un\n  <text:span>deux</text:span><text:s text:c=\"3\"/>trois<text:tab/>quatre<text:line-break/> cinq\xC2\xA0six</text:p></text:list-item></text:list>"),
         u"Titre\n\nun deux   trois\tquatre\ncinq six"_s},
        {"odt: notes after the whole body, marks, changes and annotations left out", readOdt,
         odt("<text:tracked-changes><text:changed-region><text:deletion><text:p>ôté</text:p></text:deletion></text:changed-region></text:tracked-changes>"
             "<text:p>Un<text:note><text:note-citation>1</text:note-citation><text:note-body><text:p>Note un</text:p></text:note-body></text:note> mot<text:change text:change-id=\"c1\"/>"
             "<office:annotation><dc:creator>X</dc:creator><text:p>Avis</text:p></office:annotation></text:p><text:p>Deux<text:note><text:note-body><text:p>Note deux</text:p></text:note-body></text:note></text:p>"),
         u"Un mot\n\nDeux\n\nNote un\n\nNote deux"_s},
        {"TEI: text without header, blocks, notes after their paragraph, choices", readXmlDocument,
         tei("<titleStmt><title>Les Fleurs</title><title>Autre</title><author>Charles <hi>Baudelaire</hi></author></titleStmt>",
             "<front><head>Préface</head></front><body><div><p>Un <choice><sic>mott</sic><corr>mot</corr></choice> et <choice><orig>vn</orig><reg>un</reg></choice>"
             "<note><p>Une note</p></note> pa<lb break=\"no\"/>ssé<lb/>suite</p><fw>12</fw><lg><l>Vers un</l><l>Vers deux</l></lg></div></body><back><p>Fin</p></back>"),
         u"Préface\n\nUn mot et un passé\nsuite\n\nUne note\n\nVers un\n\nVers deux\n\nFin"_s, u"Les Fleurs — Charles Baudelaire"_s},
        {"TEI without a namespace or author", readXmlDocument,
         "<TEI><teiHeader><fileDesc><titleStmt><title>Seul</title></titleStmt></fileDesc></teiHeader><text><body><p>Texte</p></body></text></TEI>",
         u"Texte"_s, u"Seul"_s},
        {"other XML: character data, elements with text end paragraphs unless inline", readXmlDocument,
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><livre>\n  <titre>Le Titre</titre>\n  <para>Il <em>\xE9tait</em> une fois &amp; &#233;t\xE9</para>"
         "<para><em>Encore</em> une</para><code><![CDATA[<brut>]]></code></livre>",
         u"Le Titre\n\nIl était une fois & été\n\nEncore une\n\n<brut>"_s},
        {"html: block elements end paragraphs, inline ones do not", readHtml,
         page("<h1>Titre</h1><p>Un <b>mot</b>\n  et   l<i>&apos;</i>autre</p><div>Deux<div>Trois</div>quatre</div>"
              "<ul><li>a</li><li>b</li></ul><blockquote>cité</blockquote><section>fin</section>"),
         u"Titre\n\nUn mot et l'autre\n\nDeux\n\nTrois\n\nquatre\n\na\n\nb\n\ncité\n\nfin"_s},
        {"html: br ends a line, two end the paragraph", readHtml, page("<p>vers un<br>vers deux<br/><br> après</p>"),
         u"vers un\nvers deux\n\naprès"_s},
        {"html: pre keeps its line breaks", readHtml, page("<pre>a  b\n\tc\r\n\n\nd</pre>"), u"a b\nc\n\nd"_s},
        {"html: table cells are separated, rows are paragraphs", readHtml,
         page("<table><tr><th>nom</th><td>âge</td></tr><tr><td>Paul</td><td>12</td></tr></table>"),
         u"nom âge\n\nPaul 12"_s},
        {"html: script, style, head, template and noscript are not text", readHtml,
         page("avant<script>var x = 1;</script><style>p{}</style><template>t</template><noscript>n</noscript>"
              " après<!-- note -->",
              "<title>Le  titre</title><style>h1{}</style>"),
         u"avant après"_s, u"Le titre"_s},
        {"html: character references, soft hyphens and no-break spaces", readHtml,
         page("l&eacute;&#x2019;&#233;t&eacute; &amp; d&shy;&eacute;j&agrave;&nbsp;vu &lt;p&gt; &#xA0;;"),
         u"lé’été & déjà vu <p> ;"_s},
        {"html: valid UTF-8 without a declaration", readHtml, page("\xC3\xA9t\xC3\xA9 \xC5\x93uvre"), u"été œuvre"_s},
        {"html: other bytes without a declaration are Windows-1252", readHtml, page("\xE9t\xE9 \x9Cuvre\x85"),
         u"été œuvre…"_s},
        {"html: the meta's charset", readHtml, page("\xE9t\xE9 \x80", meta1252), u"été €"_s},
        {"html: the meta's charset, ISO-8859-1 read as Windows-1252", readHtml,
         page("\x9Cuvre", "<meta charset='ISO-8859-1'>"), u"œuvre"_s},
        {"xhtml: the XML declaration", readHtml,
         "<?xml version='1.0' encoding='windows-1252'?><html xmlns='http://www.w3.org/1999/xhtml'><body><p>\xE9t\xE9"
         "</p><p/><p>fin<br/>ici</p></body></html>",
         u"été\n\nfin\nici"_s},
        {"html: the byte-order mark wins over the meta", readHtml, "\xEF\xBB\xBF" + page("\xC3\xA9t\xC3\xA9", meta1252),
         u"été"_s},
        {"html: UTF-16 with its mark", readHtml,
         QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(u"<p>été</p><p>fin</p>"), 40),
         u"été\n\nfin"_s},
        {"epub: the spine's documents in reading order", readEpub, epub(), u"Un\n\nDeux\n\nfin"_s, u"Le livre"_s},
        {"html: no body", readHtml, "<html><head><title>seul</title></head></html>", {}, u"seul"_s},
        {"pdf: lines kept, pages are paragraphs", readPdf, textPdf({{u"Première ligne,"_s, u"seconde."_s}, {u"Page deux."_s}}),
         u"Première ligne,\nseconde.\n\nPage deux."_s},
        {"pdf: a word hyphenated at a line end is joined, a compound keeps its hyphen", readPdf,
         textPdf({{u"Il était une fa-"_s, u"meuse histoire, peut-être"_s, u"vraie, ou peut-"_s, u"être pas. Pierre-"_s,
                   u"Marie."_s}}),
         u"Il était une fameuse histoire, peut-être\nvraie, ou peut-être pas. Pierre-\nMarie."_s},
        {"pdf: a hyphenated word across pages", readPdf, textPdf({{u"une his-"_s}, {u"toire"_s}}), u"une histoire"_s},
        {"pdf: running header and page numbers over three pages are dropped", readPdf,
         textPdf({{u"Les Misérables"_s, u"Un."_s, u"- 9 -"_s}, {u"Les Misérables"_s, u"Deux."_s, u"- 10 -"_s},
                  {u"Les Misérables"_s, u"Trois."_s, u"- 11 -"_s}}),
         u"Un.\n\nDeux.\n\nTrois."_s},
        {"pdf: a chapter's header over three pages of seven is dropped", readPdf,
         textPdf({{u"Chapitre 1 : Début 1"_s, u"Un."_s}, {u"Chapitre 1 : Début 2"_s, u"Deux."_s},
                  {u"Chapitre 1 : Début 3"_s, u"Trois."_s}, {u"Quatre."_s}, {u"Cinq."_s}, {u"Six."_s}, {u"Sept."_s}}),
         u"Un.\n\nDeux.\n\nTrois.\n\nQuatre.\n\nCinq.\n\nSix.\n\nSept."_s},
        {"pdf: a line repeated on two pages only stays", readPdf, textPdf({{u"Titre"_s, u"Un."_s}, {u"Titre"_s, u"Deux."_s}}),
         u"Titre\nUn.\n\nTitre\nDeux."_s},
    };
}

// Documents refused, and why.
std::vector<Reading> refusals()
{
    using namespace documentProblem;
    const QByteArray paragraph = "<w:p><w:r><w:t>Texte</w:t></w:r></w:p>";
    const QByteArray whole = docx(paragraph);
    const Entries parts = {{u"[Content_Types].xml"_s, "<Types/>"}, {u"word/document.xml"_s, word(paragraph)}};
    const QByteArray pdf = textPdf({{u"Un texte."_s}});
    const QByteArray encrypt = "<< /Filter /Standard /V 1 /R 2 /P -4 /O <" + QByteArray(64, 'a') + "> /U <"
                             + QByteArray(64, 'b') + "> >>";
    const QByteArray id = "/ID [<00112233445566778899aabbccddeeff> <00112233445566778899aabbccddeeff>]";
    return {
        {"not a ZIP", readDocx, "Bonjour", damaged()},
        {"truncated ZIP", readDocx, whole.left(whole.size() * 3 / 4), damaged()},
        {"encrypted entry", readDocx, zip(parts, u"word/document.xml"_s), encrypted()},
        {"protected by a password", readDocx, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(512, 0), passwordProtected()},
        {"ZIP bomb declared", readDocx, docx(paragraph, {{u"word/media/zeros.bin"_s, QByteArray(1 << 20, 0)}}), tooLarge()},
        {"ZIP entry longer than declared", readDocx, lyingZip(), damaged()},
        {"no main part", readDocx, zip({{u"autre.xml"_s, "<a/>"}}), missingPart(u"word/document.xml"_s)},
        {"ODT saved with a password", readOdt, odt("<text:p>x</text:p>", {{u"META-INF/manifest.xml"_s, R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"><manifest:file-entry manifest:full-path="content.xml"><manifest:encryption-data/></manifest:file-entry></manifest:manifest>)"}}), passwordProtected()},
        {"ODT without content", readOdt, zip({{u"mimetype"_s, "application/vnd.oasis.opendocument.text"}}), missingPart(u"content.xml"_s)},
        {"XML with an internal entity", readXmlDocument, "<!DOCTYPE r [<!ENTITY e \"texte\">]><r>&e;</r>", entities()},
        {"XML with an external DTD", readXmlDocument, "<!DOCTYPE TEI SYSTEM \"tei.dtd\"><TEI/>", entities()},
        {"XML with an undeclared entity", readXmlDocument, "<r>a &nbsp; b</r>", entities()},
        {"not XML", readXmlDocument, "Ceci n'est pas du XML.", malformedXml(1, 1)},
        {"XML cut short", readXmlDocument, "<r><p>Texte</p>", malformedXml(1, 15)},
        {"epub: a spine document encrypted", readEpub,
         epub({{u"META-INF/encryption.xml"_s, R"(<encryption xmlns:enc="http://www.w3.org/2001/04/xmlenc#"><enc:EncryptedData>)"
                                              R"(<enc:CipherData><enc:CipherReference URI="OEBPS/un.xhtml"/></enc:CipherData>)"
                                              R"(</enc:EncryptedData></encryption>)"}}),
         encrypted()},
        {"epub without its container", readEpub, zip({{u"mimetype"_s, "application/epub+zip"}}),
         missingPart(u"META-INF/container.xml"_s)},
        {"html: elements nested deeper than the parser goes", readHtml, page(QByteArray("<div>").repeated(300) + "fond"),
         nestedTooDeeply()},
        {"pdf: truncated", readPdf, pdf.first(pdf.size() / 2), damaged()},
        {"pdf: damaged", readPdf, "%PDF-1.4\n1 0 obj << /Type /Catalog >>\n%%EOF\n", damaged()},
        {"pdf: encrypted with a password", readPdf, pdfOfContents({pdfTextContent({u"secret"_s})}, "/Encrypt 6 0 R " + id, {encrypt}),
         passwordProtected()},
        {"pdf: a page tree that loops, its page count a lie", readPdf,
         pdfFile({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 2000000000 >>",
                  "<< /Type /Pages /Parent 2 0 R /Kids [2 0 R] /Count 1 >>"}),
         damaged()},
        {"pdf: no text", readPdf, pdfOfContents({"0 0 m 100 100 l S"}), imageOnly()},
        {"entity in a part", readDocx, zip({{u"word/document.xml"_s, word("<w:p><w:r><w:t>&e;</w:t></w:r></w:p>").replace("<w:document", "<!DOCTYPE w:document [<!ENTITY e \"x\">]><w:document")}}), entities()},
    };
}

} // namespace

TEST(Documents, ReadTheirText)
{
    for (const Reading &row : readings()) {
        SCOPED_TRACE(row.name);
        const DocumentText read = row.reader(row.document, nullptr);
        EXPECT_EQ(read.problem.toStdString(), "");
        EXPECT_EQ(read.text.toStdString(), row.expected.toStdString());
        EXPECT_EQ(read.title, row.title);
    }
}

// The file an entity names is never read: its content appears nowhere.
TEST(Documents, NeverReadTheFileAnEntityNames)
{
    const QTemporaryDir dir;
    const QString secret = dir.filePath(u"secret.txt"_s);
    ASSERT_TRUE(lexalon::testing::writeBytes(secret, "contenu secret"));
    const QByteArray entity = "<!DOCTYPE r [<!ENTITY s SYSTEM \"file://" + secret.toUtf8() + "\">]>";
    for (const QByteArray &document : {entity + "<r>&s;</r>", entity + "<TEI><text><p>&s;</p></text></TEI>"}) {
        const DocumentText read = readXmlDocument(document);
        EXPECT_EQ(read.problem, documentProblem::entities());
        EXPECT_FALSE(read.text.contains(u"secret"_s));
    }
    // A web page is read all the same: its DOCTYPE is never fetched, its entities never declared.
    const QByteArray url = QUrl::fromLocalFile(secret).toEncoded();
    const DocumentText page =
        readHtml("<!DOCTYPE html SYSTEM \"" + url + "\" [<!ENTITY s SYSTEM \"" + url + "\">]><p>a &s; b</p>");
    EXPECT_EQ(page.problem, QString());
    EXPECT_EQ(page.text, u"a &s; b"_s);
}

TEST(Documents, RefuseWhatTheyCannotReadSafely)
{
    for (const Reading &row : refusals()) {
        SCOPED_TRACE(row.name);
        const DocumentText read = row.reader(row.document, nullptr);
        EXPECT_EQ(read.problem.toStdString(), row.expected.toStdString());
        EXPECT_EQ(read.text, QString());
    }
}

// A reader asked to stop stops rather than give a text.
TEST(Documents, StopWhenAskedTo)
{
    for (const Reading &row : readings()) {
        TaskProgress progress;
        progress.cancel();
        EXPECT_THROW(row.reader(row.document, &progress), TaskCancelled) << row.name;
    }
}

TEST(Documents, ZipArchiveListsItsEntries)
{
    QString problem;
    const std::optional<ZipArchive> archive = ZipArchive::open(zip({{u"b.xml"_s, "<b/>"}, {u"a/c.xml"_s, "<c/>"}}), problem);
    ASSERT_TRUE(archive.has_value());
    EXPECT_EQ(archive->names(), QStringList({u"b.xml"_s, u"a/c.xml"_s}));
    EXPECT_TRUE(archive->has(u"a/c.xml"_s));
    EXPECT_EQ(archive->read(u"a/c.xml"_s, problem), QByteArray("<c/>"));
    EXPECT_FALSE(archive->read(u"A/C.XML"_s, problem).has_value());
    EXPECT_EQ(problem.toStdString(), documentProblem::missingPart(u"A/C.XML"_s).toStdString());
}

TEST(Documents, CountThePdfPagesRead)
{
    TaskProgress progress;
    EXPECT_EQ(readPdf(textPdf({{u"un"_s}, {u"deux"_s}, {u"trois"_s}}), &progress).text, u"un\n\ndeux\n\ntrois"_s);
    EXPECT_EQ(progress.done(), 3);
    EXPECT_EQ(progress.total(), 3);
}
