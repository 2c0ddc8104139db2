// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/lafonscore.h"

#include "platform/interaction/taskprogress.h"
#include "wordforms/analysis.h"
#include "wordforms/lafonscores.h"
#include "wordforms/wordlist.h"
#include "wordforms/wordlistsum.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <numeric>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

unsigned long long binomial(int n, int k)
{
    unsigned long long value = 1;
    for (int i = 1; i <= k; ++i)
        value = value * unsigned(n - k + i) / unsigned(i);
    return value;
}

// The definition summed term by term in exact integers.
double summedLafonScore(int f, int F, int t, int T)
{
    const bool upper = f * T >= F * t;
    unsigned long long tail = 0;
    for (int k = std::max(0, t - (T - F)); k <= std::min(F, t); ++k) {
        if (upper ? k >= f : k <= f)
            tail += binomial(F, k) * binomial(T - F, t - k);
    }
    const long double logTail = std::log10((long double)tail) - std::log10((long double)binomial(T, t));
    return double(upper ? -logTail : logTail);
}

} // namespace

// Lafon's worked example, a corpus of 61,449 forms, to its four decimals.
TEST(LafonScore, LafonsPublishedValues)
{
    const struct { qint64 f, F, t; double published; } rows[] = {
        {14, 296, 6903, -4.1743}, {165, 3173, 2558, 2.6891}, {35, 153, 10142, 1.5961}, {13096, 57455, 13933, 2.4355}};
    for (const auto &row : rows)
        EXPECT_NEAR(lafonScore(row.f, row.F, row.t, 61449), row.published, 0.00005) << row.f;
}

TEST(LafonScore, EqualsTheSumOfTheTerms)
{
    const struct { const char *name; int f, F, t, T; } rows[] = {
        {"over-used", 5, 8, 10, 40},
        {"under-used", 1, 12, 20, 50},
        {"absent", 0, 8, 20, 40},
        {"at the mean: over", 2, 8, 10, 40},
        {"just under the mean", 1, 8, 10, 40},
        {"every attestation in the part", 7, 7, 20, 50},
        {"the fewest the part can hold", 10, 30, 20, 40},
        {"part equal to the corpus", 9, 9, 40, 40},
        {"form absent from the corpus", 0, 0, 10, 40},
        {"the only form", 10, 40, 10, 40},
        {"f = F = t", 6, 6, 6, 60},
    };
    for (const auto &row : rows)
        EXPECT_NEAR(lafonScore(row.f, row.F, row.t, row.T), summedLafonScore(row.f, row.F, row.t, row.T), 1e-9)
            << row.name;
}

// Ten million attestations in one half of a corpus of twenty million: a
// probability of 10^-6,020,600, and every step of f moves the score on.
TEST(LafonScore, FiniteAndMonotoneAtAnySize)
{
    constexpr qint64 n = 10'000'000, T = 2 * n;
    const qint64 counts[] = {0, 1, 1000, n / 2 - 5000, n / 2 - 1, n / 2, n / 2 + 1, n / 2 + 5000, n - 1000, n - 1, n};
    double previous = -INFINITY;
    for (const qint64 f : counts) {
        const double score = lafonScore(f, n, n, T);
        EXPECT_TRUE(std::isfinite(score) && score > previous) << f;
        previous = score;
    }
    // -log10 (1 / C(2n, n)), from C(2n, n) = 4^n / sqrt(pi n) (1 - 1 / 8n + ...).
    EXPECT_NEAR(lafonScore(n, n, n, T), 2 * n * std::log10(2.0) - 0.5 * std::log10(std::numbers::pi * n), 1e-4);
}

// Each text's counts as its own list has them; the scores those of the measure.
TEST(LafonScores, EveryCellOfACorpusOfThreeTexts)
{
    const QString texts[] = {u"le chat le chien le chat le"_s, u"un chien et un chat"_s, u"le loup un loup"_s};
    WordListSum sum;
    for (const QString &text : texts)
        sum.add(analyseText(text), text);
    const WordList list = sum.take(true);
    TaskProgress progress;
    const LafonScores lafonScores(list, &progress);
    EXPECT_EQ(progress.total(), list.size());
    ASSERT_EQ(lafonScores.rows(), list.size());
    ASSERT_EQ(lafonScores.parts(), 3);
    EXPECT_EQ(lafonScores.corpusSize(), 16);
    std::vector<std::uint32_t> rows(size_t(list.size()));
    std::iota(rows.begin(), rows.end(), 0);
    for (qsizetype part = 0; part < 3; ++part) {
        const WordList text = analyseText(texts[part]);
        EXPECT_EQ(lafonScores.partSize(part), text.totalCount());
        for (qsizetype row = 0; row < list.size(); ++row) {
            const qsizetype textRow = text.rowOf(list.form(row));
            const qint64 f = textRow < 0 ? 0 : text.count(textRow);
            EXPECT_EQ(lafonScores.count(row, part), f);
            EXPECT_EQ(lafonScores.corpusCount(row), list.count(row));
            EXPECT_NEAR(lafonScores.score(row, part), lafonScore(f, list.count(row), text.totalCount(), 16), 1e-12);
        }
        lafonScores.sortByScore(rows, part);
        for (size_t i = 1; i < rows.size(); ++i) {
            const double before = lafonScores.score(rows[i - 1], part), after = lafonScores.score(rows[i], part);
            EXPECT_TRUE(before > after || (before == after && rows[i - 1] < rows[i])) << part << " " << i;
        }
    }
    for (const double threshold : {0.2, 0.5, 2.0}) {
        for (qsizetype row = 0; row < list.size(); ++row) {
            const double strongest = std::max({std::abs(lafonScores.score(row, 0)), std::abs(lafonScores.score(row, 1)),
                                               std::abs(lafonScores.score(row, 2))});
            EXPECT_EQ(lafonScores.banal(row, threshold), strongest < threshold) << threshold << " " << row;
        }
    }
    progress.cancel();
    EXPECT_THROW(LafonScores(list, &progress), TaskCancelled);
}
