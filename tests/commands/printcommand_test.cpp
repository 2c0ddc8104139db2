// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/printcommand.h"

#include "tests/support/commandlog.h"
#include "tests/support/qt_printers.h"
#include "tests/support/recordingprintingservice.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/wordlists.h"
#include "wordforms/analysis.h"
#include "wordforms/concordance.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

// The heading and the rule in 12-point bold on the first page, then the rows
// of a numbered list in 9 points, each count at 5000 twips.
RecordingPrintingService::Document expectedPages(const std::vector<std::pair<int, int>> &rowsOnPages)
{
    RecordingPrintingService::Document pages;
    for (const auto &[first, last] : rowsOnPages) {
        QStringList &lines = pages.emplace_back();
        if (pages.size() == 1)
            lines << u"0 Formes (verdana 12 bold) | 5000 Nombre d'attestations (verdana 12 bold)"_s
                  << u"0 %1 (verdana 12 bold)"_s.arg(QString(60, u'-'));
        for (int row = first; row <= last; ++row)
            lines << u"0 forme%1 (verdana 9) | 5000 %1 (verdana 9)"_s.arg(row);
    }
    return pages;
}

TEST(PrintCommandTest, PagesHoldTheirShareOfRows)
{
    // Ten 9-point rows fit on the short page, or the heading, the rule and seven rows.
    const struct { int rows; double pageHeight; /* points; 0: any number of lines */ std::vector<std::pair<int, int>> rowsOnPages; } cases[] = {{0, 0, {{1, 0}}}, {67, 0, {{1, 67}}}, {68, 0, {{1, 67}, {68, 68}}}, {136, 0, {{1, 67}, {68, 135}, {136, 136}}},
                 {30, 10.5 * 9 * RecordingPrintingService::lineHeightPerPoint, {{1, 7}, {8, 17}, {18, 27}, {28, 30}}}};
    for (const auto &paging : cases) {
        SCOPED_TRACE(paging.rows);
        RecordingPrintingService printer = paging.pageHeight > 0 ? RecordingPrintingService(paging.pageHeight) : RecordingPrintingService();
        ScriptedFileDialogs dialogs;
        testing::CommandLog log;
        // Twice: each run sets its fonts and counts its lines again.
        for (int run = 0; run < 2; ++run)
            printWordList(testing::numberedWordList(paging.rows), dialogs, printer, log, log);
        EXPECT_EQ(printer.documents(), std::vector(2, expectedPages(paging.rowsOnPages)));
    }
}

// The printer dialog accepted, cancelled, or the printer failing: what the
// user sees and what is printed.
struct PrintOutcome
{
    const char *name;
    bool cancelled;
    QString failure;
    std::vector<testing::Event> shown;
    size_t documents;
};

void PrintTo(const PrintOutcome &outcome, std::ostream *out) { *out << outcome.name; }

using PrintOutcomeTest = ::testing::TestWithParam<PrintOutcome>;

TEST_P(PrintOutcomeTest, IsShownOnceThePointerIsBack)
{
    const PrintOutcome &outcome = GetParam();
    ScriptedFileDialogs dialogs;
    RecordingPrintingService printer;
    testing::CommandLog log;
    log.kindOf = [&outcome](const MessageRequest &m) {
        const bool failure = testing::fields(m) == testing::fields({u"La liste n'a pas pu être imprimée.\r\n"_s + outcome.failure, MessageButtons::Ok,
                                                                    MessageAnswer::Ok, MessageIcon::Critical, u"Erreur d'impression"_s});
        return failure ? testing::Event::Failure : testing::Event::OtherMessage;
    };
    if (outcome.cancelled)
        dialogs.setNextPrinterCancelled();
    if (!outcome.failure.isEmpty())
        printer.failNextDocument(outcome.failure);
    EXPECT_EQ(printWordList(testing::numberedWordList(2), dialogs, printer, log, log), !outcome.cancelled);

    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls().at(0).kind, ScriptedFileDialogs::Kind::PrinterSetup);
    EXPECT_EQ(log.events, outcome.shown);
    EXPECT_EQ(printer.documents().size(), outcome.documents);
}

using enum testing::Event;
INSTANTIATE_TEST_SUITE_P(Outcomes, PrintOutcomeTest, ::testing::Values(
    PrintOutcome{"printed", false, QString(), {Hourglass, DefaultPointer}, 1},
    PrintOutcome{"cancelled", true, QString(), {}, 0},
    PrintOutcome{"printer_fails", false, u"Plus de papier."_s, {Hourglass, DefaultPointer, Failure}, 0}),
    [](const ::testing::TestParamInfo<PrintOutcome> &info) { return std::string(info.param.name); });

// The title, the heading and the rule in 12-point bold, then each row in the
// order shown: its number, the left context ending at 4000 twips, the form
// centred from 4100 in bold, the right context from 5400; a character is
// half its size wide (90 twips at 9 points), and a context too long for its
// column is cut on the side away from the form.
TEST(PrintCommandTest, ConcordanceLinesInTheOrderShown)
{
    const QString far = u"abcdefghij "_s.repeated(5);
    const QString text = u"Un chat, "_s + far + u"le chat "_s + far + u"chat"_s;
    const TextAnalysis analysis = analyseTextWithTokens(text);
    Concordance concordance(text, analysis.tokens, analysis.list.rank(analysis.list.rowOf(u"chat"_s)));
    concordance.sort(Concordance::Order::FirstRight);
    RecordingPrintingService printer;
    ScriptedFileDialogs dialogs;
    testing::CommandLog log;
    printConcordance(concordance, 20, u"chat"_s, dialogs, printer, log, log);
    const QString cut = u"abcdefghij "_s.repeated(3);
    const QStringList page{
        u"0 Concordance de « chat » (verdana 12 bold)"_s,
        u"0 N° (verdana 12 bold) | 2200 Contexte gauche (verdana 12 bold) | 4400 Forme (verdana 12 bold) | 5400 Contexte droit (verdana 12 bold)"_s,
        u"0 %1 (verdana 12 bold)"_s.arg(QString(60, u'-')),
        u"0 3 (verdana 9) | 850 … %1 (verdana 9) | 4520 chat (verdana 9 bold) | 5400  (verdana 9)"_s.arg(cut),
        u"0 1 (verdana 9) | 3730 Un  (verdana 9) | 4520 chat (verdana 9 bold) | 5400 , %1abcd… (verdana 9)"_s.arg(cut),
        u"0 2 (verdana 9) | 850 …cdefghij abcdefghij abcdefghij le  (verdana 9) | 4520 chat (verdana 9 bold) | 5400  %1abcde… (verdana 9)"_s.arg(cut)};
    EXPECT_EQ(printer.documents(), std::vector<RecordingPrintingService::Document>{{page}});
}


} // namespace
} // namespace lexalon
