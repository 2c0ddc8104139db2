// The peak resident memory of lexalon-liste and of the program (text opened,
// word list and the concordance of its most frequent form shown) on four texts that strain it differently, against the
// bound of five times the file's size plus 100 MB, as /usr/bin/time reports
// it. The child is started by time, not by this process: a process started
// straight from here would count the memory this one holds.

#include "bench/childrun.h"
#include "bench/corpus.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <functional>
#include <string>
#include <vector>


using namespace Qt::StringLiterals;

namespace {

constexpr qint64 megabyte = qint64(1) << 20;
constexpr qint64 piece = 20 * megabyte;
constexpr double boundFactor = 5;
constexpr double boundMargin = 100 * double(megabyte);

// One text, written piece after piece so that it is never held whole here.
struct Input
{
    const char *name;
    int pieces;
    std::function<QByteArray(int index)> piece;
};

QByteArray repeated(QByteArrayView unit, qint64 length)
{
    QByteArray bytes;
    bytes.reserve(length + unit.size());
    while (bytes.size() < length)
        bytes.append(unit);
    bytes.truncate(length);
    return bytes;
}

QByteArray frenchPiece(int index)
{
    return lexalon::bench::frenchLikeText(piece, quint64(index + 1));
}

constexpr qint64 fiveMillionForms = 5'000'000;

const std::array<Input, 4> inputs{{
    {"french_100MB", 100 * megabyte / piece, frenchPiece},
    {"5M_forms", 1, [](int) { return lexalon::bench::onceEachFormText(fiveMillionForms); }},
    {"single_word_200MB", 200 * megabyte / piece,
     [](int) { return repeated("anticonstitutionnellement", piece); }},
    {"single_line_200MB", 200 * megabyte / piece,
     [](int index) { return frenchPiece(index).replace('\r', ' ').replace('\n', ' '); }},
}};

QString writeInput(const QTemporaryDir &dir, const Input &input)
{
    const QString path = QDir(dir.path()).filePath(QString::fromLatin1(input.name) + u".txt"_s);
    if (QFile::exists(path))
        return path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", input.name);
    for (int i = 0; i < input.pieces; ++i) {
        const QByteArray bytes = input.piece(i);
        if (file.write(bytes) != bytes.size())
            qFatal("cannot write %s", input.name);
    }
    return path;
}

const QTemporaryDir &inputFolder()
{
    static const QTemporaryDir dir;
    return dir;
}

// range(0): the input; range(1): 0 for lexalon-liste, 1 for the program.
void BM_PeakMemory(benchmark::State &state)
{
    const Input &input = inputs[size_t(state.range(0))];
    const bool window = state.range(1) == 1;
    const std::string path = writeInput(inputFolder(), input).toStdString();
    const double fileSize = double(QFileInfo(QString::fromStdString(path)).size());
    const std::vector<std::string> command =
        window ? std::vector<std::string>{LEXALON_PROGRAM_BENCH_PATH, "--open-and-list", path}
               : std::vector<std::string>{LEXALON_LISTE_PATH, path};
    lexalon::bench::ChildRun run;
    for (auto _ : state) {
        run = lexalon::bench::runChild(command);
        if (!run.ok) {
            state.SkipWithError("the child failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    const double bound = boundFactor * fileSize + boundMargin;
    state.counters["file_MB"] = fileSize / double(megabyte);
    state.counters["peak_MB"] = run.peakBytes / double(megabyte);
    state.counters["peak_per_file_size"] = run.peakBytes / fileSize;
    state.counters["bound_MB"] = bound / double(megabyte);
    state.counters["within_bound"] = run.peakBytes <= bound;
    state.SetLabel(std::string(input.name) + (window ? " window" : " lexalon-liste"));
}
BENCHMARK(BM_PeakMemory)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
