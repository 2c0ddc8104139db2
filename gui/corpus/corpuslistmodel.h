// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/listselection.h"

#include <QAbstractTableModel>

namespace lexalon {

class Corpus;

// The corpus's list as the workspace shows it: each form shown, its total,
// its frequency for 10,000 forms, then its count in each text. Which forms
// and in what order is the selection's; cells are made for the rows drawn.
class CorpusListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int formColumn = 0;
    static constexpr int totalColumn = 1;
    static constexpr int perTenThousandColumn = 2;
    static constexpr int firstTextColumn = 3;

    explicit CorpusListModel(const Corpus &corpus, QObject *parent = nullptr);

    const ListSelection &selection() const { return m_selection; }
    void setFilter(ListFilter filter);
    // A click on a heading: forms in the list's order, counts decreasing.
    void sortByColumn(int column);
    int sortColumn() const { return m_sortColumn; }
    // The list's row shown at a row of the model, and back (-1 when hidden).
    qsizetype listRow(int row) const { return m_selection.listRow(row); }
    int rowOfListRow(qsizetype listRow) const { return int(m_selection.shownRow(listRow)); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    qint64 countIn(qsizetype listRow, int column) const;

    const Corpus &m_corpus;
    ListSelection m_selection;
    int m_sortColumn = formColumn;
};

// A count for 10,000 forms of a whole, with two decimals and a comma.
QString perTenThousand(qint64 count, qint64 whole);

} // namespace lexalon
