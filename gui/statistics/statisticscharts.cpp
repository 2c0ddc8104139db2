// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/statistics/statisticscharts.h"

#include "wordforms/figures.h"
#include "wordforms/lexicalstatistics.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPen>
#include <QStringList>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <span>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr QColor curveColour{0, 0, 128};

// The chart's title, French figures on its axes, its legend under it.
void frameChart(QChart *chart, const QString &title)
{
    chart->setTitle(title);
    // The axes' figures grouped the French way.
    chart->setLocale(QLocale(QLocale::French, QLocale::France));
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
}

QChart *chartWith(QAbstractSeries *series, const QString &title)
{
    auto *chart = new QChart;
    frameChart(chart, title);
    chart->addSeries(series);
    return chart;
}

void addAxes(QChart *chart, QAbstractSeries *series, QAbstractAxis *x, QAbstractAxis *y)
{
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

QLineSeries *curve(const QString &name)
{
    auto *series = new QLineSeries;
    series->setName(name);
    series->setPen(QPen(curveColour, 2));
    return series;
}

void showTip(const QString &text, bool over)
{
    if (over)
        QToolTip::showText(QCursor::pos(), text);
    else
        QToolTip::hideText();
}

// Different forms over forms read, from the start of the text; the pointer
// gives a point's figures after `tipPrefix`.
QLineSeries *growthSeries(const LexicalStatistics &statistics, QLineSeries *series, const QString &tipPrefix)
{
    QList<QPointF> points{QPointF(0, 0)};
    for (const auto &point : statistics.growthCurve())
        points.append(QPointF(double(point.tokens), double(point.types)));
    series->replace(points);
    QObject::connect(series, &QLineSeries::hovered, series, [tipPrefix](const QPointF &at, bool over) {
        showTip(tipPrefix + countOf(qint64(at.x()), u"forme lue", u"formes lues") + u" : "_s
                    + countOf(qint64(at.y()), u"forme différente", u"formes différentes"),
                over);
    });
    return series;
}

// Axes from 0 to the most forms read and the most different forms, for
// every curve of the chart.
void addGrowthAxes(QChart *chart, qint64 tokens, qint64 types)
{
    auto *x = new QValueAxis;
    x->setTitleText(u"Formes lues"_s);
    x->setLabelFormat(u"%.0f"_s);
    auto *y = new QValueAxis;
    y->setTitleText(u"Formes différentes"_s);
    y->setLabelFormat(u"%.0f"_s);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    x->setRange(0, std::max<double>(1, double(tokens)));
    y->setRange(0, std::max<double>(1, double(types)));
    x->applyNiceNumbers();
    y->applyNiceNumbers();
}

// Hues spread round the wheel, one a text, dark enough for 3:1 at least on
// the chart's white.
QColor textCurveColour(size_t text, size_t texts)
{
    constexpr int saturation = 255;
    constexpr int value = 150;
    return QColor::fromHsv(int(360 * text / std::max<size_t>(texts, 1)), saturation, value);
}

} // namespace

QChart *rankFrequencyChart(const LexicalStatistics &statistics)
{
    const auto &ranks = statistics.rankCurve();
    const std::optional<double> slope = statistics.zipfSlope();
    QLineSeries *series = curve(slope ? u"Pente (exposant de Zipf) : %1"_s.arg(decimalFigure(*slope, 3))
                                      : u"Pente (exposant de Zipf) : —"_s);
    QList<QPointF> points;
    points.reserve(qsizetype(ranks.size()));
    for (const auto &point : ranks)
        points.append(QPointF(double(point.rank), double(point.count)));
    series->replace(points);
    // A line of one point draws nothing: the point itself then shows.
    series->setPointsVisible(points.size() == 1);
    // The pointer names the nearest rank drawn.
    QObject::connect(series, &QLineSeries::hovered, series, [&ranks](const QPointF &at, bool over) {
        const auto nearest = std::lower_bound(ranks.begin(), ranks.end(), at.x(),
                                              [](const auto &point, double x) { return double(point.rank) < x; });
        if (nearest == ranks.end())
            return;
        showTip(u"Rang %1 : « %2 », %3"_s.arg(groupedFigure(nearest->rank), nearest->form,
                                               countOf(nearest->count, u"attestation", u"attestations")),
                over);
    });
    QChart *chart = chartWith(series, u"Rang et fréquence"_s);
    auto *x = new QLogValueAxis;
    x->setTitleText(u"Rang"_s);
    x->setLabelFormat(u"%.0f"_s);
    x->setMinorTickCount(-1);
    auto *y = new QLogValueAxis;
    y->setTitleText(u"Fréquence"_s);
    y->setLabelFormat(u"%.0f"_s);
    addAxes(chart, series, x, y);
    // Set rather than found from the points: a flat curve would leave an axis without a span.
    const auto [firstRank, lastRank] =
        ranks.empty() ? logarithmicAxis(1, 1) : logarithmicAxis(ranks.front().rank, ranks.back().rank);
    x->setRange(firstRank, lastRank);
    const auto [lowest, highest] =
        ranks.empty() ? logarithmicAxis(1, 1) : logarithmicAxis(ranks.back().count, ranks.front().count);
    y->setRange(lowest, highest);
    return chart;
}

QChart *growthChart(const LexicalStatistics &statistics)
{
    QChart *chart = chartWith(growthSeries(statistics, curve(u"Formes différentes"_s), QString()),
                              u"Accroissement du vocabulaire"_s);
    addGrowthAxes(chart, statistics.tokens(), statistics.types());
    return chart;
}

QChart *growthChart(const QStringList &names, std::span<const LexicalStatistics> texts)
{
    auto *chart = new QChart;
    qint64 tokens = 0;
    qint64 types = 0;
    for (size_t text = 0; text < texts.size(); ++text) {
        auto *series = new QLineSeries;
        series->setName(names.value(qsizetype(text)));
        series->setPen(QPen(textCurveColour(text, texts.size()), 2));
        growthSeries(texts[text], series, series->name() + u" : "_s);
        chart->addSeries(series);
        tokens = std::max(tokens, texts[text].tokens());
        types = std::max(types, texts[text].types());
    }
    frameChart(chart, u"Accroissement du vocabulaire"_s);
    addGrowthAxes(chart, tokens, types);
    return chart;
}

QChart *spectrumChart(const LexicalStatistics &statistics)
{
    auto *bars = new QBarSet(u"Formes"_s);
    bars->setColor(curveColour);
    QStringList categories;
    const auto &spectrum = statistics.spectrum();
    for (size_t bin = 0; bin < spectrum.size(); ++bin) {
        *bars << double(spectrum[bin]);
        categories << (bin + 1 < spectrum.size() ? QString::number(bin + 1) : u"> %1"_s.arg(bin));
    }
    QObject::connect(bars, &QBarSet::hovered, bars, [&spectrum](bool over, int bin) {
        const qint64 forms = spectrum[size_t(bin)];
        const QString shown = countOf(forms, u"forme attestée", u"formes attestées");
        showTip(size_t(bin) + 1 < spectrum.size() ? u"%1 %2 fois"_s.arg(shown).arg(bin + 1)
                                                  : u"%1 plus de %2 fois"_s.arg(shown).arg(bin),
                over);
    });
    auto *series = new QBarSeries;
    series->append(bars);
    QChart *chart = chartWith(series, u"Spectre des fréquences"_s);
    auto *x = new QBarCategoryAxis;
    x->append(categories);
    x->setTitleText(u"Nombre d'attestations"_s);
    auto *y = new QValueAxis;
    y->setTitleText(u"Formes"_s);
    y->setLabelFormat(u"%.0f"_s);
    addAxes(chart, series, x, y);
    y->setRange(0, std::max<double>(1, double(*std::max_element(spectrum.begin(), spectrum.end()))));
    y->applyNiceNumbers();
    return chart;
}

} // namespace lexalon
