#pragma once

#include <QStringView>

namespace lexalon {

class TokenList;
class WordList;

// Cuts the text into lower-cased forms and lists the different ones with
// their numbers of attestations, in alphabetical order.
WordList analyseText(QStringView text);

// The same in two steps, so that the text can be given back between them:
// the forms of the text into the token list, then the word list from it. The
// word list takes the forms over: the token list keeps only its tokens.
void collectForms(QStringView text, TokenList &tokens);
WordList listForms(TokenList &tokens);

} // namespace lexalon
