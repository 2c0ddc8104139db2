// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/lafonscoresview.h"

#include "gui/corpus/corpustable.h"
#include "gui/corpus/lafonscoresmodel.h"
#include "wordforms/corpus.h"
#include "wordforms/figures.h"
#include "wordforms/lafonscores.h"
#include "wordforms/lafonscore.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCursor>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineSeries>
#include <QPen>
#include <QSplitter>
#include <QTableView>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// A threshold line across the bars, from the first category to the last.
QLineSeries *thresholdLine(double score, qsizetype categories)
{
    auto *line = new QLineSeries;
    line->append(-0.5, score);
    line->append(double(categories) - 0.5, score);
    line->setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    return line;
}

} // namespace

LafonScoresView::LafonScoresView(const Corpus &corpus, QWidget *parent)
    : QWidget(parent)
    , m_corpus(corpus)
    , m_model(new LafonScoresModel(corpus, this))
{
    auto *layout = new QVBoxLayout(this);
    auto *choices = new QGridLayout;
    m_threshold = new QDoubleSpinBox(this);
    m_threshold->setObjectName(u"seuil"_s);
    m_threshold->setAccessibleName(u"Seuil"_s);
    m_threshold->setRange(0.1, 1000.0);
    m_threshold->setDecimals(1);
    m_threshold->setSingleStep(0.5);
    m_threshold->setValue(defaultLafonScoreThreshold);
    m_threshold->setToolTip(u"Une forme est banale dans un texte quand sa spécificité est plus proche de 0 ; "
                            u"2 correspond à une probabilité de 1 sur 100"_s);
    connect(m_threshold, &QDoubleSpinBox::valueChanged, this, &LafonScoresView::showRows);
    auto *thresholdLabel = new QLabel(u"S&euil :"_s, this);
    thresholdLabel->setBuddy(m_threshold);
    m_hideBanal = new QCheckBox(u"&Masquer les formes banales"_s, this);
    m_hideBanal->setObjectName(u"masquerBanales"_s);
    connect(m_hideBanal, &QCheckBox::toggled, this, &LafonScoresView::showRows);
    m_reference = new QLabel(this);
    m_reference->setObjectName(u"reference"_s);
    choices->addWidget(thresholdLabel, 0, 0);
    choices->addWidget(m_threshold, 0, 1);
    choices->addWidget(m_hideBanal, 0, 2);
    choices->addWidget(m_reference, 1, 0, 1, 4);
    choices->setColumnStretch(3, 1);
    layout->addLayout(choices);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false);
    m_table = newCorpusTable(split, u"specificites"_s, u"Spécificités de chaque forme dans chaque texte"_s);
    m_table->setModel(m_model);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSortIndicator(LafonScoresModel::formColumn, Qt::AscendingOrder);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, &LafonScoresView::sortByHeading);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &LafonScoresView::currentChanged);

    m_bars = new QChartView(split);
    m_bars->setObjectName(u"barresSpecificites"_s);
    m_bars->setAccessibleName(u"Spécificité de la forme choisie dans chaque texte"_s);
    m_bars->setRenderHint(QPainter::Antialiasing);
    m_bars->setFocusPolicy(Qt::NoFocus);
    m_bars->setMinimumHeight(200);
    split->addWidget(m_table);
    split->addWidget(m_bars);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);
}

const LafonScores *LafonScoresView::lafonScores() const
{
    return m_lafonScores.get();
}

void LafonScoresView::setLafonScores(std::shared_ptr<const LafonScores> lafonScores, const QString &reference)
{
    m_reference->setText(reference.isEmpty() ? QString() : u"Comparé à la liste de référence « %1 »"_s.arg(reference));
    m_lafonScores = std::move(lafonScores);
    showRows();
}

void LafonScoresView::setListRows(std::span<const std::uint32_t> rows)
{
    m_listRows.assign(rows.begin(), rows.end());
    showRows();
}

void LafonScoresView::setCurrentListRow(qsizetype row)
{
    const int shown = m_model->rowOfListRow(row);
    if (shown < 0 || shown == m_table->currentIndex().row())
        return;
    const QModelIndex index = m_model->index(shown, LafonScoresModel::formColumn);
    m_table->setCurrentIndex(index);
    m_table->scrollTo(index);
}

std::vector<std::uint32_t> LafonScoresView::shownRows() const
{
    std::vector<std::uint32_t> rows;
    rows.reserve(size_t(m_model->rowCount()));
    for (int row = 0; row < m_model->rowCount(); ++row)
        rows.push_back(std::uint32_t(m_model->listRow(row)));
    return rows;
}

// The list's rows, the banal ones left out when asked, in the order of the
// heading chosen; the current form stays current while it is shown.
void LafonScoresView::showRows()
{
    const LafonScores *lafonScores = m_lafonScores.get();
    if (!lafonScores)
        return;
    const QModelIndex current = m_table->currentIndex();
    const qsizetype currentRow = current.isValid() ? m_model->listRow(current.row()) : -1;
    std::vector<std::uint32_t> rows = m_listRows;
    const double threshold = m_threshold->value();
    if (m_hideBanal->isChecked())
        std::erase_if(rows, [&](std::uint32_t row) { return lafonScores->banal(row, threshold); });
    if (m_sortColumn == LafonScoresModel::formColumn) {
        std::sort(rows.begin(), rows.end());
    } else if (m_sortColumn == LafonScoresModel::totalColumn) {
        std::sort(rows.begin(), rows.end(), [&](std::uint32_t a, std::uint32_t b) {
            const qint64 countA = lafonScores->corpusCount(a);
            const qint64 countB = lafonScores->corpusCount(b);
            return countA != countB ? countA > countB : a < b;
        });
    } else {
        lafonScores->sortByScore(rows, m_sortColumn - LafonScoresModel::firstTextColumn);
    }
    m_model->show(m_lafonScores, std::move(rows), threshold);
    if (currentRow >= 0)
        setCurrentListRow(currentRow);
}

void LafonScoresView::sortByHeading(int column)
{
    m_sortColumn = column;
    m_table->horizontalHeader()->setSortIndicator(column, column == LafonScoresModel::formColumn ? Qt::AscendingOrder
                                                                                                   : Qt::DescendingOrder);
    showRows();
}

void LafonScoresView::currentChanged(const QModelIndex &current)
{
    if (!current.isValid())
        return;
    const qsizetype row = m_model->listRow(current.row());
    showBars(row);
    Q_EMIT formChosen(row);
}

void LafonScoresView::showBars(qsizetype listRow)
{
    const LafonScores *lafonScores = m_lafonScores.get();
    const double threshold = m_threshold->value();
    auto *scores = new QBarSet(u"Spécificité"_s);
    double lowest = -threshold;
    double highest = threshold;
    QStringList names;
    for (qsizetype text = 0; text < m_corpus.textCount(); ++text) {
        const double score = lafonScores->score(listRow, text);
        scores->append(score);
        lowest = std::min(lowest, score);
        highest = std::max(highest, score);
        names.append(m_corpus.textName(text));
    }
    auto *series = new QBarSeries;
    series->append(scores);
    auto *chart = new QChart;
    chart->setTitle(u"Spécificité de « %1 » dans chaque texte"_s.arg(shownForm(m_corpus.list().form(listRow))));
    chart->legend()->hide();
    chart->addSeries(series);
    auto *texts = new QBarCategoryAxis;
    texts->append(names);
    auto *values = new QValueAxis;
    values->setTitleText(u"Spécificité"_s);
    values->setRange(lowest * 1.1, highest * 1.1);
    chart->addAxis(texts, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(texts);
    series->attachAxis(values);
    for (const double line : {threshold, -threshold}) {
        QLineSeries *drawn = thresholdLine(line, m_corpus.textCount());
        chart->addSeries(drawn);
        drawn->attachAxis(texts);
        drawn->attachAxis(values);
    }
    connect(series, &QBarSeries::hovered, this, [this, listRow, kept = m_lafonScores](bool inside, int text) {
        const LafonScores *lafonScores = kept.get();
        if (!inside) {
            QToolTip::hideText();
            return;
        }
        QToolTip::showText(QCursor::pos(),
                           u"%1 : %2\nf = %3, F = %4, t = %5"_s.arg(
                               m_corpus.textName(text),
                               decimalFigure(lafonScores->score(listRow, text), 4),
                               groupedFigure(lafonScores->count(listRow, text)),
                               groupedFigure(lafonScores->corpusCount(listRow)),
                               groupedFigure(lafonScores->partSize(text))));
    });
    connect(series, &QBarSeries::clicked, this, [this, listRow](int text) { Q_EMIT concordanceAsked(listRow, text); });
    const std::unique_ptr<QChart> shown(m_bars->chart());
    m_bars->setChart(chart);
}

} // namespace lexalon
