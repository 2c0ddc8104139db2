#include "tests/support/scripteddialogs.h"
#include "wordforms/analysis.h"
#include "wordforms/orderings.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordgrid.h"
#include "wordlist_helpers.h"

#include <QString>

#include <gtest/gtest.h>

using namespace lexalon;
using namespace Qt::StringLiterals;
using lexalon::testing::formRows;
using lexalon::testing::Rows;

namespace {

class Orderings : public ::testing::Test
{
protected:
    void analyse(const QString &text)
    {
        tokens = TokenList();
        analyseText(text, tokens, grid);
    }

    TokenList tokens;
    WordGrid grid{3, 2, 1, 1};
    RecordingBusyPointer pointer;
    OrderToggle toggle;
};

const Rows alphabetical{{"ane", "1"}, {"chat", "2"}, {"et", "1"}, {"l", "1"}, {"le", "2"}};
const Rows byFrequency{{"chat", "2"}, {"le", "2"}, {"ane", "1"}, {"et", "1"}, {"l", "1"}};

} // namespace

TEST_F(Orderings, ToggleSwitchesOrderAndCaptionBothWays)
{
    analyse(u"Le chat, le CHAT et l'ane."_s);
    EXPECT_EQ(toggle.caption(), u"Tri par fréquences décroissantes"_s);

    toggle.toggle(grid, pointer);
    EXPECT_EQ(toggle.caption(), u"Tri alphabétique"_s);
    EXPECT_EQ(formRows(grid), byFrequency);

    toggle.toggle(grid, pointer);
    EXPECT_EQ(toggle.caption(), u"Tri par fréquences décroissantes"_s);
    EXPECT_EQ(formRows(grid), alphabetical);
    EXPECT_EQ(grid.cellText(0, 0), u"Formes"_s);
}

TEST_F(Orderings, FrequencyOrderComparesCountsAsNumbers)
{
    analyse(u"b b b b b b b b b a a a a a a a a a a a a"_s); // b 9 times, a 12 times
    trierFrequences(grid, pointer);
    EXPECT_EQ(formRows(grid), (Rows{{"a", "12"}, {"b", "9"}}));
}

TEST_F(Orderings, EqualCountsKeepTheAlphabeticalOrder)
{
    analyse(u"zèbre élan fable école zèbre fable"_s);
    trierFrequences(grid, pointer);
    EXPECT_EQ(formRows(grid), (Rows{{"fable", "2"}, {"zèbre", "2"}, {"école", "1"}, {"élan", "1"}}));
}

TEST_F(Orderings, SortsLeaveTheCurrentCellAndShowTheHourglassMeanwhile)
{
    analyse(u"un deux trois"_s);
    trierFrequences(grid, pointer);
    trierAlphabetique(grid, pointer);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(pointer.history(), (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Default,
                                                            MousePointer::Hourglass, MousePointer::Default}));
}

TEST_F(Orderings, ASelectedBlockOfRowsStillReordersTheWholeList)
{
    analyse(u"Le chat, le CHAT et l'ane."_s);
    grid.setRow(2);
    grid.setRowSel(3);
    toggle.toggle(grid, pointer);
    EXPECT_EQ(formRows(grid), byFrequency);
    EXPECT_EQ(grid.Row(), 2);
}
