// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/corpus.h"
#include "text/textfile.h"
#include "text/encoding/windows1252.h"
#include "wordforms/analysis.h"
#include "wordforms/formmatcher.h"
#include "wordforms/letters.h"
#include "wordforms/listselection.h"
#include "wordforms/stoplist.h"
#include "wordforms/wordlist.h"
#include "wordforms/wordlistsum.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <memory>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

constexpr qint64 generatedForms = 100'000;
constexpr int textsInCorpus = 4;

// The text cut at separators into parts studied together, one count column
// each, as a corpus of several texts is listed.
WordList corpusList(const QString &text)
{
    WordListSum sum;
    qsizetype start = 0;
    for (int part = 0; part < textsInCorpus; ++part) {
        qsizetype end = part + 1 == textsInCorpus ? text.size() : text.size() / textsInCorpus * (part + 1);
        while (end < text.size() && isLetter(text[end].unicode()))
            ++end;
        sum.add(analyseText(QStringView(text).sliced(start, end - start)), u"texte%1.txt"_s.arg(part), part);
        start = end;
    }
    return sum.take(true);
}

// range 0: a generated text of 100,000 forms; 1: the real French one, when
// LEXALON_BENCH_FRENCH names it.
const WordList *listFor(benchmark::State &state)
{
    static std::unique_ptr<WordList> lists[2];
    const auto which = size_t(state.range(0));
    if (!lists[which]) {
        const QString path = bench::realFrenchTextPath();
        if (which == 1 && path.isEmpty())
            return nullptr;
        lists[which] = std::make_unique<WordList>(
            corpusList(which == 0 ? decodeWindows1252(bench::distinctFormsText(generatedForms)) : readTextFile(path).text));
    }
    state.SetLabel(which == 0 ? "generated" : "real French");
    state.counters["forms"] = double(lists[which]->size());
    return lists[which].get();
}

#define LEXALON_LIST_OR_SKIP(list)                                                                                     \
    const WordList *list = listFor(state);                                                                            \
    if (!list) {                                                                                                       \
        state.SkipWithError("LEXALON_BENCH_FRENCH is not set");                                                       \
        return;                                                                                                        \
    }

// One keystroke in the search field: the whole list filtered again.
void refilter(benchmark::State &state, const QString &typed, FormMatcher::Syntax syntax)
{
    LEXALON_LIST_OR_SKIP(list)
    ListSelection selection(*list);
    selection.sortBy(ListSelection::Key::Total);
    const ListFilter filter{FormMatcher(typed, syntax), 0, std::make_shared<StopList>(StopList::frenchFunctionWords())};
    for (auto _ : state)
        selection.setFilter(filter);
    state.counters["shown"] = double(selection.size());
}

void BM_FilterByPrefix(benchmark::State &state)
{
    refilter(state, u"de"_s, FormMatcher::Syntax::Pattern);
}
BENCHMARK(BM_FilterByPrefix)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FilterByWildcards(benchmark::State &state)
{
    refilter(state, u"*e?e*"_s, FormMatcher::Syntax::Pattern);
}
BENCHMARK(BM_FilterByWildcards)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FilterByRegularExpression(benchmark::State &state)
{
    refilter(state, u"(ou|on).*[eé]$"_s, FormMatcher::Syntax::RegularExpression);
}
BENCHMARK(BM_FilterByRegularExpression)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A click on a column's heading: every row sorted again, then filtered.
void sortBy(benchmark::State &state, ListSelection::Key key, qsizetype text)
{
    LEXALON_LIST_OR_SKIP(list)
    ListSelection selection(*list);
    selection.setFilter({FormMatcher(u"*e*"_s, FormMatcher::Syntax::Pattern), 0, nullptr});
    for (auto _ : state)
        selection.sortBy(key, text);
}

void BM_SortByTotal(benchmark::State &state)
{
    sortBy(state, ListSelection::Key::Total, 0);
}
BENCHMARK(BM_SortByTotal)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SortByTextColumn(benchmark::State &state)
{
    sortBy(state, ListSelection::Key::Text, 2);
}
BENCHMARK(BM_SortByTextColumn)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The folded forms made once, when the list is shown.
void BM_SelectionOfAList(benchmark::State &state)
{
    LEXALON_LIST_OR_SKIP(list)
    for (auto _ : state) {
        ListSelection selection(*list);
        benchmark::DoNotOptimize(selection.size());
    }
}
BENCHMARK(BM_SelectionOfAList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
