// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/corpus.h"
#include "text/windows1252.h"
#include "wordforms/analysis.h"
#include "wordforms/wordlist.h"

#include <QString>

#include <benchmark/benchmark.h>

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

} // namespace
