#include "output/printcommand.h"

#include "tests/support/recordingprintingservice.h"
#include "tests/support/scripteddialogs.h"
#include "tests/output/pointerawaremessagebox.h"
#include "tests/output/wordlists.h"
#include "tests/support/qt_printers.h"
#include "wordforms/wordgrid.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

using testing::numberedWordList;
using testing::PointerAwareMessageBox;
using testing::wordList;
using Document = RecordingPrintingService::Document;
using Line = RecordingPrintingService::Line;
using Page = RecordingPrintingService::Page;

const QString rule(60, u'-');

class PrintWordListTest : public ::testing::Test
{
protected:
    // Prints and returns the one document made.
    Document print(WordGrid &grid)
    {
        const size_t before = printer.documents().size();
        printWordList(grid, dialogs, printer, messages, pointer);
        if (printer.documents().size() != before + 1) {
            ADD_FAILURE() << "no document ended";
            return {};
        }
        return printer.documents().back();
    }

    ScriptedFileDialogs dialogs;
    RecordingPrintingService printer;
    RecordingBusyPointer pointer;
    PointerAwareMessageBox messages{pointer};
};

// The texts of a line, and where each starts.
struct Placed
{
    std::optional<int> x;
    QString text;
    bool operator==(const Placed &) const = default;
};

std::vector<Placed> placed(const Line &line)
{
    std::vector<Placed> texts;
    for (const RecordingPrintingService::Piece &piece : line)
        texts.push_back({piece.x, piece.text});
    return texts;
}

std::vector<Placed> row(const QString &form, const QString &count)
{
    return {{0, form}, {5000, count}};
}

bool isHeading(const Line &line)
{
    return placed(line) == row(u"Formes"_s, u"Nombre d'attestations"_s);
}

bool isRule(const Line &line)
{
    return placed(line) == std::vector<Placed>{{0, rule}};
}

// The numbers of the rows of a numbered list that a page holds, in order.
std::vector<int> formRowsOf(const Page &page)
{
    std::vector<int> rows;
    for (const Line &line : page) {
        if (line.size() == 2 && line[0].text.startsWith(u"forme"_s))
            rows.push_back(line[1].text.toInt());
    }
    return rows;
}

std::vector<int> range(int first, int last)
{
    std::vector<int> rows;
    for (int r = first; r <= last; ++r)
        rows.push_back(r);
    return rows;
}

struct PagingCase
{
    int formRows;
    std::vector<std::vector<int>> pages; // the rows each page holds
};

void PrintTo(const PagingCase &paging, std::ostream *out)
{
    *out << paging.formRows << " form rows";
}

class PagingTest : public PrintWordListTest, public ::testing::WithParamInterface<PagingCase>
{
};

TEST_P(PagingTest, PagesHoldTheirShareOfRows)
{
    WordGrid grid = numberedWordList(GetParam().formRows);
    const Document document = print(grid);

    const std::vector<std::vector<int>> &expected = GetParam().pages;
    ASSERT_EQ(document.size(), expected.size());
    for (size_t p = 0; p < document.size(); ++p) {
        const Page &page = document[p];
        EXPECT_EQ(formRowsOf(page), expected[p]) << "page " << p + 1;
        const size_t headingLines = p == 0 ? 2 : 0;
        EXPECT_EQ(page.size(), expected[p].size() + headingLines) << "page " << p + 1;
        for (size_t l = 0; l < page.size(); ++l) {
            EXPECT_EQ(isHeading(page[l]), p == 0 && l == 0) << "page " << p + 1 << " line " << l;
            EXPECT_EQ(isRule(page[l]), p == 0 && l == 1)
                << "page " << p + 1 << " line " << l;
        }
    }
    EXPECT_EQ(grid.Row(), GetParam().formRows) << "the last row";
    EXPECT_EQ(grid.Col(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, PagingTest,
    ::testing::Values(PagingCase{0, {{}}},
                      PagingCase{67, {range(1, 67)}},
                      PagingCase{68, {range(1, 67), {68}}},
                      PagingCase{136, {range(1, 67), range(68, 135), {136}}}),
    [](const ::testing::TestParamInfo<PagingCase> &info) {
        return std::to_string(info.param.formRows) + "_form_rows";
    });

TEST_F(PrintWordListTest, HeadingAndRuleInTwelvePointBoldRowsInNinePoint)
{
    WordGrid grid = wordList({{u"été"_s, u"2"_s}, {u"hiver"_s, u"1"_s}});
    print(grid);
    const Document document = print(grid); // each run sets its fonts again

    ASSERT_EQ(document.size(), 1u);
    const Page &page = document[0];
    ASSERT_EQ(page.size(), 4u);
    EXPECT_EQ(placed(page[0]), row(u"Formes"_s, u"Nombre d'attestations"_s));
    EXPECT_EQ(placed(page[1]), (std::vector<Placed>{{0, rule}}));
    EXPECT_EQ(placed(page[2]), row(u"été"_s, u"2"_s));
    EXPECT_EQ(placed(page[3]), row(u"hiver"_s, u"1"_s));
    for (size_t l = 0; l < page.size(); ++l) {
        const bool heading = l < 2;
        for (const RecordingPrintingService::Piece &piece : page[l]) {
            EXPECT_EQ(piece.fontName, u"verdana"_s);
            EXPECT_EQ(piece.fontSize, heading ? 12 : 9) << "line " << l;
            EXPECT_EQ(piece.bold, heading) << "line " << l;
        }
    }
}

TEST_F(PrintWordListTest, OffersThePrinterSetupFirstAndShowsNoMessage)
{
    WordGrid grid = numberedWordList(3);
    print(grid);

    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].kind, ScriptedFileDialogs::Kind::PrinterSetup);
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(pointer.history(), (std::vector{MousePointer::Hourglass, MousePointer::Default}));
}

TEST_F(PrintWordListTest, CancelledPrinterDialogPrintsNothing)
{
    WordGrid grid = numberedWordList(3);
    grid.setRow(1);
    dialogs.setNextPrinterCancelled();

    printWordList(grid, dialogs, printer, messages, pointer);

    EXPECT_TRUE(printer.documents().empty());
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_TRUE(pointer.history().empty());
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(PrintWordListTest, TrimsTrailingSpacesOnly)
{
    WordGrid grid = wordList({{u"  avant  "_s, u" 3 "_s}, {u"tab\t"_s, u"1"_s}},
                             {u"Formes  "_s, u"Nombre d'attestations   "_s});
    const Document document = print(grid);

    ASSERT_EQ(document.size(), 1u);
    ASSERT_EQ(document[0].size(), 4u);
    EXPECT_EQ(placed(document[0][0]), row(u"Formes"_s, u"Nombre d'attestations"_s));
    EXPECT_EQ(placed(document[0][2]), row(u"  avant"_s, u" 3"_s));
    EXPECT_EQ(placed(document[0][3]), row(u"tab\t"_s, u"1"_s));
}

// Ten 9-point rows fit on this page, or the heading, the rule and seven rows.
constexpr double shortPageHeight = 10.5 * 9 * RecordingPrintingService::lineHeightPerPoint;

TEST_F(PrintWordListTest, ShortPagesCarryTheOverflowOnNewPages)
{
    RecordingPrintingService shortPaper(shortPageHeight);
    WordGrid grid = numberedWordList(30);

    printWordList(grid, dialogs, shortPaper, messages, pointer);

    ASSERT_EQ(shortPaper.documents().size(), 1u);
    const Document &document = shortPaper.documents()[0];
    ASSERT_EQ(document.size(), 4u);
    EXPECT_EQ(formRowsOf(document[0]), range(1, 7));
    EXPECT_TRUE(isHeading(document[0][0]));
    EXPECT_EQ(formRowsOf(document[1]), range(8, 17));
    EXPECT_EQ(formRowsOf(document[2]), range(18, 27));
    EXPECT_EQ(formRowsOf(document[3]), range(28, 30));
    EXPECT_TRUE(messages.requests().empty());
}

TEST_F(PrintWordListTest, PrinterFailureIsReportedAfterThePointerReturns)
{
    printer.failNextDocument(u"Aucune imprimante n'est disponible."_s);
    WordGrid grid = numberedWordList(2);

    printWordList(grid, dialogs, printer, messages, pointer);

    EXPECT_TRUE(printer.documents().empty());
    ASSERT_EQ(messages.requests().size(), 1u);
    const MessageRequest &failure = messages.requests()[0];
    EXPECT_EQ(failure.prompt,
              u"La liste n'a pas pu être imprimée.\r\nAucune imprimante n'est disponible."_s);
    EXPECT_EQ(failure.buttons, MessageButtons::Ok);
    EXPECT_EQ(failure.icon, MessageIcon::Critical);
    EXPECT_EQ(pointer.history(), (std::vector{MousePointer::Hourglass, MousePointer::Default}));
    EXPECT_EQ(messages.pointerAtShow(), std::vector{MousePointer::Default});
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);

    EXPECT_EQ(print(grid).size(), 1u) << "the next run prints";
    EXPECT_EQ(messages.requests().size(), 1u) << "and shows nothing";
}

} // namespace
} // namespace lexalon
