#include "wordforms/analysis.h"

#include "wordforms/orderings.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordgrid.h"

#include <QString>

#include <vector>

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

// One row per run of equal tokens: the form and the length of its run.
qint64 groupRuns(const TokenList &grille02, WordGrid &grille01)
{
    struct Run
    {
        TokenList::FormId form;
        qint64 count;
    };
    std::vector<Run> runs;
    runs.reserve(size_t(grille02.formCount()));
    for (qsizetype i = 0; i < grille02.size(); ++i) {
        const TokenList::FormId id = grille02.token(i);
        if (!runs.empty() && runs.back().form == id)
            ++runs.back().count;
        else
            runs.push_back({id, 1});
    }

    grille01.setRows(int(runs.size()) + 1);
    int row = 1;
    for (const Run &run : runs) {
        grille01.setCellText(row, formColumn, grille02.form(run.form).toString());
        grille01.setCellText(row, countColumn, QString::number(run.count));
        ++row;
    }
    return qint64(runs.size());
}

} // namespace

WordStatistics analyseText(QStringView text, TokenList &grille02, WordGrid &grille01)
{
    WordStatistics statistics;
    grille02.reserve(text.size() / charactersPerToken);
    grille02.appendFormsOf(text);
    trierJetons(grille02);
    statistics.total = grille02.size();

    prepareWordList(grille01);
    statistics.different = groupRuns(grille02, grille01);

    const int lastRow = grille01.Rows() - 1;
    grille01.setRow(lastRow);
    grille01.setCol(countColumn);
    return statistics;
}

} // namespace lexalon
