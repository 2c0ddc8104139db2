// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/concordance/concordancemodel.h"

#include "wordforms/figures.h"

#include <QFont>

#include <utility>

namespace lexalon {

ConcordanceModel::ConcordanceModel(Concordance concordance, QObject *parent)
    : QAbstractTableModel(parent)
    , m_concordance(std::move(concordance))
{
}

void ConcordanceModel::setWords(int words)
{
    m_words = words;
    allChanged();
}

void ConcordanceModel::arrange(Concordance::Arrangement rows)
{
    m_concordance.arrange(std::move(rows));
    allChanged();
}

void ConcordanceModel::allChanged()
{
    m_cachedRow = -1;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int ConcordanceModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_concordance.size());
}

int ConcordanceModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

const ConcordanceLine &ConcordanceModel::lineOf(int row) const
{
    if (row != m_cachedRow) {
        m_cachedLine = m_concordance.line(m_concordance.attestation(row), m_words);
        m_cachedRow = row;
    }
    return m_cachedLine;
}

QVariant ConcordanceModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case numberColumn:
            return QString::number(m_concordance.attestation(index.row()) + 1);
        case leftColumn:
            return lineOf(index.row()).left;
        case formColumn:
            return shownForm(lineOf(index.row()).form);
        default:
            return lineOf(index.row()).right;
        }
    case Qt::FontRole:
        if (index.column() == formColumn) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter
                                   | (index.column() == numberColumn || index.column() == leftColumn
                                          ? Qt::AlignRight
                                          : index.column() == formColumn ? Qt::AlignHCenter : Qt::AlignLeft));
    default:
        return QVariant();
    }
}

QVariant ConcordanceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return concordanceColumns[section].toString();
}

} // namespace lexalon
