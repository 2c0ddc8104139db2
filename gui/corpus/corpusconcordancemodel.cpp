// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/corpusconcordancemodel.h"

#include "gui/corpus/concordancelinedelegate.h"
#include "wordforms/corpus.h"
#include "wordforms/figures.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

CorpusConcordanceModel::CorpusConcordanceModel(CorpusConcordance concordance, QObject *parent)
    : QAbstractTableModel(parent)
    , m_concordance(std::move(concordance))
{
}

void CorpusConcordanceModel::setWords(int words)
{
    m_words = words;
    m_cachedRow = -1;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, lineColumn()), index(rowCount() - 1, lineColumn()));
}

void CorpusConcordanceModel::arrange(CorpusConcordance::Arrangement rows)
{
    Q_EMIT layoutAboutToBeChanged();
    m_concordance.arrange(std::move(rows));
    m_cachedRow = -1;
    Q_EMIT layoutChanged();
}

int CorpusConcordanceModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_concordance.size());
}

int CorpusConcordanceModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : lineColumn() + 1;
}

const ConcordanceLine &CorpusConcordanceModel::lineOf(int row) const
{
    if (row != m_cachedRow) {
        m_cachedLine = m_concordance.line(m_concordance.attestation(row), m_words);
        m_cachedRow = row;
    }
    return m_cachedLine;
}

QVariant CorpusConcordanceModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const qsizetype attestation = m_concordance.attestation(index.row());
    if (index.column() == numberColumn) {
        if (role == Qt::DisplayRole)
            return groupedFigure(attestation + 1);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
        return QVariant();
    }
    if (index.column() != lineColumn()) {
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return m_concordance.corpus().textName(m_concordance.textOf(attestation));
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
        const ConcordanceLine &line = lineOf(index.row());
        return line.left + u' ' + line.form + u' ' + line.right;
    }
    case ConcordanceLineDelegate::LeftRole:
        return lineOf(index.row()).left;
    case ConcordanceLineDelegate::FormRole:
        return lineOf(index.row()).form;
    case ConcordanceLineDelegate::RightRole:
        return lineOf(index.row()).right;
    default:
        return QVariant();
    }
}

QVariant CorpusConcordanceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == numberColumn)
        return concordanceColumns[0].toString();
    return section == lineColumn() ? u"Contexte"_s : u"Texte"_s;
}

} // namespace lexalon
