// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace lexalon {

// Lafon's score of a form in a part, under the hypergeometric model:
// f its count in the part, F in the corpus, t the part's forms, T the corpus's.
// Positive (-log10 P(X >= f)) when f >= F*t/T, else log10 P(X <= f). Exact in
// log space at any size: never 0 or infinite for a finite probability. The
// counts are those of one corpus: f <= F, f <= t and t - f <= T - F.
double lafonScore(qint64 f, qint64 F, qint64 t, qint64 T);
inline constexpr double defaultLafonScoreThreshold = 2.0; // "Seuil": |score| below it is banal

// The same when ln P(X = f) is already known, as for a table of many cells
// that share their corpus and part.
double lafonScore(qint64 f, qint64 F, qint64 t, qint64 T, double logProbability);

// ln n!, to double precision at any size, on any thread.
double logFactorial(qint64 n);

} // namespace lexalon
