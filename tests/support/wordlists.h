// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/wordlist.h"

#include <QString>

#include <utility>
#include <vector>

namespace lexalon::testing {

// A word list of the given forms and counts, in the order given.
inline WordList wordList(const std::vector<std::pair<QString, qint64>> &rows)
{
    TextStore forms;
    for (const auto &row : rows)
        forms.append(row.first);
    WordList list(std::move(forms));
    for (size_t i = 0; i < rows.size(); ++i)
        list.append(TextStore::Index(i), rows[i].second);
    return list;
}

// Forms "forme1", "forme2"... each counted as many times as its number.
inline WordList numberedWordList(int formRows)
{
    std::vector<std::pair<QString, qint64>> rows;
    for (int r = 1; r <= formRows; ++r)
        rows.emplace_back(QStringLiteral("forme%1").arg(r), r);
    return wordList(rows);
}

} // namespace lexalon::testing
