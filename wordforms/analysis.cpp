#include "wordforms/analysis.h"

#include "platform/taskprogress.h"
#include "wordforms/letters.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordlist.h"

#include <utility>
#include <vector>

namespace lexalon {

namespace {

// A rough guess that spares most regrowth of the token list: French prose
// has about one form every six characters.
constexpr qsizetype charactersPerToken = 6;

// The rows come in the forms' order, each form numbered by its id.
WordList wordListOf(TokenList &tokens, const std::vector<TokenList::CountedForm> &forms)
{
    WordList list(tokens.takeForms());
    list.reserve(qsizetype(forms.size()));
    for (const TokenList::CountedForm &form : forms)
        list.append(form.id, form.tokens);
    return list;
}

} // namespace

QString listedForm(QStringView word)
{
    QString form = word.toString().normalized(QString::NormalizationForm_C);
    for (QChar &c : form) {
        if (!isLetter(c.unicode()))
            return {};
        c = QChar(foldLetter(c.unicode()));
    }
    return form;
}

void collectForms(QStringView text, TokenList &tokens, TaskProgress *progress)
{
    tokens.reserve(text.size() / charactersPerToken, text.size());
    tokens.appendFormsOf(text, progress);
}

WordList listForms(TokenList &tokens)
{
    return wordListOf(tokens, tokens.formsInOrder());
}

WordList analyseText(QStringView text)
{
    TokenList tokens;
    collectForms(text, tokens);
    return listForms(tokens);
}

TextAnalysis analyseTextWithTokens(QStringView text, TaskProgress *progress)
{
    if (progress)
        progress->setTotal(text.size());
    TokenList tokens;
    tokens.keepStarts();
    collectForms(text, tokens, progress);
    const std::vector<TokenList::CountedForm> forms = tokens.formsInOrder();
    std::vector<TextTokens::Rank> rankOf(forms.size());
    for (size_t rank = 0; rank < forms.size(); ++rank)
        rankOf[forms[rank].id] = TextTokens::Rank(rank);

    LargeVector<TokenList::FormId> ranks = tokens.takeTokens();
    for (TokenList::FormId &token : ranks)
        token = rankOf[token];
    TextTokens textTokens(std::move(ranks), tokens.takeStarts());
    TextAnalysis analysis{wordListOf(tokens, forms), std::move(textTokens)};
    if (progress)
        progress->advance(text.size());
    return analysis;
}

} // namespace lexalon
