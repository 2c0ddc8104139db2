// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/corpus.h"
#include "bench/offscreen.h"
#include "commands/corpusopening.h"
#include "gui/corpus/corpusconcordancemodel.h"
#include "gui/corpus/corpuswindow.h"
#include "wordforms/corpus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <memory>

#include <benchmark/benchmark.h>

using namespace lexalon;

namespace {

// The process's peak resident size since the last reset, so that the
// texts written for the benchmark do not count.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').constFirst().toDouble() / 1024.0;
    }
    return 0;
}

std::unique_ptr<Corpus> openedCorpus()
{
    return openCorpus(bench::hundredTextFiles(), nullptr).corpus;
}

// The 100 texts read and analysed (on workers in the program), then the
// workspace made, shown and drawn with its list: the part on the window's
// thread, which no other event can interrupt, is timed on its own.
void BM_OpenCorpus(benchmark::State &state)
{
    bench::ScriptedWindowServices services;
    bench::hundredTextFiles();
    resetPeak();
    qint64 longestOnWindowThread = 0;
    for (auto _ : state) {
        std::unique_ptr<Corpus> corpus = openedCorpus();
        QElapsedTimer onWindowThread;
        onWindowThread.start();
        CorpusWindow window(std::move(corpus), services.services);
        window.show();
        QApplication::processEvents();
        longestOnWindowThread = std::max(longestOnWindowThread, onWindowThread.elapsed());
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
    state.counters["window_thread_ms"] = double(longestOnWindowThread);
    state.counters["peak_MiB"] = peakMegabytes();
}
BENCHMARK(BM_OpenCorpus)->Unit(benchmark::kMillisecond)->Iterations(2);

struct Workspace
{
    bench::ScriptedWindowServices services;
    CorpusWindow window{openedCorpus(), services.services};
    Workspace()
    {
        window.show();
        QApplication::processEvents();
    }
};

Workspace &workspace()
{
    static Workspace *made = new Workspace;
    return *made;
}

// Each keystroke of « de », « dé », « *ment », « p?r* » re-filters the list.
void BM_SearchKeystroke(benchmark::State &state)
{
    auto *search = workspace().window.findChild<QLineEdit *>(QStringLiteral("rechercher"));
    const QString typed[] = {QStringLiteral("d"), QStringLiteral("de"), QStringLiteral("dé"), QStringLiteral("*ment"),
                             QStringLiteral("p?r*"), QString()};
    qsizetype next = 0;
    for (auto _ : state) {
        search->setText(typed[next++ % std::size(typed)]);
        QApplication::processEvents();
    }
    state.counters["forms"] = double(workspace().window.findChild<QTableView *>(QStringLiteral("liste"))->model()->rowCount());
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond)->Iterations(30);

// A click on the Total heading, then on Forme.
void BM_HeadingSort(benchmark::State &state)
{
    QHeaderView *headings = workspace().window.findChild<QTableView *>(QStringLiteral("liste"))->horizontalHeader();
    int column = 0;
    for (auto _ : state) {
        column = column == 0 ? 1 : 0;
        Q_EMIT headings->sectionClicked(column);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_HeadingSort)->Unit(benchmark::kMillisecond)->Iterations(10);

// The concordance of « de » across the texts, made in text order, sorted by
// the first word on the left, then shown and drawn.
void BM_ConcordanceOfDe(benchmark::State &state)
{
    const Corpus &corpus = workspace().window.corpus();
    const std::uint32_t rows[] = {std::uint32_t(corpus.list().rowOf(u"de"))};
    QTableView view;
    view.resize(1000, 600);
    view.show();
    for (auto _ : state) {
        CorpusConcordance concordance = corpus.concordance(rows);
        concordance.arrange(concordance.arranged(Concordance::Order::FirstLeft, Concordance::Order::Text));
        auto *model = new CorpusConcordanceModel(std::move(concordance), &view);
        QAbstractItemModel *old = view.model();
        view.setModel(model);
        delete old;
        view.repaint();
    }
    state.counters["lines"] = double(view.model()->rowCount());
}
BENCHMARK(BM_ConcordanceOfDe)->Unit(benchmark::kMillisecond)->Iterations(5);

// The "Spécificités" tab shown from its scores made beforehand, then a
// click on a text's heading.
void BM_LafonScoresTab(benchmark::State &state)
{
    CorpusWindow &window = workspace().window;
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("onglets"));
    auto *tab = window.findChild<QWidget *>(QStringLiteral("ongletSpecificites"));
    tabs->setCurrentWidget(tab); // the scores are made once
    QApplication::processEvents();
    for (auto _ : state) {
        tabs->setCurrentIndex(0);
        QApplication::processEvents();
        tabs->setCurrentWidget(tab);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_LafonScoresTab)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_LafonScoresSortByText(benchmark::State &state)
{
    QHeaderView *headings =
        workspace().window.findChild<QTableView *>(QStringLiteral("specificites"))->horizontalHeader();
    int text = 0;
    for (auto _ : state) {
        Q_EMIT headings->sectionClicked(2 + text++ % 100);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_LafonScoresSortByText)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    return bench::runOffscreen(argc, argv, [] { delete &workspace(); });
}
