// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/lexicalstatistics.h"

#include <QStringList>
#include <QWidget>

#include <vector>

class QChartView;
class QSplitter;
class QTableView;

namespace lexalon {

class CorpusMeasuresModel;

// The statistics of several texts and of the corpus they make: the measures
// as a table, a row a text and a last row for the whole corpus, and under
// it, the growth of every text's vocabulary on one chart. The split between
// them can be moved; the view grows with its window.
class CorpusStatisticsView final : public QWidget
{
    Q_OBJECT

public:
    explicit CorpusStatisticsView(QWidget *parent = nullptr);
    ~CorpusStatisticsView() override;

    // Each text's statistics under its name, in the corpus's order, then the
    // whole corpus's; the view keeps the texts' for their curves.
    void setStatistics(QStringList names, std::vector<LexicalStatistics> texts, LexicalStatistics corpus);

private:
    QTableView *createTable();
    QChartView *createChart();
    void fitColumns();

    CorpusMeasuresModel *m_measures;
    QSplitter *m_split = nullptr;
    QTableView *m_table = nullptr;
    QChartView *m_growth = nullptr;
    std::vector<LexicalStatistics> m_texts;
};

} // namespace lexalon
