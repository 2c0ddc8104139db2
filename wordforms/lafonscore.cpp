// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/lafonscore.h"

#include <QtNumeric>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace lexalon {
namespace {

// Below this, n! is summed once; above, Stirling's series is exact to the
// last bit of a double with three terms.
constexpr qint64 tabulatedFactorials = 256;

const std::array<double, tabulatedFactorials> &smallLogFactorials()
{
    static const std::array<double, tabulatedFactorials> table = [] {
        std::array<double, tabulatedFactorials> logs{};
        for (qint64 n = 2; n < tabulatedFactorials; ++n)
            logs[size_t(n)] = logs[size_t(n - 1)] + std::log(double(n));
        return logs;
    }();
    return table;
}

// f >= F*t/T, in integers while the products fit.
bool atLeastExpected(qint64 f, qint64 F, qint64 t, qint64 T)
{
    qint64 observed = 0, expected = 0;
    if (qMulOverflow(f, T, &observed) || qMulOverflow(F, t, &expected))
        return (long double)f * T >= (long double)F * t;
    return observed >= expected;
}

// The sum of the terms P(k) from k = f away from the mean, relative to P(f).
// The distribution is log-concave and f lies on the far side of its mode
// from the mean, so the terms decrease by ever smaller ratios: once the
// last term times ratio / (1 - ratio) bounds what is left below the last
// bit of the sum, the sum is final.
double tailOverFirstTerm(qint64 f, qint64 F, qint64 t, qint64 T, bool upper)
{
    constexpr double lastBit = std::numeric_limits<double>::epsilon() / 2;
    // others + k: the other forms' attestations outside the part when it holds k of this one.
    const qint64 others = T - F - t;
    double sum = 1, term = 1;
    if (upper) {
        for (qint64 k = f; k < std::min(F, t); ++k) {
            const double ratio = double(F - k) * double(t - k) / (double(k + 1) * double(others + k + 1));
            term *= ratio;
            sum += term;
            if (ratio < 1 && term * ratio <= (1 - ratio) * sum * lastBit)
                break;
        }
    } else {
        for (qint64 k = f; k > std::max<qint64>(0, -others); --k) {
            const double ratio = double(k) * double(others + k) / (double(F - k + 1) * double(t - k + 1));
            term *= ratio;
            sum += term;
            if (ratio < 1 && term * ratio <= (1 - ratio) * sum * lastBit)
                break;
        }
    }
    return sum;
}

} // namespace

double logFactorial(qint64 n)
{
    if (n < tabulatedFactorials)
        return smallLogFactorials()[size_t(n)];
    const double x = double(n);
    const double inverse = 1 / x, inverseSquare = inverse * inverse;
    const double series = inverse * (1.0 / 12 - inverseSquare * (1.0 / 360 - inverseSquare / 1260));
    return (x + 0.5) * std::log(x) - x + 0.5 * std::log(2 * std::numbers::pi) + series;
}

double lafonScore(qint64 f, qint64 F, qint64 t, qint64 T)
{
    const double logProbability = logFactorial(F) - logFactorial(f) - logFactorial(F - f) + logFactorial(T - F)
                                  - logFactorial(t - f) - logFactorial(T - F - t + f) - logFactorial(T)
                                  + logFactorial(t) + logFactorial(T - t);
    return lafonScore(f, F, t, T, logProbability);
}

// A part that is the whole corpus or nothing, a form absent or the only one:
// every count is where it must be.
double lafonScore(qint64 f, qint64 F, qint64 t, qint64 T, double logProbability)
{
    if (F == 0 || F == T || t == 0 || t == T)
        return 0;
    const bool upper = atLeastExpected(f, F, t, T);
    // Rounding may lift a probability of 1 just above it: a score never
    // changes sign for it.
    const double logTail = std::min(0.0, logProbability + std::log(tailOverFirstTerm(f, F, t, T, upper)));
    return upper ? 0.0 - logTail / std::numbers::ln10 : logTail / std::numbers::ln10;
}

} // namespace lexalon
