// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class QChartView;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QModelIndex;
class QTableView;

namespace lexalon {

class Corpus;
class LafonScores;
class LafonScoresModel;

// The "Spécificités" tab: the score of each form shown in each text, sorted
// by a click on a text's heading, the banal forms hidden or not, and under it
// the current form's score in each text as bars, with the threshold drawn.
class LafonScoresView final : public QWidget
{
    Q_OBJECT

public:
    explicit LafonScoresView(const Corpus &corpus, QWidget *parent = nullptr);

    const LafonScores *lafonScores() const;
    // The scores, and the name of the saved list they are taken against, if
    // any.
    void setLafonScores(std::shared_ptr<const LafonScores> lafonScores, const QString &reference);
    // The forms the workspace's list shows, in its order.
    void setListRows(std::span<const std::uint32_t> rows);
    void setCurrentListRow(qsizetype row);
    // The list's rows shown here, in their order.
    std::vector<std::uint32_t> shownRows() const;

Q_SIGNALS:
    void formChosen(qsizetype listRow);
    // A click on a text's bar: that text's concordance of the form.
    void concordanceAsked(qsizetype listRow, qsizetype text);

private:
    void showRows();
    void sortByHeading(int column);
    void currentChanged(const QModelIndex &current);
    void showBars(qsizetype listRow);

    const Corpus &m_corpus;
    LafonScoresModel *m_model;
    QLabel *m_reference = nullptr;
    QDoubleSpinBox *m_threshold = nullptr;
    QCheckBox *m_hideBanal = nullptr;
    QTableView *m_table = nullptr;
    QChartView *m_bars = nullptr;
    std::shared_ptr<const LafonScores> m_lafonScores;
    std::vector<std::uint32_t> m_listRows;
    int m_sortColumn = 0;
};

} // namespace lexalon
