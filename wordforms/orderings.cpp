#include "wordforms/orderings.h"

#include "platform/busypointer.h"
#include "platform/busyscope.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordgrid.h"

namespace lexalon {

namespace {

// Sorts every form row: a block of rows the user selected would otherwise be
// sorted alone, leaving the list in mixed order under a caption that claims
// otherwise. The current cell does not move; a sort that runs out of memory
// leaves the rows as they were.
void sortWholeList(WordGrid &grille01, BusyPointer &pointer, int lastKeyColumn,
                   WordGrid::SortMode mode)
{
    const BusyScope busy(pointer);
    grille01.setRowSel(grille01.Row());
    grille01.setColSel(lastKeyColumn);
    grille01.setSort(mode);
}

} // namespace

void trierJetons(TokenList &grille02)
{
    grille02.sortByForm();
}

void trierAlphabetique(WordGrid &grille01, BusyPointer &pointer)
{
    sortWholeList(grille01, pointer, 0, WordGrid::SortMode::GenericAscending);
}

void trierFrequences(WordGrid &grille01, BusyPointer &pointer)
{
    sortWholeList(grille01, pointer, 1, WordGrid::SortMode::GenericDescending);
}

QString OrderToggle::caption() const
{
    return QString::fromUtf16(m_ordreAlpha == 1 ? captionToFrequencies : captionToAlphabetical);
}

void OrderToggle::toggle(WordGrid &grille01, BusyPointer &pointer)
{
    if (m_ordreAlpha == 1) {
        trierFrequences(grille01, pointer);
        m_ordreAlpha = 0;
    } else {
        trierAlphabetique(grille01, pointer);
        m_ordreAlpha = 1;
    }
}

} // namespace lexalon
