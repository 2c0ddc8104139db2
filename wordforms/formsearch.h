#pragma once

#include <QStringView>

namespace lexalon {

class WordGrid;

// The first row of the word list, from the top, whose form begins with the
// prefix, case ignored; -1 when no form does.
int firstRowStartingWith(const WordGrid &grille01, QStringView prefix);

} // namespace lexalon
