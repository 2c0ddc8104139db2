// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/figures.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <utility>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

// Expected texts write the narrow no-break space as "_".
void expectShown(std::initializer_list<std::pair<QString, QString>> cases)
{
    for (const auto &[shown, expected] : cases)
        EXPECT_EQ(shown, QString(expected).replace(u'_', QChar(thousandsSeparator)));
}

} // namespace

// A whole number in groups of three.
TEST(Figures, GroupedFigureInThrees)
{
    expectShown({
        {groupedFigure(0), u"0"_s},
        {groupedFigure(999), u"999"_s},
        {groupedFigure(1000), u"1_000"_s},
        {groupedFigure(-1234567), u"-1_234_567"_s},
        {groupedFigure(std::numeric_limits<qint64>::max()), u"9_223_372_036_854_775_807"_s},
    });
}

// The whole part of a decimal in groups of three; anything else as it is.
TEST(Figures, GroupedDigitsOfADecimalOnly)
{
    expectShown({
        {groupedDigits(u"12345"), u"12_345"_s},
        {groupedDigits(u"123456,7890"), u"123_456,7890"_s},
        {groupedDigits(u"-1000,5"), u"-1_000,5"_s},
        {groupedDigits(u"0,3256"), u"0,3256"_s},
        {groupedDigits(u"—"), u"—"_s},
        {groupedDigits(u"le"), u"le"_s},
        {groupedDigits(u"-"), u"-"_s},
        {groupedDigits(u",123"), u",123"_s},
        {groupedDigits(u"1234,5,6"), u"1234,5,6"_s},
        {groupedDigits(u"12a345"), u"12a345"_s},
    });
}

// A count and its noun, singular under two.
TEST(Figures, CountOfTakesSingularUnderTwo)
{
    expectShown({
        {countOf(0, u"attestation", u"attestations"), u"0 attestation"_s},
        {countOf(1, u"attestation", u"attestations"), u"1 attestation"_s},
        {countOf(2, u"attestation", u"attestations"), u"2 attestations"_s},
        {countOf(1200, u"forme lue", u"formes lues"), u"1_200 formes lues"_s},
    });
}

// A share in whole percent, never 0 or 100 unless exactly.
TEST(Figures, PercentageRoundedAndBounded)
{
    expectShown({
        {percentage(13, 100), u"13_%"_s},
        {percentage(1, 3), u"33_%"_s},
        {percentage(2, 3), u"67_%"_s},
        {percentage(1, 1000), u"<_1_%"_s},
        {percentage(999, 1000), u">_99_%"_s},
        {percentage(7, 7), u"100_%"_s},
        {percentage(0, 7), u"0_%"_s},
        {percentage(0, 0), u"0_%"_s},
    });
}

// A form too long to show is cut, the cut marked.
TEST(Figures, ShownFormCutAtItsLongest)
{
    expectShown({
        {shownForm(u"été"), u"été"_s},
        {shownForm(QString(4096, u'a')), QString(4096, u'a')},
        {shownForm(QString(4097, u'a')), QString(4096, u'a') + u"…"_s},
        {shownForm(QString(60, u'a'), longestNamedForm), QString(60, u'a')},
        {shownForm(QString(61, u'a'), longestNamedForm), QString(60, u'a') + u"…"_s},
    });
}
