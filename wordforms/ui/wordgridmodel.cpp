#include "wordforms/ui/wordgridmodel.h"

#include "wordforms/analysis.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <utility>

namespace lexalon {

namespace {

inline constexpr QColor cellColour{255, 255, 255};
inline constexpr QColor fixedCellColour{255, 255, 128};
inline constexpr QColor fixedTextColour{0, 0, 0};
// No column is wide enough to show more of a text: a form of millions of
// letters would otherwise be copied and laid out whole at each repaint. The
// view elides the shown part exactly as it would the whole.
inline constexpr qsizetype shownCharacters = 4096;

// Only the weight is given: the rest of the font is the view's.
QVariant boldFont(bool bold)
{
    if (!bold)
        return QVariant();
    QFont font;
    font.setBold(true);
    return font;
}

} // namespace

WordGridModel::WordGridModel(WordGrid grid, QObject *parent)
    : QAbstractTableModel(parent)
    , m_grid(std::move(grid))
{
}

int WordGridModel::gridRow(int modelRow) const
{
    return modelRow + m_grid.FixedRows();
}

int WordGridModel::modelRow(int gridRow) const
{
    return gridRow - m_grid.FixedRows();
}

int WordGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid.Rows() - m_grid.FixedRows();
}

int WordGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid.Cols();
}

bool WordGridModel::isFixedColumn(int column) const
{
    return column < m_grid.FixedCols();
}

QVariant WordGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = gridRow(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return m_grid.cellText(row, column, shownCharacters);
    case Qt::FontRole:
        return boldFont(m_grid.cellFontBold(row, column));
    case Qt::BackgroundRole:
        return QBrush(isFixedColumn(column) ? fixedCellColour : cellColour);
    case Qt::ForegroundRole:
        return isFixedColumn(column) ? QVariant(QBrush(fixedTextColour)) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter
                                   | (column == countColumn ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return QVariant();
    }
}

QVariant WordGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_grid.Cols()
        || m_grid.FixedRows() == 0)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return m_grid.cellText(0, section);
    case Qt::FontRole:
        return boldFont(m_grid.cellFontBold(0, section));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

Qt::ItemFlags WordGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || isFixedColumn(index.column()))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void WordGridModel::refill(const std::function<void(WordGrid &)> &change)
{
    beginResetModel();
    change(m_grid);
    endResetModel();
}

void WordGridModel::edit(const std::function<void(WordGrid &)> &change)
{
    change(m_grid);
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

} // namespace lexalon
