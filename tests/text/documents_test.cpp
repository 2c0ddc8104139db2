// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testfiles.h"
#include "text/documents/docxreader.h"
#include "text/documents/documentproblems.h"
#include "text/documents/ziparchive.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace lexalon;
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
    return {
        {"docx: paragraphs in order", readDocx, docx("<w:p>" + run + "Premier </w:t></w:r>" + run + "paragraphe</w:t></w:r></w:p><w:p/><w:p>" + run + "Second</w:t></w:r></w:p>"),
         u"Premier paragraphe\n\nSecond"_s},
        {"docx: separators, hyphens and spaces", readDocx,
         docx("<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/></w:tabs></w:pPr>" + run + "a</w:t><w:tab/><w:t>b</w:t><w:br/><w:t>c</w:t><w:noBreakHyphen/><w:t>d</w:t><w:softHyphen/><w:t>e\xC2\xA0" "f par\xC2\xAD" "tie</w:t></w:r></w:p>"),
         u"a\tb\nc-de f partie"_s},
        {"docx: tracked changes, fields and fallbacks", readDocx,
         docx("<w:p><w:del><w:r><w:delText>ôté</w:delText></w:r></w:del><w:ins><w:r><w:t>ajouté</w:t></w:r></w:ins>"
              "<w:r><w:instrText> PAGE </w:instrText></w:r><w:r><mc:AlternateContent><mc:Choice><w:t> cadre</w:t></mc:Choice><mc:Fallback><w:t> double</w:t></mc:Fallback></mc:AlternateContent></w:r></w:p>"),
         u"ajouté cadre"_s},
        {"docx: footnotes then endnotes after the body, separators left out", readDocx,
         docx("<w:p><w:r><w:t>Corps</w:t></w:r><w:r><w:footnoteReference w:id=\"1\"/></w:r></w:p>",
              {{u"word/endnotes.xml"_s, notes("endnote", "<w:endnote w:id=\"1\"><w:p><w:r><w:t>Note de fin</w:t></w:r></w:p></w:endnote>")},
               {u"word/footnotes.xml"_s, notes("footnote", "<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:t>---</w:t></w:r></w:p></w:footnote>"
                                                           "<w:footnote w:id=\"1\"><w:p><w:r><w:footnoteRef/></w:r><w:r><w:t>Note</w:t></w:r></w:p></w:footnote>")},
               {u"word/header1.xml"_s, word("<w:p><w:r><w:t>En-tête</w:t></w:r></w:p>")},
               {u"word/comments.xml"_s, word("<w:p><w:r><w:t>Commentaire</w:t></w:r></w:p>")}}),
         u"Corps\n\nNote\n\nNote de fin"_s},
    };
}

// Documents refused, and why.
std::vector<Reading> refusals()
{
    using namespace documentProblem;
    const QByteArray paragraph = "<w:p><w:r><w:t>Texte</w:t></w:r></w:p>";
    const QByteArray whole = docx(paragraph);
    const Entries parts = {{u"[Content_Types].xml"_s, "<Types/>"}, {u"word/document.xml"_s, word(paragraph)}};
    return {
        {"not a ZIP", readDocx, "Bonjour", damaged()},
        {"truncated ZIP", readDocx, whole.left(whole.size() * 3 / 4), damaged()},
        {"encrypted entry", readDocx, zip(parts, u"word/document.xml"_s), encrypted()},
        {"protected by a password", readDocx, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(512, 0), passwordProtected()},
        {"ZIP bomb declared", readDocx, docx(paragraph, {{u"word/media/zeros.bin"_s, QByteArray(1 << 20, 0)}}), tooLarge()},
        {"ZIP entry longer than declared", readDocx, lyingZip(), damaged()},
        {"no main part", readDocx, zip({{u"autre.xml"_s, "<a/>"}}), missingPart(u"word/document.xml"_s)},
        {"entity in a part", readDocx, zip({{u"word/document.xml"_s, word("<w:p><w:r><w:t>&e;</w:t></w:r></w:p>").replace("<w:document", "<!DOCTYPE w:document [<!ENTITY e \"x\">]><w:document")}}), entities()},
    };
}

} // namespace

TEST(Documents, ReadTheirText)
{
    for (const Reading &row : readings()) {
        SCOPED_TRACE(row.name);
        const DocumentText read = row.reader(row.document, nullptr);
        EXPECT_EQ(read.problem, QString());
        EXPECT_EQ(read.text, row.expected);
        EXPECT_EQ(read.title, row.title);
    }
}

TEST(Documents, RefuseWhatTheyCannotReadSafely)
{
    for (const Reading &row : refusals()) {
        SCOPED_TRACE(row.name);
        const DocumentText read = row.reader(row.document, nullptr);
        EXPECT_EQ(read.problem, row.expected);
        EXPECT_EQ(read.text, QString());
    }
}
