// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/corpusmeasuresmodel.h"

#include "wordforms/figures.h"

#include <utility>

namespace lexalon {

CorpusMeasuresModel::CorpusMeasuresModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void CorpusMeasuresModel::setRows(QStringList names, std::vector<std::vector<Measure>> measures)
{
    beginResetModel();
    m_names = std::move(names);
    m_measures = std::move(measures);
    endResetModel();
}

int CorpusMeasuresModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_measures.size());
}

int CorpusMeasuresModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_measures.empty() ? 0 : int(m_measures.front().size());
}

QVariant CorpusMeasuresModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const Measure &measure = m_measures[size_t(index.row())][size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return groupedDigits(measure.value);
    case Qt::ToolTipRole:
        return measure.explanation;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
    default:
        return QVariant();
    }
}

QVariant CorpusMeasuresModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const bool measure = orientation == Qt::Horizontal;
    if (section < 0 || section >= (measure ? columnCount() : rowCount()))
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return measure ? m_measures.front()[size_t(section)].name : m_names.value(section);
    case Qt::ToolTipRole:
        return measure ? m_measures.front()[size_t(section)].explanation : m_names.value(section);
    default:
        return QAbstractTableModel::headerData(section, orientation, role);
    }
}

} // namespace lexalon
