// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include <cstdint>
#include <memory>
#include <vector>

namespace lexalon {

class Corpus;
class LafonScores;

// The Lafon scores of the forms shown, one row a form and one column a
// text: each score with its sign, one decimal, its background warm for an
// over-use and cool for an under-use, the stronger the deeper; the exact
// value and its counts in the tooltip. Cells are made for the rows drawn.
class LafonScoresModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int formColumn = 0;
    static constexpr int totalColumn = 1;
    static constexpr int firstTextColumn = 2;

    explicit LafonScoresModel(const Corpus &corpus, QObject *parent = nullptr);

    const LafonScores *lafonScores() const { return m_lafonScores.get(); }
    // The scores and the rows of the corpus's list shown, in their order.
    void show(std::shared_ptr<const LafonScores> lafonScores, std::vector<std::uint32_t> rows, double threshold);
    qsizetype listRow(int row) const { return m_rows[size_t(row)]; }
    // The model's row of a list's row, or -1.
    int rowOfListRow(qsizetype listRow) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const Corpus &m_corpus;
    std::shared_ptr<const LafonScores> m_lafonScores;
    std::vector<std::uint32_t> m_rows;
    double m_threshold = 2.0;
};

// A score as shown: its sign always written, one decimal, a comma.
QString shownScore(double score);
// The background of a score at a threshold: none when banal, else a warm or
// cool tint, deeper as the score is stronger, on which black text reads.
QColor scoreBackground(double score, double threshold);

} // namespace lexalon
