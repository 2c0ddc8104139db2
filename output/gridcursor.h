#pragma once

namespace lexalon {

class WordGrid;

// Where reading every row of the word list, one cell after the other, leaves
// its current cell: the last row (the heading when there is no other), the
// count column.
void leaveCursorAfterReading(WordGrid &grille01);

} // namespace lexalon
