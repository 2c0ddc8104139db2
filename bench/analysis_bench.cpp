// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/corpus.h"
#include "text/encoding/windows1252.h"
#include "wordforms/analysis.h"
#include "wordforms/corpus.h"
#include "wordforms/wordlist.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <vector>

using namespace lexalon;

namespace {

constexpr qint64 textSize = 100'000'000;
constexpr qint64 millionForms = 1'000'000;

const QString &frenchText()
{
    static const QString text = decodeWindows1252(bench::frenchLikeText(textSize));
    return text;
}

const QString &distinctFormsText()
{
    static const QString text = decodeWindows1252(bench::distinctFormsText(millionForms));
    return text;
}

void analyse(benchmark::State &state, const QString &text)
{
    WordList list;
    for (auto _ : state) {
        list = analyseText(text);
        benchmark::DoNotOptimize(list.size());
    }
    state.counters["tokens"] = double(list.totalCount());
    state.counters["forms"] = double(list.size());
    state.counters["MB/s"] = benchmark::Counter(double(text.size()) * double(state.iterations()),
                                                benchmark::Counter::kIsRate,
                                                benchmark::Counter::kIs1000);
}

// Analysis of a 100 MB French-like text: about 12 million tokens.
void BM_AnalysisFrench100MB(benchmark::State &state)
{
    analyse(state, frenchText());
}
BENCHMARK(BM_AnalysisFrench100MB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Analysis of a text of one million different forms; the list comes out in
// alphabetical order.
void BM_AnalysisMillionForms(benchmark::State &state)
{
    analyse(state, distinctFormsText());
}
BENCHMARK(BM_AnalysisMillionForms)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One press of the order button on a list of a million forms, each way.
void toggleMillionForms(benchmark::State &state, bool toFrequencies)
{
    WordList list = analyseText(distinctFormsText());
    const auto to = toFrequencies ? WordList::Order::DecreasingFrequency : WordList::Order::Alphabetical;
    const auto from = toFrequencies ? WordList::Order::Alphabetical : WordList::Order::DecreasingFrequency;
    for (auto _ : state) {
        state.PauseTiming();
        list.sort(from);
        state.ResumeTiming();
        list.sort(to);
    }
}

void BM_ToggleToFrequenciesMillionForms(benchmark::State &state)
{
    toggleMillionForms(state, true);
}
BENCHMARK(BM_ToggleToFrequenciesMillionForms)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ToggleToAlphabeticalMillionForms(benchmark::State &state)
{
    toggleMillionForms(state, false);
}
BENCHMARK(BM_ToggleToAlphabeticalMillionForms)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The list of a corpus of 100 texts of some ten thousand forms each, cut
// from one text so that they share its vocabulary, made from the texts' own
// lists.
void BM_CorpusOf100Texts(benchmark::State &state)
{
    constexpr int texts = 100;
    constexpr qint64 textBytes = 240'000;
    const QString whole = decodeWindows1252(bench::frenchLikeText(texts * textBytes));
    std::vector<TextAnalysis> analyses;
    for (int text = 0; text < texts; ++text)
        analyses.push_back(analyseTextWithTokens(QStringView(whole).sliced(text * textBytes, textBytes)));
    std::optional<Corpus> corpus;
    for (auto _ : state) {
        state.PauseTiming();
        corpus.reset();
        std::vector<Corpus::Text> studied;
        for (const TextAnalysis &analysis : analyses)
            studied.push_back({QString::number(studied.size()), std::make_unique<TextStudy>(analysis)});
        state.ResumeTiming();
        corpus.emplace(std::move(studied));
    }
    state.counters["forms"] = double(corpus->list().size());
    state.counters["forms_per_text"] = double(analyses.front().list.size());
}
BENCHMARK(BM_CorpusOf100Texts)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
