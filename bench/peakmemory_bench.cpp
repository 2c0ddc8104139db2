// SPDX-License-Identifier: GPL-3.0-or-later
// The peak resident memory of lexalon-liste (its list and its statistics)
// and of the program (text opened, word list and the concordance of its most
// frequent form shown) on four texts that strain it differently, and of
// lexalon-liste on corpora of many files and on saved lists to merge, against
// the bound of five times the input's size plus 100 MB, as /usr/bin/time
// reports it. The child is started by time, not by this process: a process started
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
#include <cstdlib>
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

void writeFile(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), bytes.size()) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

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

// What is measured of a text: lexalon-liste's list or its statistics, or the
// program's window.
enum class Run { List, Statistics, Window };

void reportPeak(benchmark::State &state, const lexalon::bench::ChildRun &run, double inputSize, const std::string &label)
{
    const double bound = boundFactor * inputSize + boundMargin;
    state.counters["input_MB"] = inputSize / double(megabyte);
    state.counters["peak_MB"] = run.peakBytes / double(megabyte);
    state.counters["peak_per_input_size"] = run.peakBytes / inputSize;
    state.counters["bound_MB"] = bound / double(megabyte);
    state.counters["within_bound"] = run.peakBytes <= bound;
    state.SetLabel(label);
}

bool measure(benchmark::State &state, const std::vector<std::string> &command, lexalon::bench::ChildRun &run)
{
    for (auto _ : state) {
        run = lexalon::bench::runChild(command);
        if (!run.ok) {
            state.SkipWithError("the child failed");
            return false;
        }
        state.SetIterationTime(run.seconds);
    }
    return true;
}

// range(0): the input; range(1): the Run.
void BM_PeakMemory(benchmark::State &state)
{
    const Input &input = inputs[size_t(state.range(0))];
    const auto kind = Run(state.range(1));
    const std::string path = writeInput(inputFolder(), input).toStdString();
    const std::vector<std::string> command =
        kind == Run::Window       ? std::vector<std::string>{LEXALON_PROGRAM_BENCH_PATH, "--open-and-list", path}
        : kind == Run::Statistics ? std::vector<std::string>{LEXALON_LISTE_PATH, "--statistiques", path}
                                  : std::vector<std::string>{LEXALON_LISTE_PATH, path};
    lexalon::bench::ChildRun run;
    if (!measure(state, command, run))
        return;
    const char *what = kind == Run::Window ? " window" : kind == Run::Statistics ? " lexalon-liste --statistiques" : " lexalon-liste";
    reportPeak(state, run, double(QFileInfo(QString::fromStdString(path)).size()), std::string(input.name) + what);
}
BENCHMARK(BM_PeakMemory)
    ->ArgsProduct({{0, 1, 2, 3}, {int(Run::List), int(Run::Window)}})
    ->Args({1, int(Run::Statistics)})
    ->Args({2, int(Run::Statistics)})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Files of about a megabyte that share no form: each different form of
// the corpus once, cut at line ends.
QStringList writeDisjointTexts(const QDir &folder, int files)
{
    constexpr double bytesPerForm = 9;
    const QByteArray all = lexalon::bench::onceEachFormText(qint64(double(files * megabyte) / bytesPerForm));
    QStringList paths;
    qsizetype start = 0;
    for (int file = 0; file < files; ++file) {
        const qsizetype end = file + 1 == files ? all.size() : all.indexOf('\n', all.size() / files * (file + 1)) + 1;
        paths.append(folder.filePath(u"texte%1.txt"_s.arg(file)));
        writeFile(paths.back(), all.sliced(start, end - start));
        start = end;
    }
    return paths;
}

// A text of 8.5 MB, the real French text's start when there is one, cut
// into a thousand files at spaces.
QStringList writeFrenchTexts(const QDir &folder)
{
    constexpr qint64 size = 17 * megabyte / 2;
    constexpr int files = 1000;
    QByteArray text;
    QFile real(lexalon::bench::realFrenchTextPath());
    if (!real.fileName().isEmpty() && real.open(QIODevice::ReadOnly))
        text = real.read(size);
    if (text.size() < size)
        text = lexalon::bench::frenchLikeText(size);
    QStringList paths;
    qsizetype start = 0;
    for (int file = 0; file < files; ++file) {
        const qsizetype cut = file + 1 == files ? -1 : text.indexOf(' ', text.size() / files * (file + 1));
        const qsizetype end = cut < 0 ? text.size() : cut + 1;
        paths.append(folder.filePath(u"partie%1.txt"_s.arg(file)));
        writeFile(paths.back(), text.sliced(start, end - start));
        start = end;
    }
    return paths;
}

// A saved list of about 350 MB: 5 million forms, each in one of 30 texts.
QStringList writeColumnsList(const QDir &folder)
{
    const QString path = folder.filePath(u"colonnes.lst"_s);
    writeFile(path, lexalon::bench::savedListWithColumns(fiveMillionForms, 30));
    return {path};
}

// A saved list of one form of 200 MB, or of 1 GB with LEXALON_BENCH_1GB=1.
QStringList writeLongFormList(const QDir &folder)
{
    const qint64 length = qEnvironmentVariableIntValue("LEXALON_BENCH_1GB") == 1 ? 1024 * megabyte : 200 * megabyte;
    const QString path = folder.filePath(u"longue.lst"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("Formes\tNombre d'attestations\r\n") < 0)
        qFatal("cannot write %s", qPrintable(path));
    for (qint64 written = 0; written < length; written += piece) {
        const QByteArray bytes = repeated("anticonstitutionnellement", std::min(piece, length - written));
        if (file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }
    if (file.write("\t1\r\n") < 0)
        qFatal("cannot write %s", qPrintable(path));
    return {path};
}

struct CorpusRun
{
    const char *name;
    std::vector<std::string> options;
    std::function<QStringList(const QDir &)> write;
};

const std::array<CorpusRun, 6> corpusRuns{{
    {"10 texts of 1 MB sharing no form", {"--par-fichier"}, [](const QDir &dir) { return writeDisjointTexts(dir, 10); }},
    {"30 texts of 1 MB sharing no form", {"--par-fichier"}, [](const QDir &dir) { return writeDisjointTexts(dir, 30); }},
    {"8.5 MB of French in 1,000 texts", {"--par-fichier"}, writeFrenchTexts},
    {"100 texts of 1 MB sharing no form", {}, [](const QDir &dir) { return writeDisjointTexts(dir, 100); }},
    {"a list of 30 columns", {"--fusionner"}, writeColumnsList},
    {"a list of one long form", {"--fusionner"}, writeLongFormList},
}};

// range(0): the corpus run. Each corpus is written in a folder of its own,
// and removed once measured.
void BM_CorpusPeakMemory(benchmark::State &state)
{
    const CorpusRun &corpus = corpusRuns[size_t(state.range(0))];
    const QTemporaryDir dir;
    const QStringList paths = corpus.write(QDir(dir.path()));
    std::vector<std::string> command{LEXALON_LISTE_PATH};
    command.insert(command.end(), corpus.options.begin(), corpus.options.end());
    double inputSize = 0;
    for (const QString &path : paths) {
        command.push_back(path.toStdString());
        inputSize += double(QFileInfo(path).size());
    }
    lexalon::bench::ChildRun run;
    if (!measure(state, command, run))
        return;
    std::string options;
    for (const std::string &option : corpus.options)
        options += " " + option;
    reportPeak(state, run, inputSize, std::string(corpus.name) + ", lexalon-liste" + options);
}
BENCHMARK(BM_CorpusPeakMemory)
    ->DenseRange(0, int(corpusRuns.size()) - 1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
