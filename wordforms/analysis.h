#pragma once

#include <QStringView>
#include <QtGlobal>

namespace lexalon {

class TokenList;
class WordGrid;

struct WordStatistics
{
    qint64 total = 0;     // every attestation of every form
    qint64 different = 0; // rows of the word list below its heading
};

// The word list's columns: the form, and its number of attestations.
inline constexpr int formColumn = 0;
inline constexpr int countColumn = 1;

// The word list's heading row.
inline constexpr auto headingForms = u"Formes";
inline constexpr auto headingCount = u"Nombre d'attestations";
inline constexpr int countColumnWidth = 2000; // twips

// Cuts the text into lower-cased forms (the token list, sorted), then fills
// the word list with one row per different form and its number of
// attestations, in alphabetical order, under the heading row. Leaves the
// current cell on the last row's count. The word list takes the forms over:
// the token list keeps only its tokens.
WordStatistics analyseText(QStringView text, TokenList &grille02, WordGrid &grille01);

// The same in two steps, so that the text can be given back between them:
// the forms of the text into the token list, then the word list from it.
void collectForms(QStringView text, TokenList &grille02);
WordStatistics listForms(TokenList &grille02, WordGrid &grille01);

} // namespace lexalon
