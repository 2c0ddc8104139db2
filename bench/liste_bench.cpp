// SPDX-License-Identifier: GPL-3.0-or-later
// lexalon-liste on a generated 100 MB French-like text, end to end, beside
// the shell pipeline that counts the same forms:
//   tr -cs LETTERS '\n' < FILE | tr UPPER LOWER | sort | uniq -c
// with the peak memory of lexalon-liste and its speed-up over the pipeline,
// and the concordance of a frequent form in the real French text;
// then the same on corpora of 100 files of 1 MB and of 10 files of 100 MB,
// listed together, beside the pipeline over the files put end to end.

#include "bench/childrun.h"
#include "bench/corpus.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>


using namespace Qt::StringLiterals;

namespace {

constexpr qint64 textSize = 100'000'000;
constexpr int runs = 3;
constexpr double kilobyte = 1024.0;

constexpr auto pipeline =
    R"(cat "$@" | LC_ALL=C tr -cs 'A-Za-z\300-\326\330-\366\370-\377' '\n')"
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

// Runs the command once an iteration, its time the iteration's, adding up
// the seconds and keeping the highest peak; false, the benchmark skipped,
// once a run fails.
bool timedRuns(benchmark::State &state, const std::vector<std::string> &command, const char *failure,
               double &seconds, double &peakBytes)
{
    for (auto _ : state) {
        const lexalon::bench::ChildRun run = lexalon::bench::runChild(command);
        if (!run.ok) {
            state.SkipWithError(failure);
            return false;
        }
        state.SetIterationTime(run.seconds);
        seconds += run.seconds;
        peakBytes = std::max(peakBytes, run.peakBytes);
    }
    return true;
}

void BM_TrSortUniqPipeline(benchmark::State &state)
{
    const std::string path = text().path();
    double total = 0;
    double peak = 0;
    if (!timedRuns(state, {"/bin/sh", "-c", pipeline, "sh", path}, "the pipeline failed", total, peak))
        return;
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
    if (!timedRuns(state, arguments, "lexalon-liste failed", total, peak))
        return;
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

// The concordance of « de » in the real French text, some 770,000 lines
// (target: under a second on two cores).
void BM_LexalonListeConcordanceRealFrench(benchmark::State &state)
{
    const QString path = lexalon::bench::realFrenchTextPath();
    if (path.isEmpty()) {
        state.SkipWithError("LEXALON_BENCH_FRENCH is not set");
        return;
    }
    const QTemporaryDir dir;
    const std::vector<std::string> arguments{LEXALON_LISTE_PATH, "--concordance", "de", "-o",
                                             dir.filePath(u"concordance.txt"_s).toStdString(), path.toStdString()};
    double total = 0;
    double peak = 0;
    timedRuns(state, arguments, "lexalon-liste failed", total, peak);
}
BENCHMARK(BM_LexalonListeConcordanceRealFrench)->Iterations(runs)->UseManualTime()->Unit(benchmark::kMillisecond);

// Files cut from one generated text, so that they share its vocabulary as
// the texts of a corpus do; past 100 MB the text is used again.
class GeneratedCorpus
{
public:
    GeneratedCorpus(int files, qint64 fileSize)
    {
        const QByteArray text = lexalon::bench::frenchLikeText(std::min(files * fileSize, textSize));
        for (int index = 0; index < files; ++index) {
            const QString path = m_dir.filePath(u"texte-%1.txt"_s.arg(index, 3, 10, QChar(u'0')));
            const QByteArray bytes = text.mid(index * fileSize % text.size(), fileSize);
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                qFatal("cannot write the benchmark's corpus");
            m_paths.push_back(path.toStdString());
        }
    }

    const std::vector<std::string> &paths() const { return m_paths; }

private:
    QTemporaryDir m_dir;
    std::vector<std::string> m_paths;
};

// The pipeline then lexalon-liste on the same corpus, made once for both.
void corpusRuns(benchmark::State &state, int files, qint64 fileSize)
{
    static std::map<int, std::unique_ptr<GeneratedCorpus>> corpora;
    auto &corpus = corpora[files];
    if (!corpus)
        corpus = std::make_unique<GeneratedCorpus>(files, fileSize);
    const bool pipelineRun = state.range(0) == 0;
    std::vector<std::string> arguments{LEXALON_LISTE_PATH};
    if (pipelineRun)
        arguments = {"/bin/sh", "-c", pipeline, "sh"};
    arguments.insert(arguments.end(), corpus->paths().begin(), corpus->paths().end());
    double total = 0;
    double peak = 0;
    if (!timedRuns(state, arguments, "the run failed", total, peak))
        return;
    state.SetBytesProcessed(state.iterations() * files * fileSize);
    static double corpusPipelineSeconds = 0;
    if (pipelineRun)
        corpusPipelineSeconds = total / double(state.iterations());
    else if (corpusPipelineSeconds > 0)
        state.counters["speedup_vs_pipeline"] = corpusPipelineSeconds / (total / double(state.iterations()));
}

// Argument 0: the pipeline; 1: lexalon-liste.
void BM_Corpus100FilesOf1MB(benchmark::State &state)
{
    corpusRuns(state, 100, 1'000'000);
}
BENCHMARK(BM_Corpus100FilesOf1MB)->Arg(0)->Arg(1)->Iterations(runs)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Corpus10FilesOf100MB(benchmark::State &state)
{
    corpusRuns(state, 10, textSize);
}
BENCHMARK(BM_Corpus10FilesOf100MB)->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
