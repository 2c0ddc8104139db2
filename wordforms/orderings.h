#pragma once

#include <QString>
#include <QtGlobal>

namespace lexalon {

class BusyPointer;
class TokenList;
class WordGrid;

inline constexpr auto captionToFrequencies = u"Tri par fréquences décroissantes";
inline constexpr auto captionToAlphabetical = u"Tri alphabétique";

// Sorts the token list so that equal forms stand together, in alphabetical order.
void trierJetons(TokenList &grille02);

// Reorder every form row of the word list; the current cell stays.
void trierAlphabetique(WordGrid &grille01, BusyPointer &pointer);
void trierFrequences(WordGrid &grille01, BusyPointer &pointer);

// The order toggle behind the word list's button, whose caption names the
// order the next press applies.
class OrderToggle
{
public:
    qint16 ordreAlpha() const { return m_ordreAlpha; }
    QString caption() const;
    void toggle(WordGrid &grille01, BusyPointer &pointer);

private:
    qint16 m_ordreAlpha = 1; // 1 alphabetical, 0 decreasing frequency
};

} // namespace lexalon
