// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/corpus.h"
#include "support/pdfwriter.h"
#include "text/documents/pdftext.h"
#include "text/textfile.h"
#include "text/encoding/windows1252.h"
#include "wordforms/textstudy.h"

#include <QFile>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <algorithm>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype pdfLineLength = 80;
constexpr int pdfLinesPerPage = 40;

// Prose as the pages of a PDF: lines cut at spaces under a running header,
// over a page number.
QByteArray pdfOfProse(QString prose, int pages)
{
    prose.replace(u"\r\n"_s, u" "_s).replace(u'\n', u' ');
    QList<QByteArray> contents;
    qsizetype at = 0;
    for (int page = 1; page <= pages && at < prose.size(); ++page) {
        QStringList lines = {u"Histoire d'un livre"_s};
        for (int line = 0; line < pdfLinesPerPage && at < prose.size(); ++line) {
            const qsizetype space = prose.lastIndexOf(u' ', std::min(at + pdfLineLength, prose.size() - 1));
            const qsizetype end = space > at ? space : std::min(at + pdfLineLength, prose.size());
            lines.append(prose.sliced(at, end - at).trimmed());
            at = end;
        }
        lines.append(QString::number(page));
        contents.append(testing::pdfTextContent(lines));
    }
    return testing::pdfOfContents(contents);
}

// A novel of 300 pages: some 2,000 characters a page, in paragraphs of about
// 800, of real French when there is some, else French-like prose.
QStringList novelParagraphs()
{
    QByteArray bytes;
    if (const QString path = bench::realFrenchTextPath(); !path.isEmpty()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            bytes = file.read(600'000);
    }
    const QString text = bytes.isEmpty() ? decodeWindows1252(bench::frenchLikeText(600'000))
                                         : QString::fromUtf8(bytes);
    QStringList paragraphs;
    for (qsizetype from = 0; from < text.size();) {
        // Whole characters, and none XML refuses.
        qsizetype length = std::min<qsizetype>(800, text.size() - from);
        if (text.at(from + length - 1).isHighSurrogate())
            --length;
        QString paragraph = text.mid(from, length);
        for (QChar &c : paragraph) {
            if (c.unicode() < 0x20)
                c = u' ';
        }
        paragraphs.append(paragraph);
        from += length;
    }
    return paragraphs;
}

bool writeZip(const QString &path, const std::vector<std::pair<QString, QByteArray>> &entries)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto &[name, content] : entries) {
        QuaZipFile entry(&zip);
        // The mimetype entry of OpenDocument and EPUB is stored, not deflated.
        const bool stored = name == QStringLiteral("mimetype");
        if (!entry.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, stored ? 0 : 8, stored ? 0 : 6)
            || entry.write(content) != content.size())
            return false;
        entry.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

QByteArray joined(const QStringList &paragraphs, const QString &before, const QString &after)
{
    QString body;
    for (const QString &paragraph : paragraphs)
        body += before + paragraph.toHtmlEscaped() + after;
    return body.toUtf8();
}

QString writeNovel(const QTemporaryDir &folder, const QString &kind)
{
    const QStringList paragraphs = novelParagraphs();
    const QString path = folder.filePath(QStringLiteral("roman.") + kind);
    bool written = false;
    if (kind == QStringLiteral("pdf")) {
        QFile file(path);
        const QByteArray pdf = pdfOfProse(paragraphs.join(u' '), 300);
        written = file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size();
    } else if (kind == QStringLiteral("docx")) {
        written = writeZip(path, {
            {QStringLiteral("[Content_Types].xml"), "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
            {QStringLiteral("word/document.xml"),
             "<?xml version=\"1.0\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
                 + joined(paragraphs, QStringLiteral("<w:p><w:r><w:t xml:space=\"preserve\">"), QStringLiteral("</w:t></w:r></w:p>"))
                 + "</w:body></w:document>"},
        });
    } else if (kind == QStringLiteral("odt")) {
        written = writeZip(path, {
            {QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text"},
            {QStringLiteral("content.xml"),
             "<?xml version=\"1.0\"?><office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
             "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:text>"
                 + joined(paragraphs, QStringLiteral("<text:p>"), QStringLiteral("</text:p>"))
                 + "</office:text></office:body></office:document-content>"},
        });
    } else {
        std::vector<std::pair<QString, QByteArray>> entries{
            {QStringLiteral("mimetype"), "application/epub+zip"},
            {QStringLiteral("META-INF/container.xml"),
             "<?xml version=\"1.0\"?><container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">"
             "<rootfiles><rootfile full-path=\"livre.opf\" media-type=\"application/oebps-package+xml\"/></rootfiles></container>"}};
        QByteArray manifest, spine;
        constexpr int chapters = 20;
        const qsizetype perChapter = paragraphs.size() / chapters + 1;
        for (int chapter = 0; chapter < chapters; ++chapter) {
            const QByteArray name = "chapitre" + QByteArray::number(chapter);
            manifest += "<item id=\"" + name + "\" href=\"" + name + ".xhtml\" media-type=\"application/xhtml+xml\"/>";
            spine += "<itemref idref=\"" + name + "\"/>";
            entries.emplace_back(QString::fromLatin1(name) + QStringLiteral(".xhtml"),
                                 "<?xml version=\"1.0\"?><html xmlns=\"http://www.w3.org/1999/xhtml\"><body>"
                                     + joined(paragraphs.mid(chapter * perChapter, perChapter), QStringLiteral("<p>"), QStringLiteral("</p>"))
                                     + "</body></html>");
        }
        entries.emplace_back(QStringLiteral("livre.opf"),
                             "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\"><manifest>"
                                 + manifest + "</manifest><spine>" + spine + "</spine></package>");
        written = writeZip(path, entries);
    }
    return written ? path : QString();
}

// The novel opened and listed, as the main window or the batch command does.
void BM_OpenNovel(benchmark::State &state, const char *kind)
{
    const QTemporaryDir folder;
    const QString path = writeNovel(folder, QString::fromLatin1(kind));
    if (path.isEmpty()) {
        state.SkipWithError("the novel could not be written");
        return;
    }
    qsizetype forms = 0;
    for (auto _ : state) {
        TextFileContent content = readTextFile(path);
        if (!content.ok()) {
            state.SkipWithError(qPrintable(content.errorString));
            return;
        }
        const TextStudy study(std::move(content.text));
        forms = study.list().size();
    }
    state.counters["forms"] = double(forms);
}
BENCHMARK_CAPTURE(BM_OpenNovel, docx, "docx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenNovel, odt, "odt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenNovel, epub, "epub")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenNovel, pdf, "pdf")->Unit(benchmark::kMillisecond);

// A 1,000-page PDF read as text. Pages are read on as many threads as the
// process may use: under `taskset -c 0`, the rate of one core.
void BM_ReadLongPdf(benchmark::State &state)
{
    constexpr int pageCount = 1000;
    const QByteArray pdf =
        pdfOfProse(decodeWindows1252(bench::frenchLikeText(qint64(pageCount) * pdfLinesPerPage * (pdfLineLength + 10))),
                   pageCount);
    for (auto _ : state) {
        const DocumentText text = readPdf(pdf);
        if (!text.ok())
            state.SkipWithError("the PDF was not read");
        benchmark::DoNotOptimize(text.text.data());
    }
    state.counters["pages_per_second"] =
        benchmark::Counter(double(pageCount), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["megabytes"] = double(pdf.size()) / 1e6;
}
BENCHMARK(BM_ReadLongPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
