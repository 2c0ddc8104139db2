#include "output/gridcursor.h"

#include "wordforms/wordgrid.h"

namespace lexalon {

namespace {

constexpr int countColumn = 1;

} // namespace

void leaveCursorAfterReading(WordGrid &grille01)
{
    grille01.setRow(grille01.Rows() - 1);
    grille01.setCol(countColumn);
}

} // namespace lexalon
