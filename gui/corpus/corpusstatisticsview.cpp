// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/corpusstatisticsview.h"

#include "gui/corpus/corpusmeasuresmodel.h"
#include "gui/look/windowlook.h"
#include "gui/statistics/statisticscharts.h"

#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QRect>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// A measure's column is at least this many characters wide; its name wraps
// in its header.
constexpr int leastColumnCharacters = 16;

} // namespace

CorpusStatisticsView::CorpusStatisticsView(QWidget *parent)
    : QWidget(parent)
    , m_measures(new CorpusMeasuresModel(this))
{
    m_split = new QSplitter(Qt::Vertical, this);
    m_split->setObjectName(u"partage"_s);
    m_split->setChildrenCollapsible(false);
    m_split->addWidget(createTable());
    m_split->addWidget(createChart());
    // The table as tall as its rows; the chart takes the rest.
    m_split->setStretchFactor(0, 0);
    m_split->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_split);
}

CorpusStatisticsView::~CorpusStatisticsView() = default;

QTableView *CorpusStatisticsView::createTable()
{
    m_table = new QTableView(this);
    m_table->setObjectName(u"mesures"_s);
    m_table->setAccessibleName(u"Mesures de chaque texte et du corpus entier"_s);
    m_table->setModel(m_measures);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    setReadableSelection(m_table);
    m_table->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap));
    return m_table;
}

QChartView *CorpusStatisticsView::createChart()
{
    m_growth = new QChartView(this);
    m_growth->setObjectName(u"accroissement"_s);
    m_growth->setAccessibleName(u"Accroissement du vocabulaire de chaque texte"_s);
    m_growth->setRenderHint(QPainter::Antialiasing);
    // Nothing in a curve takes keys.
    m_growth->setFocusPolicy(Qt::NoFocus);
    return m_growth;
}

void CorpusStatisticsView::setStatistics(QStringList names, std::vector<LexicalStatistics> texts,
                                         LexicalStatistics corpus)
{
    std::vector<std::vector<Measure>> rows;
    rows.reserve(texts.size() + 1);
    for (const LexicalStatistics &text : texts)
        rows.push_back(text.measures());
    rows.push_back(corpus.measures());
    // The curves shown go before the statistics they were drawn from.
    const std::vector<LexicalStatistics> previous = std::exchange(m_texts, std::move(texts));
    const std::unique_ptr<QChart> shown(m_growth->chart());
    m_growth->setChart(growthChart(names, m_texts));
    names.append(u"Corpus entier"_s);
    m_measures->setRows(std::move(names), std::move(rows));
    fitColumns();
}

// Each column as wide as its figures, or as the least width; the headers as
// tall as the longest name wrapped at its column's width.
void CorpusStatisticsView::fitColumns()
{
    QHeaderView *header = m_table->horizontalHeader();
    const QFontMetrics metrics = header->fontMetrics();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    // The cells' widths, without the header's (public in the base class only).
    const QAbstractItemView *cells = m_table;
    int height = 0;
    for (int column = 0; column < m_measures->columnCount(); ++column) {
        const int width = std::max(metrics.averageCharWidth() * leastColumnCharacters, cells->sizeHintForColumn(column));
        m_table->setColumnWidth(column, width);
        const QString name = m_measures->headerData(column, Qt::Horizontal).toString();
        const QRect wrapped = metrics.boundingRect(QRect(0, 0, width - 2 * margin, 0), Qt::AlignCenter | Qt::TextWordWrap, name);
        height = std::max(height, wrapped.height());
    }
    header->setMinimumHeight(height + 2 * margin);
    // The splitter gives the table its rows and the scroll bar, up to half
    // the view; the chart the rest.
    const int rows = m_table->verticalHeader()->length() + header->minimumHeight() + 2 * m_table->frameWidth()
                     + m_table->horizontalScrollBar()->sizeHint().height();
    const int table = std::min(rows, m_split->height() / 2);
    m_split->setSizes({table, std::max(m_split->height() - table, 1)});
}

} // namespace lexalon
