// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wordlist/wordlistview.h"

#include "gui/look/windowlook.h"
#include "gui/wordlist/wordlistmodel.h"
#include "platform/interaction/twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

inline constexpr qreal gridFontPoints = 9;
inline constexpr QColor beyondCellsColour{128, 128, 128};
inline constexpr QColor selectedTextColour{128, 128, 128};
// Navy, not the desktop's highlight: the grey text reads on it.
inline constexpr QColor selectedCellColour{0, 0, 128};
inline constexpr int listColumnWidth = 2000; // twips
inline constexpr int lineHeight = 270;      // twips

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
    colours.setColor(QPalette::Highlight, selectedCellColour);
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

void WordListView::setListModel(WordListModel *model)
{
    m_model = model;
    setModel(model);
    for (int column = 0; column < model->columnCount(); ++column)
        setColumnWidth(column, twips(listColumnWidth));
}

void WordListView::startAtFirstCount()
{
    selectionModel()->clear();
    scrollToTop();
    if (m_model->rowCount() > 0)
        setCurrentIndex(m_model->index(0, WordListModel::countColumn));
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
    const qsizetype row = m_model->list().firstRowStartingWith(m_typed);
    if (row < 0)
        return;
    setCurrentIndex(m_model->index(int(row), WordListModel::countColumn));
}

void WordListView::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !currentIndex().isValid()) {
        QTableView::keyPressEvent(event);
        return;
    }
    Q_EMIT formChosen(currentIndex().row());
}

void WordListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int row = rowAt(int(event->position().y()));
    if (event->button() == Qt::LeftButton && row >= 0)
        Q_EMIT formChosen(row);
    else
        QTableView::mouseDoubleClickEvent(event);
}

} // namespace lexalon
