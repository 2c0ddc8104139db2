#include "wordforms/analysis.h"

#include "platform/taskprogress.h"
#include "wordforms/letters.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordlist.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
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

// Below this, a piece costs more to start on a thread than to count.
constexpr size_t leastPieceBytes = size_t(1) << 20;

// Counts the forms of one piece of a text: a task for a thread of its own.
class PieceCount
{
public:
    PieceCount() { m_tokens.countOnly(); }

    void count(const unsigned char *bytes, size_t size, const std::array<char16_t, 256> &characters) noexcept
    {
        try {
            m_tokens.appendFormsOf(bytes, size, characters);
        } catch (...) {
            m_failure = std::current_exception();
        }
    }

    TokenList &tokens()
    {
        if (m_failure)
            std::rethrow_exception(m_failure);
        return m_tokens;
    }

private:
    TokenList m_tokens;
    std::exception_ptr m_failure;
};

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

WordList analyseBytes(const unsigned char *bytes, size_t size, const std::array<char16_t, 256> &characters)
{
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t pieces = std::clamp<size_t>(size / leastPieceBytes, 1, cores);
    // Each piece but the first starts at a separator: no form is cut.
    std::vector<size_t> starts{0};
    for (size_t piece = 1; piece < pieces; ++piece) {
        size_t start = std::max(starts.back(), size / pieces * piece);
        while (start < size && isLetter(characters[bytes[start]]))
            ++start;
        starts.push_back(start);
    }
    starts.push_back(size);

    std::vector<PieceCount> counts(pieces);
    std::vector<std::thread> threads;
    size_t next = 1;
    try {
        for (; next < pieces; ++next)
            threads.emplace_back(&PieceCount::count, &counts[next], bytes + starts[next], starts[next + 1] - starts[next],
                                 std::cref(characters));
    } catch (const std::system_error &) {
        // No thread to spare: this one counts the pieces left.
    }
    counts[0].count(bytes, starts[1], characters);
    for (size_t piece = next; piece < pieces; ++piece)
        counts[piece].count(bytes + starts[piece], starts[piece + 1] - starts[piece], characters);
    for (std::thread &thread : threads)
        thread.join();

    TokenList &all = counts[0].tokens();
    for (size_t piece = 1; piece < pieces; ++piece)
        all.addCounts(counts[piece].tokens());
    return listForms(all);
}

} // namespace lexalon
