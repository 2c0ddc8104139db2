// SPDX-License-Identifier: GPL-3.0-or-later
// The study tools on a 100 MB text: the concordance of its most frequent
// form (opening its window until the first screen is drawn, each re-sort,
// the dispersion strip, the table's scrolling) and the lexical statistics
// (opening their window, each tab's curve). On the French-like text, and on
// the real French text when LEXALON_BENCH_FRENCH names it.

#include "bench/corpus.h"
#include "bench/offscreen.h"
#include "gui/concordance/concordancewindow.h"
#include "gui/concordance/dispersionstrip.h"
#include "gui/statistics/statisticswindow.h"
#include "text/textfile.h"
#include "text/encoding/windows1252.h"
#include "wordforms/analysis.h"
#include "wordforms/concordance.h"
#include "wordforms/lexicalstatistics.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>

using namespace lexalon;

namespace {

constexpr qint64 hundredMegabytes = qint64(100) << 20;

// A text analysed once, and the rank of its most frequent form.
struct Studied
{
    QString text;
    TextAnalysis analysis;
    qsizetype mostFrequent = 0;

    explicit Studied(QString t)
        : text(std::move(t))
        , analysis(analyseTextWithTokens(text))
    {
        for (qsizetype row = 0; row < analysis.list.size(); ++row) {
            if (analysis.list.count(row) > analysis.list.count(mostFrequent))
                mostFrequent = row;
        }
    }

    Concordance concordance() const
    {
        return Concordance(text, analysis.tokens, analysis.list.rank(mostFrequent));
    }
};

// range 0: the French-like text; 1: the real one.
const Studied *studied(benchmark::State &state)
{
    static std::unique_ptr<Studied> texts[2];
    const auto which = size_t(state.range(0));
    if (!texts[which]) {
        if (which == 0) {
            texts[0] = std::make_unique<Studied>(decodeWindows1252(bench::frenchLikeText(hundredMegabytes)));
        } else {
            const QString path = bench::realFrenchTextPath();
            if (path.isEmpty())
                return nullptr;
            texts[1] = std::make_unique<Studied>(readTextFile(path).text);
        }
    }
    state.SetLabel(which == 0 ? "french-like" : "real French");
    return texts[which].get();
}

struct OpenWindow
{
    bench::ScriptedWindowServices services;
    ConcordanceWindow window;

    explicit OpenWindow(const Studied &text)
        : window(text.concordance(), text.analysis.list.form(text.mostFrequent).toString(), services.services)
    {
        window.show();
        QApplication::processEvents();
    }
};

#define LEXALON_TEXT_OR_SKIP(name)                                                                                     \
    const Studied *name = studied(state);                                                                              \
    if (!name) {                                                                                                       \
        state.SkipWithError("LEXALON_BENCH_FRENCH is not set");                                                        \
        return;                                                                                                        \
    }

// From the chosen form to the first screen drawn (target: 150 ms).
void BM_OpenConcordance(benchmark::State &state)
{
    LEXALON_TEXT_OR_SKIP(text)
    for (auto _ : state) {
        bench::ScriptedWindowServices services;
        ConcordanceWindow window(text->concordance(), text->analysis.list.form(text->mostFrequent).toString(),
                                 services.services);
        window.show();
        QApplication::processEvents();
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
    state.counters["attestations"] = double(text->analysis.list.count(text->mostFrequent));
}
BENCHMARK(BM_OpenConcordance)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// Each neighbour sort in turn, redrawn (target: 300 ms).
void BM_SortConcordance(benchmark::State &state)
{
    LEXALON_TEXT_OR_SKIP(text)
    OpenWindow open(*text);
    auto *orders = open.window.findChild<QComboBox *>();
    int order = 0;
    for (auto _ : state) {
        orders->setCurrentIndex(1 + order++ % 4);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SortConcordance)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(8);

// The strip at a new width: its marks counted again and drawn (target: 16 ms).
void BM_DrawDispersionStrip(benchmark::State &state)
{
    LEXALON_TEXT_OR_SKIP(text)
    OpenWindow open(*text);
    auto *strip = open.window.findChild<DispersionStrip *>();
    int step = 0;
    for (auto _ : state) {
        strip->resize(strip->width() + (step++ % 2 == 0 ? 1 : -1), strip->height());
        strip->repaint();
    }
}
BENCHMARK(BM_DrawDispersionStrip)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(50);

// A jump of the scroll bar anywhere in the table, redrawn: only the rows in
// view are made.
void BM_ScrollConcordance(benchmark::State &state)
{
    LEXALON_TEXT_OR_SKIP(text)
    OpenWindow open(*text);
    QScrollBar *bar = open.window.findChild<QTableView *>()->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue(int(qint64(bar->maximum()) * (step++ * 7919 % 1000) / 1000));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ScrollConcordance)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(100);

// From the menu command to the measures and the first curve drawn (target:
// 300 ms).
void BM_OpenStatistics(benchmark::State &state)
{
    LEXALON_TEXT_OR_SKIP(text)
    for (auto _ : state) {
        bench::ScriptedWindowServices services;
        StatisticsWindow window(LexicalStatistics(text->analysis.list, text->analysis.tokens), services.services);
        window.show();
        QApplication::processEvents();
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenStatistics)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// Each tab the first time it is shown, its curve made and drawn (target:
// 50 ms). range 1: the tab.
void BM_StatisticsTab(benchmark::State &state)
{
    LEXALON_TEXT_OR_SKIP(text)
    bench::ScriptedWindowServices services;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<StatisticsWindow>(LexicalStatistics(text->analysis.list, text->analysis.tokens),
                                                         services.services);
        window->show();
        QApplication::processEvents();
        auto *tabs = window->findChild<QTabWidget *>();
        tabs->setCurrentIndex(int(state.range(1)) == 0 ? 1 : 0); // the first tab is drawn on opening
        QApplication::processEvents();
        state.ResumeTiming();
        tabs->setCurrentIndex(int(state.range(1)));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_StatisticsTab)->ArgsProduct({{0, 1}, {0, 1, 2}})->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    return bench::runOffscreen(argc, argv);
}
