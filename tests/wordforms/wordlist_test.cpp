// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/analysis.h"
#include "wordforms/wordlist.h"
#include "wordforms/wordlistsum.h"

#include <QString>

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

using Rows = std::vector<std::pair<QString, qint64>>;

// Each row's form and count, in the order shown.
Rows shown(const WordList &list)
{
    Rows rows;
    for (qsizetype r = 0; r < list.size(); ++r)
        rows.emplace_back(list.form(r).toString(), list.count(r));
    return rows;
}

} // namespace

TEST(WordListOrder, FrequencyDescendsWithTiesInAlphabeticalOrderAndComesBack)
{
    // b 9 times and a 12 times: counts compare as numbers, not as texts.
    const struct { QString text; Rows byFrequency; } cases[] = {
        {u"b b b b b b b b b a a a a a a a a a a a a"_s, {{u"a"_s, 12}, {u"b"_s, 9}}},
        {u"zèbre élan fable école zèbre fable"_s, {{u"fable"_s, 2}, {u"zèbre"_s, 2}, {u"école"_s, 1}, {u"élan"_s, 1}}},
    };
    for (const auto &c : cases) {
        WordList list = analyseText(c.text);
        const Rows alphabetical = shown(list);
        list.sort(WordList::Order::DecreasingFrequency);
        EXPECT_EQ(shown(list), c.byFrequency);
        EXPECT_EQ(list.order(), WordList::Order::DecreasingFrequency);
        list.sort(WordList::Order::Alphabetical);
        EXPECT_EQ(shown(list), alphabetical);
        EXPECT_EQ(list.order(), WordList::Order::Alphabetical);
    }
}

TEST(WordListSearch, FindsTheFirstFormThatBeginsWithThePrefixCaseIgnored)
{
    WordList list = analyseText(u"Le chat, le CHAT et l'ane."_s);
    EXPECT_EQ(list.firstRowStartingWith(u"le"), 4);
    EXPECT_EQ(list.firstRowStartingWith(u"L"), 3);
    EXPECT_EQ(list.firstRowStartingWith(u"CH"), 1);
    EXPECT_EQ(list.firstRowStartingWith(u"x"), -1);
    list.sort(WordList::Order::DecreasingFrequency);
    EXPECT_EQ(list.firstRowStartingWith(u"l"), 1) << "from the top of the order shown";
}

// A total a saved list cannot hold is refused, never wrapped.
TEST(WordListSum, TotalsPastTheLargestListedCountAreRefused)
{
    const struct { qint64 first, second; bool added; } cases[] = {
        {mostListedCount - 1, 1, true},
        {mostListedCount, 1, false},
        {mostListedCount, std::numeric_limits<qint64>::max(), false},
    };
    for (const auto &c : cases) {
        WordListSum sum;
        const qsizetype column = sum.addColumn(u"a"_s);
        ASSERT_TRUE(sum.add(u"le", c.first, column));
        EXPECT_EQ(sum.add(u"le", c.second, column), c.added) << c.first << " + " << c.second;
        EXPECT_EQ(sum.take(false).count(0), c.added ? c.first + c.second : c.first);
    }
}
