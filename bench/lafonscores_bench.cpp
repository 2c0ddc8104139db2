// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/corpus.h"
#include "commands/corpusopening.h"
#include "wordforms/corpus.h"
#include "wordforms/lafonscores.h"
#include "wordforms/wordlist.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <numeric>
#include <vector>

using namespace lexalon;

namespace {

const Corpus &hundredTexts()
{
    static const std::unique_ptr<Corpus> corpus = openCorpus(bench::hundredTextFiles(), nullptr).corpus;
    return *corpus;
}

// Every score of every form in every one of the 100 texts.
void BM_EveryScore(benchmark::State &state)
{
    const WordList &list = hundredTexts().list();
    for (auto _ : state) {
        const LafonScores lafonScores(list);
        benchmark::DoNotOptimize(lafonScores.banal(0, 2));
    }
    state.counters["forms"] = double(list.size());
    state.counters["texts"] = double(list.textColumns().size());
}
BENCHMARK(BM_EveryScore)->Unit(benchmark::kMillisecond)->MinTime(2);

// The forms re-sorted by their score in one text, then another.
void BM_SortByScore(benchmark::State &state)
{
    static const LafonScores lafonScores(hundredTexts().list());
    std::vector<std::uint32_t> rows(size_t(lafonScores.rows()));
    std::iota(rows.begin(), rows.end(), 0);
    qsizetype part = 0;
    for (auto _ : state) {
        lafonScores.sortByScore(rows, part);
        part = (part + 37) % lafonScores.parts();
    }
}
BENCHMARK(BM_SortByScore)->Unit(benchmark::kMillisecond);

} // namespace
