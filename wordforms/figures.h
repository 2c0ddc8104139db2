// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace lexalon {

// Figures, and forms, as the study windows show them. Figures: the French way: digits grouped by
// three with a narrow no-break space, nouns agreeing with their number.
// Saved files keep plain digits.
inline constexpr char16_t thousandsSeparator = u'\u202F';

// 1234567 as "1 234 567".
QString groupedFigure(qint64 value);

// A number written with plain digits ("12345", "-3", "1234,5678") with its
// whole part grouped; any other text ("—", a form) as it is.
QString groupedDigits(QStringView plain);

// The figure and its noun: "1 attestation", "1 200 attestations". French
// takes the singular under two.
QString countOf(qint64 value, QStringView singular, QStringView plural);
// The noun alone, agreeing with the number: singular under two.
QStringView agreeing(qint64 value, QStringView singular, QStringView plural);

// A value with that many decimals after a comma, its digits plain: "0,5556".
QString decimalFigure(double value, int decimals);

// The part's share of the whole in whole percent: "13 %". A share neither
// nothing nor all never shows as "0 %" or "100 %" but as "< 1 %" or "> 99 %";
// a part of nothing is "0 %".
QString percentage(qint64 part, qint64 whole);

// A form of thousands of letters is shown in part, its start and an
// ellipsis, so that no window lays out more than it can show: in lists and
// in the text around an attestation, and shorter in a caption.
inline constexpr qsizetype longestShownForm = 4096;
inline constexpr qsizetype longestNamedForm = 60;
QString shownForm(QStringView form, qsizetype longest = longestShownForm);

} // namespace lexalon
