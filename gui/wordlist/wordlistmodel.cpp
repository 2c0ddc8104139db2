// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wordlist/wordlistmodel.h"

#include "wordforms/figures.h"
#include "wordforms/textstudy.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <utility>

namespace lexalon {

namespace {

inline constexpr QColor cellColour{255, 255, 255};
inline constexpr QColor formCellColour{255, 255, 128};
inline constexpr QColor textColour{0, 0, 0};

// Only the weight is given: the rest of the font is the view's.
QFont boldFont()
{
    QFont font;
    font.setBold(true);
    return font;
}

} // namespace

WordListModel::WordListModel(std::shared_ptr<TextStudy> study, QObject *parent)
    : QAbstractTableModel(parent)
    , m_study(std::move(study))
{
}

const WordList &WordListModel::list() const
{
    return m_study->list();
}

void WordListModel::sort(WordList::Order order)
{
    m_study->sort(order);
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int WordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(list().size());
}

int WordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant WordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const bool isForm = index.column() == formColumn;
    switch (role) {
    case Qt::DisplayRole:
        return isForm ? shownForm(list().form(index.row())) : QString::number(list().count(index.row()));
    case Qt::ToolTipRole:
        // A form too long for its column is cut with an ellipsis; here it is whole.
        return isForm ? shownForm(list().form(index.row())) : QVariant();
    case Qt::BackgroundRole:
        return QBrush(isForm ? formCellColour : cellColour);
    case Qt::ForegroundRole:
        // The cells' colours are fixed: so is their text's, whatever the theme.
        return QBrush(textColour);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (isForm ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return QVariant();
    }
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf16(section == formColumn ? formsHeading : countHeading);
    case Qt::FontRole:
        return boldFont();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

Qt::ItemFlags WordListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.column() == formColumn)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace lexalon
