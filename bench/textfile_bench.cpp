// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/corpus.h"
#include "formats/wordlistfile.h"
#include "text/textfile.h"
#include "text/encoding/windows1252.h"
#include "wordforms/analysis.h"
#include "wordforms/wordlist.h"

#include <QFile>
#include <QIODevice>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>


using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

constexpr qint64 textSize = 100'000'000;
constexpr qint64 millionForms = 1'000'000;

// A file in a folder of its own, removed when the program ends.
class TemporaryFile
{
public:
    TemporaryFile(const QString &name, const QByteArray &bytes)
        : m_path(m_dir.filePath(name))
    {
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the benchmark's text");
    }

    const QString &path() const { return m_path; }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

const TemporaryFile &windows1252File()
{
    static const TemporaryFile file(u"texte-1252.txt"_s, bench::frenchLikeText(textSize));
    return file;
}

const TemporaryFile &utf8File()
{
    static const TemporaryFile file(u"texte-utf8.txt"_s,
                                    decodeWindows1252(bench::frenchLikeText(textSize)).toUtf8());
    return file;
}

// The UTF-8 text with its "été" written with combining accents, the other
// accented letters left whole: composing it must stay linear.
const TemporaryFile &decomposedUtf8File()
{
    static const TemporaryFile file(
        u"texte-decompose.txt"_s,
        decodeWindows1252(bench::frenchLikeText(textSize)).replace(u"été"_s, u"e\u0301te\u0301"_s).toUtf8());
    return file;
}

void readFile(benchmark::State &state, const QString &path)
{
    qint64 size = QFile(path).size();
    for (auto _ : state) {
        const TextFileContent content = readTextFile(path);
        if (!content.ok()) {
            state.SkipWithError("the text cannot be read");
            return;
        }
        benchmark::DoNotOptimize(content.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void BM_ReadWindows1252File(benchmark::State &state)
{
    readFile(state, windows1252File().path());
}
BENCHMARK(BM_ReadWindows1252File)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ReadUtf8File(benchmark::State &state)
{
    readFile(state, utf8File().path());
}
BENCHMARK(BM_ReadUtf8File)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ReadDecomposedUtf8File(benchmark::State &state)
{
    readFile(state, decomposedUtf8File().path());
}
BENCHMARK(BM_ReadDecomposedUtf8File)->UseRealTime()->Unit(benchmark::kMillisecond);

// The word list of a text of one million different forms.
const WordList &millionFormList()
{
    static const WordList list = analyseText(decodeWindows1252(bench::distinctFormsText(millionForms)));
    return list;
}

void BM_WordListBytesMillionRows(benchmark::State &state)
{
    const WordList &list = millionFormList();
    qint64 size = 0;
    for (auto _ : state) {
        const QByteArray bytes = wordListBytes(list);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["rows"] = double(list.size());
}
BENCHMARK(BM_WordListBytesMillionRows)->Unit(benchmark::kMillisecond);

void BM_WriteWordListFileMillionRows(benchmark::State &state)
{
    const WordList &list = millionFormList();
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"liste.txt"_s);
    for (auto _ : state) {
        if (!writeWholeFile(path, [&list](QIODevice &device) { return writeWordList(list, device); }).ok) {
            state.SkipWithError("the list cannot be written");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}
BENCHMARK(BM_WriteWordListFileMillionRows)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
