// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/lineindex.h"

#include <QString>

namespace lexalon {

class ParagraphIndex;

// What the user has selected: from the anchor, where the selection began, to
// the position of the cursor. Positions never fall inside a CR LF pair.
struct TextSelection
{
    qsizetype anchor = 0;
    qsizetype position = 0;

    TextRange range() const;
    bool isEmpty() const { return anchor == position; }
};

// Cursor moves through a text, the line breaks included: a line break of one
// or two characters is one step. Within a line the steps follow the
// boundaries of grapheme clusters and of words.
qsizetype nextCharacter(const ParagraphIndex &text, qsizetype position);
qsizetype previousCharacter(const ParagraphIndex &text, qsizetype position);
// The start of the next word, or the end of the line, then the next line.
qsizetype nextWord(const ParagraphIndex &text, qsizetype position);
// The start of this word or of the one before, or the end of the line above.
qsizetype previousWord(const ParagraphIndex &text, qsizetype position);
// The word, or the run of blanks or punctuation, that holds the character at
// a position: what a double click on that character selects.
TextRange wordAt(const ParagraphIndex &text, qsizetype position);

// The characters of a range exactly as the text holds them.
QString textOf(const ParagraphIndex &text, TextRange range);

} // namespace lexalon
