// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/lexicalstatistics.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace lexalon {

// The measures of several texts side by side: a row a text, named in the
// row's header, a column a measure, headed by its name and explained in its
// tooltips; figures grouped by thousands.
class CorpusMeasuresModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CorpusMeasuresModel(QObject *parent = nullptr);

    // Each row's name and measures, every row's in the same order.
    void setRows(QStringList names, std::vector<std::vector<Measure>> measures);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_names;
    std::vector<std::vector<Measure>> m_measures;
};

} // namespace lexalon
