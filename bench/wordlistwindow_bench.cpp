#include "platform/scripteddialogs.h"
#include "platform/widgetbusypointer.h"
#include "platform/windowservices.h"
#include "wordforms/frmliste01.h"
#include "wordforms/wordgridmodel.h"

#include <QApplication>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

using namespace lexalon;

namespace {

constexpr qsizetype hundredMegabytes = qsizetype(100) << 20;
constexpr int millionForms = 1'000'000;

QApplication &application()
{
    static int argc = 1;
    static char name[] = "bench_wordlist_window";
    static char *argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    Q_UNUSED(offscreen);
    static QApplication app(argc, argv);
    return app;
}

// A made-up French-looking vocabulary: distinct forms of three to twelve letters.
std::vector<QString> vocabulary(int size, std::mt19937 &random)
{
    static const char16_t letters[] = u"abcdefghijklmnopqrstuvwxyzéèàêç";
    std::uniform_int_distribution<int> length(3, 12);
    std::uniform_int_distribution<int> letter(0, int(std::size(letters)) - 2);
    std::vector<QString> forms;
    forms.reserve(size_t(size));
    for (int i = 0; i < size; ++i) {
        QString form;
        for (int n = length(random); n > 0; --n)
            form += QChar(letters[letter(random)]);
        forms.push_back(form);
    }
    return forms;
}

// About size characters: every form of the vocabulary once, then forms drawn
// with the skewed frequencies of a real text, with punctuation and line ends.
QString textOf(qsizetype size, int forms)
{
    std::mt19937 random(20261206);
    const std::vector<QString> words = vocabulary(forms, random);
    QString text;
    text.reserve(size + 64);
    for (const QString &word : words) {
        text += word;
        text += u' ';
    }
    std::geometric_distribution<int> rank(0.0005);
    std::uniform_int_distribution<int> separator(0, 15);
    while (text.size() < size) {
        text += words[size_t(rank(random)) % words.size()];
        switch (separator(random)) {
        case 0:
            text += u", ";
            break;
        case 1:
            text += u".\r\n";
            break;
        case 2:
            text += u" l'";
            break;
        default:
            text += u' ';
        }
    }
    return text;
}

struct Services
{
    ScriptedMessageBox messages;
    ScriptedFileDialogs dialogs;
    WindowServices services{messages, dialogs, widgetBusyPointer, [](QWidget &) {}};
};

// "&Liste du lexalon" on a 100 MB text: the window built, analysed, shown and drawn.
void BM_OpenWordList(benchmark::State &state)
{
    application();
    const QString text = textOf(hundredMegabytes, millionForms);
    Services services;
    for (auto _ : state) {
        frmListe01 window(text, services.services);
        window.Form_Load();
        window.show();
        QApplication::processEvents();
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
    state.counters["text_MB"] = double(text.size()) / double(1 << 20);
}
BENCHMARK(BM_OpenWordList)->Unit(benchmark::kMillisecond)->Iterations(3);

// A press on Command1 with a million forms in the list, redrawn.
void BM_ToggleMillionForms(benchmark::State &state)
{
    application();
    Services services;
    frmListe01 window(textOf(0, millionForms), services.services);
    window.Form_Load();
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.Command1_Click();
        QApplication::processEvents();
    }
    state.counters["forms"] = double(window.model()->rowCount());
}
BENCHMARK(BM_ToggleMillionForms)->Unit(benchmark::kMillisecond)->Iterations(6);

} // namespace
