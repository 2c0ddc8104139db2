// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/corpus.h"
#include "bench/offscreen.h"
#include "gui/wordlist/wordlistview.h"
#include "gui/wordlist/wordlistwindow.h"
#include "text/encoding/windows1252.h"
#include "wordforms/textstudy.h"

#include <QApplication>
#include <QString>

#include <memory>

#include <benchmark/benchmark.h>

using namespace lexalon;

namespace {

constexpr qint64 hundredMegabytes = qint64(100) << 20;
constexpr qint64 millionForms = 1'000'000;

// "&Liste du lexalon" on a 100 MB French-like text: the window built,
// analysed, shown and drawn.
void BM_OpenWordList(benchmark::State &state)
{
    const QString text = decodeWindows1252(bench::frenchLikeText(hundredMegabytes));
    bench::ScriptedWindowServices services;
    for (auto _ : state) {
        WordListWindow window(std::make_shared<TextStudy>(text), services.services);
        window.show();
        QApplication::processEvents();
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
    state.counters["text_MB"] = double(text.size()) / double(1 << 20);
}
BENCHMARK(BM_OpenWordList)->Unit(benchmark::kMillisecond)->Iterations(3);

// A press on the order button with a million forms in the list, redrawn.
void BM_ToggleMillionForms(benchmark::State &state)
{
    bench::ScriptedWindowServices services;
    WordListWindow window(std::make_shared<TextStudy>(decodeWindows1252(bench::distinctFormsText(millionForms))),
                          services.services);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.toggleOrder();
        QApplication::processEvents();
    }
    state.counters["forms"] = double(window.findChild<WordListView *>()->model()->rowCount());
}
BENCHMARK(BM_ToggleMillionForms)->Unit(benchmark::kMillisecond)->Iterations(6);

} // namespace

int main(int argc, char **argv)
{
    return bench::runOffscreen(argc, argv);
}
