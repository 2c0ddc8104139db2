// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <span>

class QChart;

namespace lexalon {

class LexicalStatistics;

// The three curves of the statistics, each in a chart of its own that shows
// a point's values when the pointer is over it. The statistics must outlive
// the charts.
QChart *rankFrequencyChart(const LexicalStatistics &statistics);
QChart *growthChart(const LexicalStatistics &statistics);
QChart *spectrumChart(const LexicalStatistics &statistics);
// The growth curves of several texts on one chart, each in a colour of its
// own and named in the legend by its text's name.
QChart *growthChart(const QStringList &names, std::span<const LexicalStatistics> texts);

} // namespace lexalon
