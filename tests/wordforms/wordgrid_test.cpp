#include "wordforms/wordgrid.h"
#include "wordlist_helpers.h"

#include <QString>

#include <gtest/gtest.h>

using namespace lexalon;
using namespace Qt::StringLiterals;
using lexalon::testing::formRows;
using lexalon::testing::Rows;
using lexalon::testing::wordListOf;
using Mode = WordGrid::SortMode;

namespace {

std::vector<QString> column(const WordGrid &grid, int col)
{
    std::vector<QString> texts;
    for (int r = 0; r < grid.Rows(); ++r)
        texts.push_back(grid.cellText(r, col));
    return texts;
}

} // namespace

TEST(GridContract, WritingRowOrColCollapsesThatSideOfTheSelection)
{
    WordGrid grid(5, 3, 1, 1);
    grid.setRowSel(4);
    grid.setColSel(2);
    grid.setRow(2);
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_EQ(grid.ColSel(), 2);
    grid.setCol(1);
    EXPECT_EQ(grid.ColSel(), 1);
}

TEST(GridContract, TextReadsAndWritesTheCurrentCell)
{
    WordGrid grid(3, 2, 1, 1);
    grid.setRow(2);
    grid.setCol(0);
    grid.setText(u"mot"_s);
    EXPECT_EQ(grid.cellText(2, 0), u"mot"_s);
    grid.setCol(1);
    EXPECT_EQ(grid.Text(), QString());
}

TEST(GridContract, RowsAppendsEmptyRowsAndDropsFromTheEnd)
{
    WordGrid grid(2, 2, 1, 1);
    grid.setCellText(1, 0, u"un"_s);
    grid.setRows(4);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.cellText(1, 0), u"un"_s);
    EXPECT_EQ(grid.cellText(3, 0), QString());
    grid.setRow(3);
    grid.setRows(2);
    EXPECT_EQ(grid.Row(), 1); // the current cell follows the rows that remain
    EXPECT_EQ(grid.cellText(1, 0), u"un"_s);
}

TEST(GridContract, ClearEmptiesCellsAndKeepsTheShape)
{
    WordGrid grid(3, 2, 1, 1);
    grid.setRow(0);
    grid.setText(u"x"_s);
    grid.setCellFontBold(true);
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.cellText(0, 1), QString());
    EXPECT_FALSE(grid.cellFontBold(0, 1));
}

TEST(GridContract, OutOfRangeAddressesAreIgnored)
{
    WordGrid grid(2, 2, 1, 1);
    grid.setRow(5);
    grid.setCol(-1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    grid.setCellText(9, 9, u"x"_s);
    EXPECT_EQ(grid.cellText(9, 9), QString());
}

TEST(GridSort, CollapsedSelectionSortsAllNonFixedRowsAndLeavesTheHeading)
{
    WordGrid grid = wordListOf({{"c", "1"}, {"a", "2"}, {"b", "3"}});
    grid.setCellText(0, 0, u"Formes"_s);
    grid.setRow(2);
    grid.setCol(0);
    grid.setSort(Mode::GenericAscending);
    EXPECT_EQ(column(grid, 0), (std::vector<QString>{u"Formes"_s, u"a"_s, u"b"_s, u"c"_s}));
    EXPECT_EQ(grid.Row(), 2); // the sort does not move the current cell
}

// Whole rows move; counts compare as numbers, exactly beyond 32 bits; equal
// keys keep their order.
TEST(GridSort, SortsWholeRowsOnTheKeyColumn)
{
    const struct
    {
        Rows rows;
        Mode mode;
        Rows sorted;
    } cases[] = {
        {{{"b", "10"}, {"a", "9"}, {"c", "12"}}, Mode::GenericDescending, {{"c", "12"}, {"b", "10"}, {"a", "9"}}},
        {{{"x", "12"}, {"y", "9"}, {"z", "100"}}, Mode::GenericAscending, {{"y", "9"}, {"x", "12"}, {"z", "100"}}},
        {{{"a", "9007199254740993"}, {"b", "9007199254740992"}}, Mode::GenericAscending,
         {{"b", "9007199254740992"}, {"a", "9007199254740993"}}},
        {{{"b", "1"}, {"a", "2"}, {"c", "1"}, {"d", "2"}}, Mode::GenericDescending,
         {{"a", "2"}, {"d", "2"}, {"b", "1"}, {"c", "1"}}},
        {{{"seul", "1"}}, Mode::GenericDescending, {{"seul", "1"}}},
        {{}, Mode::GenericAscending, {}},
    };
    for (const auto &c : cases) {
        WordGrid grid = wordListOf(c.rows);
        grid.setCol(1);
        grid.setSort(c.mode);
        EXPECT_EQ(formRows(grid), c.sorted);
    }
}

TEST(GridSort, TextOrderIsTotal)
{
    // The collator may call these equal; the order must still be repeatable.
    WordGrid one = wordListOf({{"cote", "1"}, {"Cote", "1"}, {"coté", "1"}, {"côte", "1"}});
    WordGrid two = wordListOf({{"côte", "1"}, {"coté", "1"}, {"Cote", "1"}, {"cote", "1"}});
    for (WordGrid *grid : {&one, &two}) {
        grid->setCol(0);
        grid->setSort(Mode::GenericAscending);
    }
    EXPECT_EQ(formRows(one), formRows(two));
}

TEST(GridSort, MixedNumbersAndTextsStillSortConsistently)
{
    // Numbers rank before texts, so no key compares in a circle.
    WordGrid grid = wordListOf({{"5x", "1"}, {"10", "1"}, {"9", "1"}, {"abc", "1"}});
    grid.setCol(0);
    grid.setSort(Mode::GenericAscending);
    EXPECT_EQ(column(grid, 0), (std::vector<QString>{QString(), u"9"_s, u"10"_s, u"5x"_s, u"abc"_s}));
}
