// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/lexicalstatistics.h"

#include "platform/interaction/taskprogress.h"
#include "wordforms/analysis.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

LexicalStatistics statisticsOf(const QString &text)
{
    const TextAnalysis analysis = analyseTextWithTokens(text);
    return LexicalStatistics(analysis.list, analysis.tokens);
}

QStringList valuesOf(const QString &text)
{
    QStringList values;
    for (const Measure &measure : statisticsOf(text).measures())
        values.append(measure.value);
    return values;
}

// The n-th of many different forms: n in base 26, its digits as letters.
QString nthForm(int n)
{
    QString form;
    do {
        form.prepend(QChar(u'a' + n % 26));
        n /= 26;
    } while (n > 0);
    return form;
}

} // namespace

// Values in the order shown: total, different, ratio, standardised ratio,
// hapax, their share, forms seen twice, highest count, its form, mean count,
// mean length of the tokens, of the different forms, Guiraud's index.
TEST(LexicalStatistics, MeasuresAsWorkedOutByHand)
{
    const QStringList none{u"0"_s, u"0"_s, u"—"_s, u"—"_s, u"0"_s, u"—"_s, u"0"_s, u"0"_s, u"—"_s, u"—"_s, u"—"_s, u"—"_s, u"—"_s};
    const struct { const char *name; QString text; QStringList values; } cases[] = {
        {"empty", u""_s, none},
        {"no letters", u"12, 34 !"_s, none},
        {"one form", u"le Le LE le"_s, {u"4"_s, u"1"_s, u"0,2500"_s, u"—"_s, u"0"_s, u"0,0000"_s, u"0"_s, u"4"_s, u"le"_s, u"4,00"_s, u"2,00"_s, u"2,00"_s, u"0,5000"_s}},
        // chat 3, été 2, le 2 (été first at equal counts), un 1: 8 tokens, 4 forms.
        {"accents and ties", u"le chat, un chat, le été... Été chat"_s,
         {u"8"_s, u"4"_s, u"0,5000"_s, u"—"_s, u"1"_s, u"0,2500"_s, u"2"_s, u"3"_s, u"chat"_s, u"2,00"_s, u"3,00"_s, u"2,75"_s, u"1,4142"_s}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(valuesOf(c.text), c.values) << c.name;
}

// A progress followed changes nothing; asked to stop, it stops the count.
TEST(LexicalStatistics, FollowedProgressCountsTheFormsAndTheTokens)
{
    const TextAnalysis analysis = analyseTextWithTokens(u"le chat, un chat"_s);
    TaskProgress progress;
    EXPECT_EQ(LexicalStatistics(analysis.list, analysis.tokens, &progress).measures().at(1).value, u"3"_s);
    EXPECT_EQ(progress.total(), 3 + 4);
}

TEST(LexicalStatistics, StopsWhenAsked)
{
    const TextAnalysis analysis = analyseTextWithTokens(u"le chat, un chat"_s);
    TaskProgress progress;
    progress.cancel();
    EXPECT_THROW(LexicalStatistics(analysis.list, analysis.tokens, &progress), TaskCancelled);
}

// The mean over whole slices of 1,000 tokens; a slice begun counts for none.
TEST(LexicalStatistics, StandardisedRatioOverWholeSlices)
{
    const QString twoForms = u"a b "_s.repeated(500); // 1,000 tokens, two forms
    QString thousandForms;
    for (int n = 0; n < 1000; ++n)
        thousandForms += nthForm(n) + u' ';
    const struct { QString text; std::optional<double> ratio; } cases[] = {
        {twoForms.left(twoForms.size() - 2), std::nullopt}, // 999 tokens
        {twoForms, 0.002},
        {twoForms + u"c"_s, 0.002},
        {twoForms + thousandForms, (0.002 + 1.0) / 2},
    };
    for (const auto &c : cases) {
        const std::optional<double> ratio = statisticsOf(c.text).standardisedRatio();
        ASSERT_EQ(ratio.has_value(), c.ratio.has_value()) << c.text.size();
        if (ratio) {
            EXPECT_DOUBLE_EQ(*ratio, *c.ratio);
        }
    }
}

// Counts 6/rank: the slope is exactly -1; one form draws no slope.
TEST(LexicalStatistics, ZipfSlopeOfTheRankCurve)
{
    EXPECT_NEAR(*statisticsOf(u"a a a a a a b b b c c"_s).zipfSlope(), -1.0, 1e-12);
    EXPECT_NEAR(*statisticsOf(u"a a b"_s).zipfSlope(), -1.0, 1e-12);
    EXPECT_FALSE(statisticsOf(u"seul"_s).zipfSlope().has_value());
}

TEST(LexicalStatistics, RankCurveGivesEachFormItsRankAndCount)
{
    const LexicalStatistics zipf = statisticsOf(u"a a a a a a b b b c c"_s);
    std::vector<std::tuple<qint64, qint64, QString>> ranks;
    for (const auto &point : zipf.rankCurve())
        ranks.emplace_back(point.rank, point.count, point.form);
    EXPECT_EQ(ranks, (std::vector<std::tuple<qint64, qint64, QString>>{{1, 6, u"a"_s}, {2, 3, u"b"_s}, {3, 2, u"c"_s}}));
}

TEST(LexicalStatistics, GrowthCurveCountsTheFormsSeenAtEachToken)
{
    const LexicalStatistics short_ = statisticsOf(u"a b a c"_s);
    std::vector<std::pair<qint64, qint64>> growth;
    for (const auto &point : short_.growthCurve())
        growth.emplace_back(point.tokens, point.types);
    EXPECT_EQ(growth, (std::vector<std::pair<qint64, qint64>>{{1, 1}, {2, 2}, {3, 2}, {4, 3}}));
}

// 5,000 forms, 6,001 tokens: at most 2,000 points each, ending at the last
// rank and the last token, every rank up to 1,000 drawn.
TEST(LexicalStatistics, CurvesOfALargeTextAreThinned)
{
    QString many;
    for (int n = 0; n < 5000; ++n)
        many += nthForm(n) + u' ';
    const LexicalStatistics large = statisticsOf(many + u"a "_s.repeated(1001));
    const auto &rankCurve = large.rankCurve();
    ASSERT_LE(rankCurve.size(), size_t(LexicalStatistics::curvePoints));
    EXPECT_EQ(rankCurve[999].rank, 1000);
    EXPECT_EQ(rankCurve.back().rank, 5000);
    EXPECT_EQ(rankCurve.front().form, u"a"_s);
    EXPECT_TRUE(std::is_sorted(rankCurve.begin(), rankCurve.end(), [](const auto &a, const auto &b) { return a.rank <= b.rank; }));
    const auto &growthCurve = large.growthCurve();
    EXPECT_EQ(growthCurve.size(), size_t(1501)); // every fourth token, then the last
    EXPECT_EQ(growthCurve.front().tokens, 4);
    EXPECT_EQ(growthCurve.back().tokens, 6001);
    EXPECT_EQ(growthCurve.back().types, 5000);
}

// Forms attested 1 to 12 times: one in each bin, three beyond ten.
TEST(LexicalStatistics, SpectrumCountsTheFormsOfEachFrequency)
{
    QString spectrum;
    for (int n = 1; n <= 12; ++n)
        spectrum += (nthForm(n) + u' ').repeated(n);
    const std::array<qint64, 11> bins{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2};
    EXPECT_EQ(statisticsOf(spectrum).spectrum(), bins);
}

// The rank curve's axes: the values' span, or the decade that holds a single value.
TEST(LexicalStatistics, LogarithmicAxisHasARange)
{
    const struct { qint64 lowest, highest; std::pair<double, double> axis; } cases[] = {
        {1, 169, {1, 169}}, {3, 3, {1, 10}}, {1, 1, {1, 10}}, {9, 9, {1, 10}}, {10, 10, {10, 100}},
        {250, 250, {100, 1000}}, {0, 0, {1, 10}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(logarithmicAxis(c.lowest, c.highest), c.axis) << c.lowest << ' ' << c.highest;
}
