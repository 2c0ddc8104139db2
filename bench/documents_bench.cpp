// SPDX-License-Identifier: GPL-3.0-or-later
// A 1,000-page PDF read as text. Pages are read on as many threads as the
// process may use: under `taskset -c 0`, the rate of one core.
#include "bench/corpus.h"
#include "support/pdfwriter.h"
#include "text/documents/pdftext.h"
#include "text/windows1252.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

constexpr int pageCount = 1000;
constexpr int linesPerPage = 40;
constexpr qsizetype lineLength = 80;

// French-like prose cut into lines at spaces, under a running header, over
// a page number.
QByteArray longPdf()
{
    const QString prose = decodeWindows1252(bench::frenchLikeText(qint64(pageCount) * linesPerPage * (lineLength + 10)))
                              .replace(u"\r\n"_s, u" "_s);
    QList<QByteArray> contents;
    qsizetype at = 0;
    for (int page = 1; page <= pageCount; ++page) {
        QStringList lines = {u"Histoire d'un livre"_s};
        for (int line = 0; line < linesPerPage; ++line) {
            const qsizetype space = prose.lastIndexOf(u' ', at + lineLength);
            const qsizetype end = space > at ? space : at + lineLength;
            lines.append(prose.sliced(at, end - at).trimmed());
            at = end;
        }
        lines.append(QString::number(page));
        contents.append(testing::pdfTextContent(lines));
    }
    return testing::pdfOfContents(contents);
}

void readLongPdf(benchmark::State &state)
{
    const QByteArray pdf = longPdf();
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
BENCHMARK(readLongPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
