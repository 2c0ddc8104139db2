#include "output/gridcursor.h"

#include "wordforms/analysis.h"
#include "wordforms/wordgrid.h"

namespace lexalon {

namespace {


} // namespace

void leaveCursorAfterReading(WordGrid &grille01)
{
    grille01.setRow(grille01.Rows() - 1);
    grille01.setCol(countColumn);
}

} // namespace lexalon
