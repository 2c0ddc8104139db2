// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/statistics/measuresmodel.h"

#include "wordforms/figures.h"
#include "wordforms/lexicalstatistics.h"


#include <utility>

namespace lexalon {

MeasuresModel::MeasuresModel(std::vector<Measure> measures, QObject *parent)
    : QAbstractTableModel(parent)
    , m_measures(std::move(measures))
{
}

int MeasuresModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_measures.size());
}

int MeasuresModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant MeasuresModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const Measure &measure = m_measures[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? measure.name : groupedDigits(measure.value);
    case Qt::ToolTipRole:
        return measure.explanation;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return QVariant();
    }
}

QVariant MeasuresModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return measureColumns[section].toString();
}

} // namespace lexalon
