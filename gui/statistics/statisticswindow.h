// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/windowservices.h"
#include "wordforms/lexicalstatistics.h"

#include <QByteArray>
#include <QDialog>

#include <memory>

class QChartView;
class QMenuBar;
class QTabWidget;

namespace lexalon {

class BusyPointer;
class MeasuresModel;

// The measures of the text's vocabulary beside its three curves, one tab
// each; a curve is drawn the first time its tab is shown. The measures and
// the visible curve can be saved and printed.
class StatisticsWindow final : public QDialog
{
    Q_OBJECT

public:
    StatisticsWindow(LexicalStatistics statistics, const WindowServices &services, QWidget *parent = nullptr);
    ~StatisticsWindow() override;

    void save();
    void saveCurve();
    void print();
    void closeWindow();
    void showNextCurve();
    void showPreviousCurve();

private:
    QMenuBar *createMenus();
    void createTabKeys();
    QWidget *createMeasures();
    void showCurve(int tab);
    QChartView *visibleCurve() const;
    // The visible curve as an SVG picture of its size on screen.
    QByteArray curveSvg() const;

    LexicalStatistics m_statistics;
    WindowServices m_services;
    std::unique_ptr<BusyPointer> m_pointer;
    MeasuresModel *m_measures;
    QTabWidget *m_curves = nullptr;
};

} // namespace lexalon
