#include "wordforms/figures.h"

#include <gtest/gtest.h>

#include <limits>

using namespace lexalon;
using namespace Qt::StringLiterals;

// Expected texts write the narrow no-break space as "_".
TEST(Figures, FrenchGroupsPluralsAndShares)
{
    const struct { QString shown; QString expected; } cases[] = {
        {groupedFigure(0), u"0"_s},
        {groupedFigure(999), u"999"_s},
        {groupedFigure(1000), u"1_000"_s},
        {groupedFigure(-1234567), u"-1_234_567"_s},
        {groupedFigure(std::numeric_limits<qint64>::max()), u"9_223_372_036_854_775_807"_s},
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
        {countOf(0, u"attestation", u"attestations"), u"0 attestation"_s},
        {countOf(1, u"attestation", u"attestations"), u"1 attestation"_s},
        {countOf(2, u"attestation", u"attestations"), u"2 attestations"_s},
        {countOf(1200, u"forme lue", u"formes lues"), u"1_200 formes lues"_s},
        {percentage(13, 100), u"13_%"_s},
        {percentage(1, 3), u"33_%"_s},
        {percentage(2, 3), u"67_%"_s},
        {percentage(1, 1000), u"<_1_%"_s},
        {percentage(999, 1000), u">_99_%"_s},
        {percentage(7, 7), u"100_%"_s},
        {percentage(0, 7), u"0_%"_s},
        {percentage(0, 0), u"0_%"_s},
        {shownForm(u"été"), u"été"_s},
        {shownForm(QString(4096, u'a')), QString(4096, u'a')},
        {shownForm(QString(4097, u'a')), QString(4096, u'a') + u"…"_s},
        {shownForm(QString(60, u'a'), longestNamedForm), QString(60, u'a')},
        {shownForm(QString(61, u'a'), longestNamedForm), QString(60, u'a') + u"…"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.shown, QString(c.expected).replace(u'_', QChar(thousandsSeparator)));
}
