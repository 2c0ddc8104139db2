#include "wordforms/analysis.h"
#include "wordforms/wordlist.h"
#include "wordforms/wordlistsum.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <limits>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

QStringList shown(const WordList &list)
{
    QStringList rows;
    for (qsizetype r = 0; r < list.size(); ++r)
        rows.append(list.form(r).toString() + u' ' + QString::number(list.count(r)));
    return rows;
}

} // namespace

TEST(WordListOrder, FrequencyDescendsWithTiesInAlphabeticalOrderAndComesBack)
{
    // b 9 times and a 12 times: counts compare as numbers, not as texts.
    const struct { QString text; QStringList byFrequency; } cases[] = {
        {u"b b b b b b b b b a a a a a a a a a a a a"_s, {u"a 12"_s, u"b 9"_s}},
        {u"zèbre élan fable école zèbre fable"_s, {u"fable 2"_s, u"zèbre 2"_s, u"école 1"_s, u"élan 1"_s}},
    };
    for (const auto &c : cases) {
        WordList list = analyseText(c.text);
        const QStringList alphabetical = shown(list);
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
