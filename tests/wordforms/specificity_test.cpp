// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/specificity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace lexalon;

namespace {

unsigned long long binomial(int n, int k)
{
    unsigned long long value = 1;
    for (int i = 1; i <= k; ++i)
        value = value * unsigned(n - k + i) / unsigned(i);
    return value;
}

// The definition summed term by term in exact integers.
double summedSpecificity(int f, int F, int t, int T)
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
TEST(Specificity, LafonsPublishedValues)
{
    const struct { qint64 f, F, t; double published; } rows[] = {
        {14, 296, 6903, -4.1743}, {165, 3173, 2558, 2.6891}, {35, 153, 10142, 1.5961}, {13096, 57455, 13933, 2.4355}};
    for (const auto &row : rows)
        EXPECT_NEAR(specificity(row.f, row.F, row.t, 61449), row.published, 0.00005) << row.f;
}

TEST(Specificity, EqualsTheSumOfTheTerms)
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
        EXPECT_NEAR(specificity(row.f, row.F, row.t, row.T), summedSpecificity(row.f, row.F, row.t, row.T), 1e-9)
            << row.name;
}

// Ten million attestations in one half of a corpus of twenty million: a
// probability of 10^-6,020,600, and every step of f moves the score on.
TEST(Specificity, FiniteAndMonotoneAtAnySize)
{
    constexpr qint64 n = 10'000'000, T = 2 * n;
    const qint64 counts[] = {0, 1, 1000, n / 2 - 5000, n / 2 - 1, n / 2, n / 2 + 1, n / 2 + 5000, n - 1000, n - 1, n};
    double previous = -INFINITY;
    for (const qint64 f : counts) {
        const double score = specificity(f, n, n, T);
        EXPECT_TRUE(std::isfinite(score) && score > previous) << f;
        previous = score;
    }
    // -log10 (1 / C(2n, n)), from C(2n, n) = 4^n / sqrt(pi n) (1 - 1 / 8n + ...).
    EXPECT_NEAR(specificity(n, n, n, T), 2 * n * std::log10(2.0) - 0.5 * std::log10(std::numbers::pi * n), 1e-4);
}
