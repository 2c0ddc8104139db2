#pragma once

#include "wordforms/wordgrid.h"

#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace lexalon::testing {

using Rows = std::vector<std::pair<std::string, std::string>>;

// The form rows of a word list, below its heading, as UTF-8 pairs.
inline Rows formRows(const WordGrid &grid)
{
    Rows rows;
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r)
        rows.emplace_back(grid.cellText(r, 0).toStdString(), grid.cellText(r, 1).toStdString());
    return rows;
}

inline WordGrid wordListOf(const Rows &rows)
{
    WordGrid grid(int(rows.size()) + 1, 2, 1, 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        grid.setCellText(int(i) + 1, 0, QString::fromStdString(rows[i].first));
        grid.setCellText(int(i) + 1, 1, QString::fromStdString(rows[i].second));
    }
    return grid;
}

} // namespace lexalon::testing
