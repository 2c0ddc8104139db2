#pragma once

#include <QStringView>

namespace lexalon {

class WordGrid;

// The word list's columns below its heading row.
inline constexpr int formColumn = 0;
inline constexpr int countColumn = 1;

// The first row of the word list, from the top, whose form begins with the
// prefix, case ignored; -1 when no form does.
int firstRowStartingWith(const WordGrid &grille01, QStringView prefix);

} // namespace lexalon
