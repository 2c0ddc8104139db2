// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/corpustextsmodel.h"

#include "wordforms/corpus.h"
#include "wordforms/figures.h"

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr QStringView headings[] = {u"Texte", u"Formes", u"Différentes"};

} // namespace

CorpusTextsModel::CorpusTextsModel(const Corpus &corpus, QObject *parent)
    : QAbstractTableModel(parent)
    , m_corpus(corpus)
{
}

int CorpusTextsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_corpus.textCount()) + 1;
}

int CorpusTextsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(std::size(headings));
}

QVariant CorpusTextsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const qsizetype text = textOfRow(index.row());
    const WordList &list = text < 0 ? m_corpus.list() : m_corpus.text(text).list();
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == 0)
            return text < 0 ? countOf(m_corpus.textCount(), u"texte", u"textes") : m_corpus.textName(text);
        return groupedFigure(index.column() == 1 ? list.totalCount() : list.size());
    case Qt::ToolTipRole:
        return u"%1 : %2, %3"_s.arg(text < 0 ? u"Tout le corpus"_s : m_corpus.textName(text),
                                   countOf(list.totalCount(), u"forme", u"formes"),
                                   countOf(list.size(), u"forme différente", u"formes différentes"));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return QVariant();
    }
}

QVariant CorpusTextsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return headings[section].toString();
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace lexalon
