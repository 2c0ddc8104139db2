// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testfiles.h"
#include "text/documentfile.h"
#include "text/textfile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

// A ".txt" file is text whatever it holds; otherwise the first bytes decide.
TEST(DocumentFile, KindComesFromTheBytesExceptForTextFiles)
{
    const struct { const char *name; QByteArrayView head; FileKind kind; } cases[] = {
        {"a.txt", "%PDF-1.4", FileKind::Text},
        {"a.TXT", "<!DOCTYPE html>", FileKind::Text},
        {"a.pdf", "%PDF-1.4", FileKind::Pdf},
        {"sans-nom", "%PDF-1.7", FileKind::Pdf},
        {"a.docx", "PK\x03\x04", FileKind::Zip},
        {"a.pdf", "PK\x03\x04", FileKind::Zip},
        {"page.html", "<!DOCTYPE html><html>", FileKind::Html},
        {"page", "\xEF\xBB\xBF \r\n<HTML lang=\"fr\">", FileKind::Html},
        {"page.xhtml", "<?xml version=\"1.0\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\">", FileKind::Html},
        {"edition.xml", "<?xml version=\"1.0\"?><TEI xmlns=\"http://www.tei-c.org/ns/1.0\">", FileKind::Xml},
        {"edition", "<TEI>", FileKind::Xml},
        {"vieux.doc", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", FileKind::Unsupported},
        {"image", "\x89PNG\r\n", FileKind::Unsupported},
        {"notes", "Bonjour <html>", FileKind::Text},
        {"notes.md", "< pas une balise", FileKind::Text},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fileKindOf(QString::fromUtf8(c.name), c.head), c.kind) << c.name;
}

// The same bytes are a web page's text, or a text as it has always been read.
TEST(DocumentFile, ReadTextFileExtractsDocumentsAndRefusesOtherKinds)
{
    const QTemporaryDir folder;
    const QByteArray page = "<html><head><title>T</title></head><body><p>Le chat</p></body></html>";
    const struct { const char *name; QByteArray bytes; TextFileContent::Status status; QString text; QString reason; } cases[] = {
        {"page.html", page, TextFileContent::Status::Ok, u"Le chat"_s, {}},
        {"page.txt", page, TextFileContent::Status::Ok, QString::fromLatin1(page), {}},
        {"image", "\x89PNG\r\n\x1a\n", TextFileContent::Status::ReadFailed, {}, u"ni un texte ni un document"_s},
        {"archive", QByteArray("PK\x03\x04", 4) + QByteArray(40, '\0'), TextFileContent::Status::ReadFailed, {}, {}},
    };
    for (const auto &c : cases) {
        const QString path = folder.filePath(QString::fromUtf8(c.name));
        ASSERT_TRUE(lexalon::testing::writeBytes(path, c.bytes));
        const TextFileContent content = readTextFile(path);
        EXPECT_EQ(content.status, c.status) << c.name;
        EXPECT_EQ(content.text, c.text) << c.name;
        EXPECT_TRUE(content.errorString.contains(c.reason)) << c.name << ": " << qPrintable(content.errorString);
        EXPECT_EQ(content.ok(), content.errorString.isEmpty()) << c.name;
    }
}
