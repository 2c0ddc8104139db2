#include "wordforms/ui/wordlistview.h"

#include "platform/twips.h"
#include "ui/windowlook.h"
#include "wordforms/analysis.h"
#include "wordforms/formsearch.h"
#include "wordforms/ui/wordgridmodel.h"
#include "wordforms/wordgrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QPalette>
#include <QScopedValueRollback>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

inline constexpr qreal gridFontPoints = 9;
inline constexpr QColor beyondCellsColour{128, 128, 128};
inline constexpr QColor selectedTextColour{128, 128, 128};
// Columns whose width the grid does not set, and every row.
inline constexpr int defaultColumnWidth = 2000; // twips
inline constexpr int lineHeight = 270;          // twips

const auto headingStyle = u"QHeaderView::section {"
                          " background-color: rgb(255, 255, 128); color: black;"
                          " border: 0px; border-right: 1px solid rgb(160, 160, 160);"
                          " border-bottom: 1px solid rgb(160, 160, 160); padding-left: 2px; }"_s;

} // namespace

WordListView::WordListView(QWidget *parent)
    : QTableView(parent)
{
    setFont(labelFont(gridFontPoints));
    QPalette colours = palette();
    colours.setColor(QPalette::HighlightedText, selectedTextColour);
    setPalette(colours);
    // Only the area that no cell covers; the scroll bars keep their colours.
    QPalette area = viewport()->palette();
    area.setColor(QPalette::Base, beyondCellsColour);
    viewport()->setPalette(area);

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(twips(lineHeight));
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFixedHeight(twips(lineHeight));
    horizontalHeader()->setStyleSheet(headingStyle);
}

void WordListView::setGridModel(WordGridModel *model)
{
    m_model = model;
    setModel(model);
    connect(model, &QAbstractItemModel::modelReset, this, &WordListView::applyColumnWidths);
    connect(model, &QAbstractItemModel::modelReset, this, &WordListView::followGrid);
    connect(model, &QAbstractItemModel::dataChanged, this, &WordListView::followGrid);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &WordListView::gridFollowsView);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &WordListView::gridFollowsView);
    applyColumnWidths();
    followGrid();
}

void WordListView::applyColumnWidths()
{
    const WordGrid &grid = m_model->grid();
    for (int column = 0; column < grid.Cols(); ++column) {
        const int width = grid.ColWidth(column);
        setColumnWidth(column, twips(width >= 0 ? width : defaultColumnWidth));
    }
}

void WordListView::followGrid()
{
    const QScopedValueRollback following(m_followingGrid, true);
    const WordGrid &grid = m_model->grid();
    const int row = m_model->modelRow(grid.Row());
    if (row < 0 || row >= m_model->rowCount() || grid.Col() < grid.FixedCols()) {
        selectionModel()->clear();
        return;
    }
    const int rowSel = std::clamp(m_model->modelRow(grid.RowSel()), 0, m_model->rowCount() - 1);
    const int colSel = std::max(grid.ColSel(), grid.FixedCols());
    const QModelIndex current = m_model->index(row, grid.Col());
    // The grid's current cell moves without scrolling the list, before the
    // window is shown as after.
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    setAutoScroll(true);
    if (rowSel == row && colSel == grid.Col()) {
        selectionModel()->clearSelection();
        return;
    }
    const QItemSelection block(
        m_model->index(std::min(row, rowSel), std::min(grid.Col(), colSel)),
        m_model->index(std::max(row, rowSel), std::max(grid.Col(), colSel)));
    selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

void WordListView::gridFollowsView()
{
    if (m_followingGrid)
        return;
    const QModelIndex current = selectionModel()->currentIndex();
    WordGrid &grid = m_model->grid();
    if (!current.isValid() || current.column() < grid.FixedCols())
        return;
    // The grid's selection runs from its current cell to the opposite corner.
    int rowSel = current.row();
    int colSel = current.column();
    const QItemSelection selection = selectionModel()->selection();
    for (const QItemSelectionRange &range : selection) {
        if (range.contains(current)) {
            rowSel = current.row() == range.top() ? range.bottom() : range.top();
            colSel = current.column() == range.left() ? range.right() : range.left();
            break;
        }
    }
    grid.setRow(m_model->gridRow(current.row()));
    grid.setCol(current.column());
    grid.setRowSel(m_model->gridRow(rowSel));
    grid.setColSel(std::max(colSel, grid.FixedCols()));
}

void WordListView::keyboardSearch(const QString &search)
{
    if (!m_model)
        return;
    if (search.isEmpty()) {
        m_typed.clear();
        return;
    }
    if (!m_sinceLastKey.isValid() || m_sinceLastKey.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_typed += search;
    m_sinceLastKey.start();
    const int row = firstRowStartingWith(m_model->grid(), m_typed);
    if (row < 0)
        return;
    setCurrentIndex(m_model->index(m_model->modelRow(row), countColumn));
}

} // namespace lexalon
