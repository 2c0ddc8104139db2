// lexalon-liste on a generated 100 MB French-like text, end to end, beside
// the shell pipeline that counts the same forms:
//   tr -cs LETTERS '\n' < FILE | tr UPPER LOWER | sort | uniq -c
// with the peak memory of lexalon-liste and its speed-up over the pipeline.

#include "bench/childrun.h"
#include "bench/corpus.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>


using namespace Qt::StringLiterals;

namespace {

constexpr qint64 textSize = 100'000'000;
constexpr int runs = 3;
constexpr double kilobyte = 1024.0;

constexpr auto pipeline =
    R"(LC_ALL=C tr -cs 'A-Za-z\300-\326\330-\366\370-\377' '\n' < "$1")"
    R"( | LC_ALL=C tr 'A-Z\300-\326\330-\336' 'a-z\340-\366\370-\376')"
    R"( | LC_ALL=C sort | uniq -c)";

class GeneratedText
{
public:
    GeneratedText()
        : m_path(m_dir.filePath(u"texte.txt"_s))
    {
        const QByteArray bytes = lexalon::bench::frenchLikeText(textSize);
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the benchmark's text");
    }

    std::string path() const { return m_path.toStdString(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

const GeneratedText &text()
{
    static const GeneratedText generated;
    return generated;
}

double pipelineSeconds = 0; // mean over the pipeline's runs, once measured

void BM_TrSortUniqPipeline(benchmark::State &state)
{
    const std::string path = text().path();
    double total = 0;
    for (auto _ : state) {
        const lexalon::bench::ChildRun run = lexalon::bench::runChild({"/bin/sh", "-c", pipeline, "sh", path});
        if (!run.ok) {
            state.SkipWithError("the pipeline failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        total += run.seconds;
    }
    pipelineSeconds = total / double(state.iterations());
    state.SetBytesProcessed(state.iterations() * textSize);
}
BENCHMARK(BM_TrSortUniqPipeline)->Iterations(runs)->UseManualTime()->Unit(benchmark::kMillisecond);

void listeRun(benchmark::State &state, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), LEXALON_LISTE_PATH);
    arguments.push_back(text().path());
    double total = 0;
    double peak = 0;
    for (auto _ : state) {
        const lexalon::bench::ChildRun run = lexalon::bench::runChild(arguments);
        if (!run.ok) {
            state.SkipWithError("lexalon-liste failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        total += run.seconds;
        peak = std::max(peak, run.peakBytes);
    }
    const double mean = total / double(state.iterations());
    state.SetBytesProcessed(state.iterations() * textSize);
    state.counters["peak_MB"] = peak / (kilobyte * kilobyte);
    state.counters["peak_per_file_size"] = peak / double(textSize);
    if (pipelineSeconds > 0)
        state.counters["speedup_vs_pipeline"] = pipelineSeconds / mean;
}

void BM_LexalonListeAlphabetical(benchmark::State &state)
{
    listeRun(state, {});
}
BENCHMARK(BM_LexalonListeAlphabetical)->Iterations(runs)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_LexalonListeFrequencies(benchmark::State &state)
{
    listeRun(state, {"--frequences"});
}
BENCHMARK(BM_LexalonListeFrequencies)->Iterations(runs)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
