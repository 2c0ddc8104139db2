// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/statistics/statisticswindow.h"

#include "commands/printcommand.h"
#include "commands/savecommand.h"
#include "formats/measuresfile.h"
#include "gui/look/windowlook.h"
#include "gui/statistics/measuresmodel.h"
#include "gui/statistics/statisticscharts.h"
#include "platform/interaction/busypointer.h"
#include "platform/interaction/filedialogs.h"

#include <QAction>
#include <QBuffer>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageWriter>
#include <QKeySequence>
#include <QMenuBar>
#include <QPainter>
#include <QSize>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr QSize designedSize{1100, 560};

constexpr auto curveFilter = u"Images PNG (*.png)|*.png|Images SVG (*.svg)|*.svg";
constexpr int svgType = 1;

using MakeChart = QChart *(*)(const LexicalStatistics &);
const std::pair<QStringView, MakeChart> curves[] = {
    {u"Rang et fréquence", rankFrequencyChart},
    {u"Accroissement du vocabulaire", growthChart},
    {u"Spectre des fréquences", spectrumChart},
};

} // namespace

StatisticsWindow::StatisticsWindow(LexicalStatistics statistics, const WindowServices &services, QWidget *parent)
    : QDialog(parent)
    , m_statistics(std::move(statistics))
    , m_services(services)
    , m_pointer(services.busyPointer(*this))
    , m_measures(new MeasuresModel(m_statistics.measures(), this))
{
    setWindowTitle(u"Statistiques lexicales"_s);
    setAccessibleDescription(u"Les mesures du vocabulaire du texte et leurs courbes."_s);
    setToolWindowLook(*this);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(createMenus());
    auto *row = new QHBoxLayout;
    row->addWidget(createMeasures());
    m_curves = new QTabWidget(this);
    m_curves->setObjectName(u"courbes"_s);
    for (const auto &[caption, make] : curves) {
        auto *view = new QChartView(m_curves);
        view->setRenderHint(QPainter::Antialiasing);
        // Nothing in a curve takes keys: Tab goes from the measures to the tabs and back.
        view->setFocusPolicy(Qt::NoFocus);
        m_curves->addTab(view, caption.toString());
    }
    connect(m_curves, &QTabWidget::currentChanged, this, &StatisticsWindow::showCurve);
    showCurve(0);
    row->addWidget(m_curves, 1);
    layout->addLayout(row);
    createTabKeys();
    resizeWithinScreen(*this, designedSize);
}

StatisticsWindow::~StatisticsWindow() = default;

QMenuBar *StatisticsWindow::createMenus()
{
    auto *menuBar = new QMenuBar(this);
    QMenu *fileMenu = addMenu(menuBar, u"fichier"_s, u"&Fichier"_s);
    addCommand(fileMenu, u"enregistrer"_s, u"&Enregistrer les mesures sous"_s, this,
               &StatisticsWindow::save, QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(fileMenu, u"enregistrerCourbe"_s, u"Enregistrer la &courbe"_s, this,
               &StatisticsWindow::saveCurve);
    addCommand(fileMenu, u"imprimer"_s, u"&Imprimer"_s, this, &StatisticsWindow::print,
               QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(fileMenu, u"fermer"_s, u"&Fermer"_s, this, &StatisticsWindow::closeWindow,
               QKeySequence(Qt::CTRL | Qt::Key_W));
    return menuBar;
}

// The tabs' keys wherever the focus is, the measures' table included.
void StatisticsWindow::createTabKeys()
{
    auto *next = new QAction(this);
    next->setObjectName(u"courbeSuivante"_s);
    next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    connect(next, &QAction::triggered, this, &StatisticsWindow::showNextCurve);
    auto *previous = new QAction(this);
    previous->setObjectName(u"courbePrecedente"_s);
    previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    connect(previous, &QAction::triggered, this, &StatisticsWindow::showPreviousCurve);
    addActions({next, previous});
}

QWidget *StatisticsWindow::createMeasures()
{
    auto *table = new QTableView(this);
    table->setObjectName(u"mesures"_s);
    table->setModel(m_measures);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->resizeColumnToContents(0);
    table->setColumnWidth(1, table->fontMetrics().horizontalAdvance(u"00000000000"_s));
    table->setMinimumWidth(table->columnWidth(0) + table->columnWidth(1) + 2 * table->frameWidth() + 4);
    return table;
}

void StatisticsWindow::showCurve(int tab)
{
    auto *view = static_cast<QChartView *>(m_curves->widget(tab));
    if (!view->chart()->series().isEmpty())
        return;
    // The view gives its first, empty chart back rather than deleting it.
    const std::unique_ptr<QChart> empty(view->chart());
    view->setChart(curves[tab].second(m_statistics));
}

QChartView *StatisticsWindow::visibleCurve() const
{
    return static_cast<QChartView *>(m_curves->currentWidget());
}

QByteArray StatisticsWindow::curveSvg() const
{
    QChartView *view = visibleCurve();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(view->size());
    generator.setViewBox(view->rect());
    generator.setTitle(m_curves->tabText(m_curves->currentIndex()));
    QPainter painter(&generator);
    view->render(&painter);
    painter.end();
    return buffer.data();
}

void StatisticsWindow::save()
{
    const std::vector<Measure> &measures = m_measures->measures();
    saveFile(QString::fromUtf16(textFileFilter),
             [&measures](int, QIODevice &device) { return writeMeasures(measures, device); },
             m_services.dialogs, m_services.messages, *m_pointer);
}

void StatisticsWindow::saveCurve()
{
    // Drawn once the type is chosen, in that type alone.
    const auto writeCurve = [this](int type, QIODevice &device) {
        if (type == svgType) {
            const QByteArray svg = curveSvg();
            return device.write(svg) == svg.size();
        }
        QImageWriter writer(&device, "png");
        return writer.write(visibleCurve()->grab().toImage());
    };
    saveFile(QString::fromUtf16(curveFilter), writeCurve, m_services.dialogs, m_services.messages, *m_pointer);
}

void StatisticsWindow::print()
{
    printStatistics(m_measures->measures(), curveSvg(), m_services.dialogs, m_services.printing,
                    m_services.messages, *m_pointer);
}

void StatisticsWindow::closeWindow()
{
    close();
}

void StatisticsWindow::showNextCurve()
{
    m_curves->setCurrentIndex((m_curves->currentIndex() + 1) % m_curves->count());
}

void StatisticsWindow::showPreviousCurve()
{
    m_curves->setCurrentIndex((m_curves->currentIndex() + m_curves->count() - 1) % m_curves->count());
}

} // namespace lexalon
