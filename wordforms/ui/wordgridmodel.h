#pragma once

#include "wordforms/wordgrid.h"

#include <QAbstractTableModel>

#include <functional>

namespace lexalon {

// The word list as a table, holding its grid: the grid's rows below its fixed
// heading row, with that heading as the horizontal header. Cells of the fixed columns are drawn
// in the heading style and cannot be selected or made current. Read-only.
class WordGridModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit WordGridModel(WordGrid grid, QObject *parent = nullptr);

    const WordGrid &grid() const { return m_grid; }
    WordGrid &grid() { return m_grid; }
    int gridRow(int modelRow) const;
    int modelRow(int gridRow) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Lets the change rebuild the grid, its size included.
    void refill(const std::function<void(WordGrid &)> &change);
    // Lets the change write cells and move the current cell; the grid keeps
    // its size.
    void edit(const std::function<void(WordGrid &)> &change);

private:
    bool isFixedColumn(int column) const;

    // Owned here, so that it lasts as long as any view that shows it.
    WordGrid m_grid;
};

} // namespace lexalon
