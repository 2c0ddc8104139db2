#pragma once

#include "wordforms/wordgrid.h"

#include <QString>

#include <utility>
#include <vector>

namespace lexalon::testing {

using Row = std::pair<QString, QString>;

// A word list as the word-list window holds it: the heading row, then the
// given rows of form and count.
inline WordGrid wordList(const std::vector<Row> &rows,
                         const Row &heading = {QStringLiteral("Formes"), QStringLiteral("Nombre d'attestations")})
{
    WordGrid grid(1, 2, 1, 1);
    grid.setRows(int(rows.size()) + 1);
    grid.setCellText(0, 0, heading.first);
    grid.setCellText(0, 1, heading.second);
    for (int r = 0; r < int(rows.size()); ++r) {
        grid.setCellText(r + 1, 0, rows[size_t(r)].first);
        grid.setCellText(r + 1, 1, rows[size_t(r)].second);
    }
    return grid;
}

// Forms "forme1", "forme2"... with the count of each equal to its row.
inline WordGrid numberedWordList(int formRows)
{
    std::vector<Row> rows;
    for (int r = 1; r <= formRows; ++r)
        rows.emplace_back(QStringLiteral("forme") + QString::number(r), QString::number(r));
    return wordList(rows);
}

} // namespace lexalon::testing
