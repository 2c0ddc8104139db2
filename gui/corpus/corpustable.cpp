// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/corpustable.h"

#include "gui/look/windowlook.h"

#include <QHeaderView>
#include <QTableView>

namespace lexalon {

QTableView *newCorpusTable(QWidget *parent, const QString &name, const QString &accessibleName)
{
    auto *table = new QTableView(parent);
    table->setObjectName(name);
    table->setAccessibleName(accessibleName);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    setReadableSelection(table);
    return table;
}

} // namespace lexalon
