#include "wordforms/analysis.h"

#include "wordforms/tokenlist.h"
#include "wordforms/wordlist.h"

namespace lexalon {

namespace {

// A rough guess that spares most regrowth of the token list: French prose
// has about one form every six characters.
constexpr qsizetype charactersPerToken = 6;

} // namespace

void collectForms(QStringView text, TokenList &tokens)
{
    tokens.reserve(text.size() / charactersPerToken, text.size());
    tokens.appendFormsOf(text);
}

// Sorted, equal tokens stand together: one row per run, with its length.
WordList listForms(TokenList &tokens)
{
    tokens.sortByForm();
    const qsizetype size = tokens.size();
    qsizetype runs = 0;
    for (qsizetype i = 0; i < size; ++i)
        runs += i == 0 || tokens.token(i) != tokens.token(i - 1);

    WordList list(tokens.takeForms());
    list.reserve(runs);
    for (qsizetype i = 0; i < size;) {
        const TokenList::FormId id = tokens.token(i);
        const qsizetype first = i;
        while (i < size && tokens.token(i) == id)
            ++i;
        list.append(id, i - first);
    }
    return list;
}

WordList analyseText(QStringView text)
{
    TokenList tokens;
    collectForms(text, tokens);
    return listForms(tokens);
}

} // namespace lexalon
