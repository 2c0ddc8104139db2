#include "wordforms/formsearch.h"

#include "wordforms/analysis.h"
#include "wordforms/wordgrid.h"

namespace lexalon {

int firstRowStartingWith(const WordGrid &grille01, QStringView prefix)
{
    for (int row = grille01.FixedRows(); row < grille01.Rows(); ++row) {
        if (QStringView(grille01.cellText(row, formColumn)).startsWith(prefix, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

} // namespace lexalon
