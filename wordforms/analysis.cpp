#include "wordforms/analysis.h"

#include "wordforms/orderings.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordgrid.h"

#include <QString>

#include <cstdint>

namespace lexalon {

namespace {

// A rough guess that spares most regrowth of the token list: French prose
// has about one form every six characters.
constexpr qsizetype charactersPerToken = 6;

void prepareWordList(WordGrid &grille01)
{
    grille01.Clear();
    grille01.setRows(2);
    grille01.setRow(0);
    grille01.setCol(formColumn);
    grille01.setText(QString::fromUtf16(headingForms));
    grille01.setCellFontBold(true);
    grille01.setCol(countColumn);
    grille01.setText(QString::fromUtf16(headingCount));
    grille01.setColWidth(countColumn, countColumnWidth);
    grille01.setCellFontBold(true);
}

// One row per run of equal tokens: the form and the length of its run. The
// forms move to the word list as they are.
qint64 groupRuns(TokenList &grille02, WordGrid &grille01)
{
    const qsizetype tokens = grille02.size();
    qint64 runs = 0;
    for (qsizetype i = 0; i < tokens; ++i)
        runs += i == 0 || grille02.token(i) != grille02.token(i - 1);

    grille01.setRows(int(runs) + 1);
    grille01.adoptTexts(grille02.takeForms());
    int row = 1;
    for (qsizetype i = 0; i < tokens;) {
        const TokenList::FormId id = grille02.token(i);
        const qsizetype first = i;
        while (i < tokens && grille02.token(i) == id)
            ++i;
        grille01.setCellAdoptedText(row, formColumn, id);
        grille01.setCellCount(row, countColumn, std::uint64_t(i - first));
        ++row;
    }
    return runs;
}

} // namespace

void collectForms(QStringView text, TokenList &grille02)
{
    grille02.reserve(text.size() / charactersPerToken, text.size());
    grille02.appendFormsOf(text);
}

WordStatistics listForms(TokenList &grille02, WordGrid &grille01)
{
    WordStatistics statistics;
    trierJetons(grille02);
    statistics.total = grille02.size();

    prepareWordList(grille01);
    statistics.different = groupRuns(grille02, grille01);

    const int lastRow = grille01.Rows() - 1;
    grille01.setRow(lastRow);
    grille01.setCol(countColumn);
    return statistics;
}

WordStatistics analyseText(QStringView text, TokenList &grille02, WordGrid &grille01)
{
    collectForms(text, grille02);
    return listForms(grille02, grille01);
}

} // namespace lexalon
