// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QTableView;
class QWidget;

namespace lexalon {

// A table of the workspace: read only, a row chosen at a time, rows of one
// fixed height however many, no row numbers, Tab leaving it, the selection
// readable on any theme; named for tests and screen readers.
QTableView *newCorpusTable(QWidget *parent, const QString &name, const QString &accessibleName);

} // namespace lexalon
