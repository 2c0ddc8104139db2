// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/corpuslistmodel.h"

#include "wordforms/corpus.h"
#include "wordforms/figures.h"

#include <QLocale>

#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

QString perTenThousand(qint64 count, qint64 whole)
{
    const double value = whole > 0 ? double(count) * 10000.0 / double(whole) : 0.0;
    return decimalFigure(value, 2);
}

CorpusListModel::CorpusListModel(const Corpus &corpus, QObject *parent)
    : QAbstractTableModel(parent)
    , m_corpus(corpus)
    , m_selection(corpus.list())
{
}

void CorpusListModel::setFilter(ListFilter filter)
{
    beginResetModel();
    m_selection.setFilter(std::move(filter));
    endResetModel();
}

void CorpusListModel::sortByColumn(int column)
{
    beginResetModel();
    if (column == formColumn)
        m_selection.sortBy(ListSelection::Key::Form);
    else if (column == totalColumn || column == perTenThousandColumn)
        m_selection.sortBy(ListSelection::Key::Total);
    else
        m_selection.sortBy(ListSelection::Key::Text, column - firstTextColumn);
    m_sortColumn = column;
    endResetModel();
}

int CorpusListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_selection.size());
}

int CorpusListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : firstTextColumn + int(m_corpus.textCount());
}

qint64 CorpusListModel::countIn(qsizetype listRow, int column) const
{
    const WordList &list = m_corpus.list();
    if (column < firstTextColumn)
        return list.count(listRow);
    return ListSelection::textCount(list, listRow, column - firstTextColumn);
}

QVariant CorpusListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const qsizetype row = m_selection.listRow(index.row());
    const WordList &list = m_corpus.list();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == formColumn)
            return shownForm(list.form(row));
        if (column == perTenThousandColumn)
            return perTenThousand(list.count(row), list.totalCount());
        return groupedFigure(countIn(row, column));
    case Qt::ToolTipRole:
        if (column == formColumn)
            return shownForm(list.form(row));
        if (column >= firstTextColumn) {
            const qint64 count = countIn(row, column);
            return u"%1 dans %2 (%3 pour 10 000)"_s.arg(countOf(count, u"attestation", u"attestations"),
                                                      m_corpus.textName(column - firstTextColumn),
                                                      perTenThousand(count, m_corpus.text(column - firstTextColumn).list().totalCount()));
        }
        return countOf(list.count(row), u"attestation", u"attestations");
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (column == formColumn ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return QVariant();
    }
}

QVariant CorpusListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        if (section == formColumn)
            return u"Forme"_s;
        if (section == totalColumn)
            return u"Total"_s;
        if (section == perTenThousandColumn)
            return u"Pour 10 000"_s;
        return m_corpus.textName(section - firstTextColumn);
    case Qt::ToolTipRole:
        if (section == formColumn)
            return u"Trier les formes dans l'ordre alphabétique"_s;
        if (section < firstTextColumn)
            return u"Trier par nombre d'attestations dans tout le corpus"_s;
        return u"Trier par nombre d'attestations dans « %1 »"_s.arg(m_corpus.textName(section - firstTextColumn));
    default:
        return QVariant();
    }
}

} // namespace lexalon
