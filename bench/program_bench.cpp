// SPDX-License-Identifier: GPL-3.0-or-later
// The program end to end on the offscreen platform, its dialogs scripted:
// opening a large text, its word list, the two orders, and the repaints of
// the text pane.

#include "bench/corpus.h"
#include "bench/offscreen.h"
#include "gui/main/mainwindow.h"
#include "gui/textpane/textpane.h"
#include "gui/platform/taskrunner.h"
#include "gui/wordlist/wordlistview.h"
#include "gui/wordlist/wordlistwindow.h"
#include "platform/interaction/taskprogress.h"
#include "tests/support/windowtesting.h"
#include "text/encoding/windows1252.h"
#include "wordforms/analysis.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

constexpr qint64 hundredMegabytes = qint64(100) << 20;
constexpr qint64 oneGigabyte = qint64(1) << 30;
constexpr qint64 tenMegabytes = qint64(10) << 20;
// The large text is written in pieces of this size, so that it is never held
// whole while it is made.
constexpr qint64 corpusPiece = qint64(128) << 20;
constexpr double megabyte = 1 << 20;

// The highest resident memory of the process so far.
double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    constexpr double kilobytesPerMegabyte = 1024;
    return double(usage.ru_maxrss) / kilobytesPerMegabyte;
}

double millisecondsSince(const QElapsedTimer &timer)
{
    constexpr double nanosecondsPerMillisecond = 1e6;
    return double(timer.nsecsElapsed()) / nanosecondsPerMillisecond;
}

// A French-like Windows-1252 text of a given size in a temporary file.
class CorpusFile
{
public:
    explicit CorpusFile(qint64 size)
        : m_path(QDir(m_folder.path()).filePath(u"corpus.txt"_s))
        , m_size(size)
    {
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the corpus");
        quint64 seed = 1;
        for (qint64 written = 0; written < size; written += corpusPiece) {
            const QByteArray piece = bench::frenchLikeText(std::min(corpusPiece, size - written), seed++);
            if (file.write(piece) != piece.size())
                qFatal("cannot write the corpus");
        }
    }

    const QString &path() const { return m_path; }
    qint64 size() const { return m_size; }

private:
    QTemporaryDir m_folder;
    QString m_path;
    qint64 m_size;
};

const CorpusFile &hundredMegabyteFile()
{
    static const CorpusFile file(hundredMegabytes);
    return file;
}

// The main window on screen, its dialogs scripted.
struct Program
{
    bench::ScriptedWindowServices scripted;
    MainWindow main{scripted.services};

    Program()
    {
        main.show();
        QApplication::processEvents();
    }

    TextPane &pane() const { return *main.findChild<TextPane *>(); }

    // "&Ouvrir..." on a file, until the pane has shown it.
    void open(const QString &path)
    {
        scripted.dialogs.setNextFileName(path);
        main.chooseFile();
        QApplication::processEvents();
    }

    // "&Liste du lexalon"; once the word-list window is filled and on screen,
    // `inside` is given it, then the window is closed.
    void withWordList(const std::function<void(WordListWindow &)> &inside)
    {
        testing::inspectNextModal<WordListWindow>([&inside](WordListWindow &list) {
            QApplication::processEvents();
            inside(list);
        });
        main.showWordList();
    }
};

// The program with the 100 MB text open, kept for the benchmarks that
// follow, and a pane with 10 MB without a line break; both deleted before
// the application ends.
std::unique_ptr<Program> &sharedProgram()
{
    static std::unique_ptr<Program> program;
    return program;
}

std::unique_ptr<TextPane> &longLinePane()
{
    static std::unique_ptr<TextPane> pane;
    return pane;
}

Program &programWithTheText()
{
    std::unique_ptr<Program> &program = sharedProgram();
    if (!program) {
        program = std::make_unique<Program>();
        program->open(hundredMegabyteFile().path());
    }
    return *program;
}

void reportMemory(benchmark::State &state, qint64 fileSize)
{
    const double peak = peakMegabytes();
    state.counters["peak_MB"] = peak;
    state.counters["peak_per_file_size"] = peak * megabyte / double(fileSize);
}

// "&Ouvrir..." on the 100 MB text, until the pane shows it.
void BM_OpenText(benchmark::State &state)
{
    const CorpusFile &file = hundredMegabyteFile();
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<Program>();
        state.ResumeTiming();
        program->open(file.path());
        state.PauseTiming();
        if (program->pane().Text().size() != file.size())
            state.SkipWithError("the text did not reach the pane");
        program.reset();
        state.ResumeTiming();
    }
    state.counters["text_MB"] = double(file.size()) / megabyte;
}
BENCHMARK(BM_OpenText)->Unit(benchmark::kMillisecond)->Iterations(3);

// "&Liste du lexalon" on the 100 MB text, until its window is filled and
// drawn; the memory is the whole program's, text and word list open.
void BM_WordListWindow(benchmark::State &state)
{
    Program &program = programWithTheText();
    int forms = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        program.withWordList([&](WordListWindow &list) {
            state.SetIterationTime(millisecondsSince(timer) / 1000);
            forms = list.findChild<WordListView *>()->model()->rowCount();
            reportMemory(state, hundredMegabytes);
        });
    }
    state.counters["forms"] = forms;
}
BENCHMARK(BM_WordListWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// The window's thread while the 100 MB text is opened and listed: the
// longest time it went without handling events, as a timer of 5 ms on it
// sees it (target: 50 ms).
void BM_WindowThreadLongestGap(benchmark::State &state)
{
    double longest = 0;
    const QString path = hundredMegabyteFile().path();
    for (auto _ : state) {
        Program program;
        QElapsedTimer clock;
        double last = 0;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            const double now = millisecondsSince(clock);
            longest = std::max(longest, now - last);
            last = now;
        });
        ticks.start(5);
        clock.start();
        program.open(path);
        program.withWordList([](WordListWindow &) {});
        state.SetIterationTime(millisecondsSince(clock) / 1000);
    }
    state.counters["longest_gap_ms"] = longest;
}
BENCHMARK(BM_WindowThreadLongestGap)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// "&Ouvrir..." then "&Liste du lexalon" on the real French text, until the
// word list is drawn (target: 800 ms).
void BM_OpenAndListRealFrench(benchmark::State &state)
{
    const QString path = bench::realFrenchTextPath();
    if (path.isEmpty()) {
        state.SkipWithError("LEXALON_BENCH_FRENCH is not set");
        return;
    }
    for (auto _ : state) {
        Program program;
        QElapsedTimer clock;
        clock.start();
        program.open(path);
        program.withWordList([&](WordListWindow &) { state.SetIterationTime(millisecondsSince(clock) / 1000); });
    }
}
BENCHMARK(BM_OpenAndListRealFrench)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// "Annuler" 200 ms into the word list of the 100 MB text: the time from the
// request until the program is as before (target: 100 ms).
void BM_CancelLatency(benchmark::State &state)
{
    const QString text = decodeWindows1252(bench::frenchLikeText(hundredMegabytes));
    QWidget owner;
    TaskRunner runner(owner);
    for (auto _ : state) {
        QElapsedTimer sinceCancel;
        QTimer::singleShot(200, [&] {
            sinceCancel.start();
            runner.cancel();
        });
        const bool finished = runner.run(u"Construction de la liste du lexalon…"_s,
                                         [&](TaskProgress &progress) { analyseTextWithTokens(text, &progress); });
        if (finished) {
            state.SkipWithError("the work ended before it was cancelled");
            return;
        }
        state.SetIterationTime(millisecondsSince(sinceCancel) / 1000);
    }
}
BENCHMARK(BM_CancelLatency)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// A press on the order button in the word list of the 100 MB text, redrawn: to the
// frequency order (0) or back to the alphabetical one (1).
void BM_ToggleOrder(benchmark::State &state)
{
    const bool timeTheWayBack = state.range(0) == 1;
    programWithTheText().withWordList([&](WordListWindow &list) {
        for (auto _ : state) {
            for (const bool wayBack : {false, true}) {
                QElapsedTimer timer;
                timer.start();
                list.toggleOrder();
                QApplication::processEvents();
                if (wayBack == timeTheWayBack)
                    state.SetIterationTime(millisecondsSince(timer) / 1000);
            }
        }
        state.SetLabel(timeTheWayBack ? "alphabetical" : "by frequency");
    });
}
BENCHMARK(BM_ToggleOrder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// Scrolls by a page, then repaints: the rows that come into view are laid
// out and drawn. From the top (0), the middle (1) or the end (2) of the text.
void repaintWhileScrolling(benchmark::State &state, TextPane &pane)
{
    QScrollBar *bar = pane.verticalScrollBar();
    QImage image(pane.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const int start = std::array{0, bar->maximum() / 2, bar->maximum()}[size_t(state.range(0))];
    const int step = state.range(0) == 2 ? -bar->pageStep() : bar->pageStep();
    bar->setValue(start);
    double slowest = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        bar->setValue(bar->value() + step);
        pane.viewport()->render(&image);
        const double milliseconds = millisecondsSince(timer);
        slowest = std::max(slowest, milliseconds);
        state.SetIterationTime(milliseconds / 1000);
    }
    state.counters["slowest_ms"] = slowest;
    state.SetLabel(std::array{"top", "middle", "end"}[size_t(state.range(0))]);
}

void BM_PaneScrollAndRepaint(benchmark::State &state)
{
    repaintWhileScrolling(state, programWithTheText().pane());
}
BENCHMARK(BM_PaneScrollAndRepaint)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);

// Jumps to places all over the text, as a drag of the scroll bar does, then
// repaints: nothing in view was laid out before.
void BM_PaneJumpAndRepaint(benchmark::State &state)
{
    TextPane &pane = programWithTheText().pane();
    QScrollBar *bar = pane.verticalScrollBar();
    QImage image(pane.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    // Places spread evenly, visited out of order.
    constexpr int places = 97;
    constexpr int stride = 38;
    int place = 0;
    double slowest = 0;
    for (auto _ : state) {
        place = (place + stride) % places;
        QElapsedTimer timer;
        timer.start();
        bar->setValue(int(qint64(bar->maximum()) * place / (places - 1)));
        pane.viewport()->render(&image);
        const double milliseconds = millisecondsSince(timer);
        slowest = std::max(slowest, milliseconds);
        state.SetIterationTime(milliseconds / 1000);
    }
    state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_PaneJumpAndRepaint)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);

// The same scrolling through a 10 MB text without a single line break.
void BM_LongLineScrollAndRepaint(benchmark::State &state)
{
    std::unique_ptr<TextPane> &pane = longLinePane();
    if (!pane) {
        QString text = decodeWindows1252(bench::frenchLikeText(tenMegabytes));
        text.replace(u"\r\n"_s, u"  "_s);
        pane = std::make_unique<TextPane>();
        pane->resize(programWithTheText().pane().size());
        pane->show();
        pane->setText(text);
        QApplication::processEvents();
    }
    repaintWhileScrolling(state, *pane);
}
BENCHMARK(BM_LongLineScrollAndRepaint)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);

// A 1 GB text opened and listed, or refused with the too-large message;
// only when LEXALON_BENCH_1GB=1, for it needs some 10 GB of memory and
// minutes of time.
void BM_OneGigabyteText(benchmark::State &state)
{
    const CorpusFile file(oneGigabyte);
    for (auto _ : state) {
        Program program;
        QElapsedTimer timer;
        timer.start();
        program.open(file.path());
        const double openSeconds = millisecondsSince(timer) / 1000;
        state.counters["open_s"] = openSeconds;
        const bool refused = !program.scripted.messages.requests().empty();
        state.counters["refused"] = refused;
        state.SetIterationTime(openSeconds);
        if (refused)
            continue;
        timer.restart();
        program.withWordList([&](WordListWindow &list) {
            const double listSeconds = millisecondsSince(timer) / 1000;
            state.counters["list_s"] = listSeconds;
            state.counters["forms"] = list.findChild<WordListView *>()->model()->rowCount();
            reportMemory(state, file.size());
            state.SetIterationTime(openSeconds + listSeconds);
        });
    }
}

// The program opens the file, shows its word list and the concordance of its
// most frequent form, then ends: for the peak memory of one text, measured
// from outside. Fails when the text or its list is refused.
int openAndList(int argc, char **argv, const QString &path)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Program program;
    program.open(path);
    int forms = -1;
    if (program.scripted.messages.requests().empty()) {
        program.withWordList([&forms](WordListWindow &list) {
            auto *view = list.findChild<WordListView *>();
            forms = view->model()->rowCount();
            if (forms == 0)
                return;
            list.toggleOrder(); // the most frequent form on top
            view->setCurrentIndex(view->model()->index(0, 1));
            list.showConcordance();
            QApplication::processEvents();
        });
    }
    return forms >= 0 && program.scripted.messages.requests().empty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--open-and-list") == 0)
        return openAndList(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (qgetenv("LEXALON_BENCH_1GB") == "1") {
        benchmark::RegisterBenchmark("BM_OneGigabyteText", BM_OneGigabyteText)
            ->Unit(benchmark::kSecond)
            ->UseManualTime()
            ->Iterations(1);
    }
    return bench::runOffscreen(argc, argv, [] {
        sharedProgram().reset();
        longLinePane().reset();
    });
}
