// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/analysis.h"

#include "platform/interaction/taskprogress.h"
#include "platform/system/parallelfor.h"
#include "wordforms/letters.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordlist.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
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

// Below this, a text is read on one thread.
constexpr qsizetype leastHalvedText = qsizetype(1) << 20;

// Where a text can be cut in two near its middle: at a character that is
// in no form. The text's length when there is none.
qsizetype cutNearMiddle(QStringView text)
{
    for (qsizetype at = text.size() / 2; at < text.size(); ++at) {
        if (text[at].unicode() < 0x80 && !isLetter(text[at].unicode()))
            return at;
    }
    return text.size();
}

// The forms of a long text into the token list, kept in text order, its
// second half read on a thread of its own. Only the first half reports
// progress; a stop asked for stops both.
void collectFormsInTwo(QStringView text, TokenList &tokens, TaskProgress *progress)
{
    const qsizetype cut = text.size() >= leastHalvedText && std::thread::hardware_concurrency() > 1
                              && text.size() <= qsizetype(std::numeric_limits<std::uint32_t>::max())
                              ? cutNearMiddle(text)
                              : text.size();
    if (cut == text.size()) {
        collectForms(text, tokens, progress);
        return;
    }
    TokenList later;
    later.keepStarts();
    TaskProgress laterProgress;
    parallelFor(2, 2, [&](size_t half, size_t) {
        if (half == 1) {
            try {
                collectForms(text.sliced(cut), later, &laterProgress);
            } catch (const TaskCancelled &) {
                // Asked by the first half, which throws its own failure.
            }
            return;
        }
        try {
            tokens.reserve(text.size() / charactersPerToken, text.size());
            tokens.appendFormsOf(text.first(cut), progress);
        } catch (...) {
            laterProgress.cancel();
            throw;
        }
    });
    tokens.appendTokens(std::move(later), cut);
}

// Below this, a part costs more to start on a thread than to count.
constexpr qint64 leastPartBytes = qint64(1) << 20;
// Read a piece at a time into a buffer that stays in the cache.
constexpr size_t pieceBytes = size_t(1) << 18;

// Counts the forms of one part of a text: a task for a thread of its own.
class PartCount
{
public:
    PartCount(ReadBytes read, const std::array<char16_t, 256> &characters)
        : m_read(std::move(read))
        , m_characters(characters)
    {
        m_tokens.countOnly();
    }

    // Room for the forms of that many bytes: set aside, never moved.
    void reserve(qint64 bytes) { m_tokens.reserve(0, qsizetype(bytes)); }

    void count(qint64 from, qint64 to) noexcept
    {
        try {
            m_readFailed = !countByteForms(m_tokens, m_read, from, to, m_characters);
        } catch (...) {
            m_failure = std::current_exception();
        }
    }

    bool readFailed() const { return m_readFailed; }

    TokenList &tokens()
    {
        if (m_failure)
            std::rethrow_exception(m_failure);
        return m_tokens;
    }

private:
    ReadBytes m_read;
    const std::array<char16_t, 256> &m_characters;
    TokenList m_tokens;
    std::exception_ptr m_failure;
    bool m_readFailed = false;
};

} // namespace

// Each piece ends at a separator, so that no form is cut; a form longer than
// the buffer makes it grow.
bool countByteForms(TokenList &tokens, const ReadBytes &read, qint64 from, qint64 to,
                    const std::array<char16_t, 256> &characters)
{
    std::vector<unsigned char> piece(size_t(std::min<qint64>(to - from, pieceBytes)));
    while (from < to) {
        const size_t length = size_t(std::min<qint64>(to - from, qint64(piece.size())));
        if (!read(from, piece.data(), length))
            return false;
        size_t counted = length;
        if (from + qint64(length) < to) {
            while (counted > 0 && isLetter(characters[piece[counted - 1]]))
                --counted;
            if (counted == 0) {
                piece.resize(piece.size() * 2);
                continue;
            }
        }
        tokens.appendFormsOf(piece.data(), counted, characters);
        from += qint64(counted);
    }
    return true;
}

namespace {

// The first separator at or after `from`, or `size`; -1 when a read fails.
qint64 separatorFrom(const ReadBytes &read, qint64 from, qint64 size, const std::array<char16_t, 256> &characters)
{
    constexpr qint64 window = 4096;
    unsigned char bytes[window];
    while (from < size) {
        const qint64 length = std::min(window, size - from);
        if (!read(from, bytes, size_t(length)))
            return -1;
        for (qint64 i = 0; i < length; ++i) {
            if (!isLetter(characters[bytes[i]]))
                return from + i;
        }
        from += length;
    }
    return size;
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
    collectFormsInTwo(text, tokens, progress);
    TextAnalysis analysis = analyseTokens(tokens);
    if (progress)
        progress->advance(text.size());
    return analysis;
}

TextAnalysis analyseTokens(TokenList &tokens)
{
    const std::vector<TokenList::CountedForm> forms = tokens.formsInOrder();
    std::vector<TextTokens::Rank> rankOf(size_t(tokens.formCount()));
    for (size_t rank = 0; rank < forms.size(); ++rank)
        rankOf[forms[rank].id] = TextTokens::Rank(rank);

    LargeVector<TokenList::FormId> ranks = tokens.takeTokens();
    for (TokenList::FormId &token : ranks)
        token = rankOf[token];
    TextTokens textTokens(std::move(ranks), tokens.takeStarts());
    return TextAnalysis{wordListOf(tokens, forms), std::move(textTokens)};
}

bool collectByteForms(qint64 size, const std::function<ReadBytes()> &open,
                      const std::array<char16_t, 256> &characters, TokenList &tokens)
{
    const ReadBytes read = open();
    qint64 cut = size;
    if (size >= 2 * leastPartBytes && std::thread::hardware_concurrency() > 1) {
        cut = separatorFrom(read, size / 2, size, characters);
        if (cut < 0)
            return false;
    }
    if (cut == size)
        return countByteForms(tokens, read, 0, size, characters);
    // Room for the forms of the whole text, set aside, never moved: the
    // later half's are appended there once read.
    tokens.reserve(0, size);
    TokenList later;
    later.reserve(0, size - cut);
    const ReadBytes readLater = open();
    bool firstRead = false;
    bool laterRead = false;
    parallelFor(2, 2, [&](size_t half, size_t) {
        if (half == 0)
            firstRead = countByteForms(tokens, read, 0, cut, characters);
        else
            laterRead = countByteForms(later, readLater, cut, size, characters);
    });
    if (!firstRead || !laterRead)
        return false;
    tokens.appendTokens(std::move(later), cut);
    return true;
}

bool analyseBytes(qint64 size, const std::function<ReadBytes()> &open, const std::array<char16_t, 256> &characters,
                  WordList &list)
{
    const auto cores = qint64(std::max(1u, std::thread::hardware_concurrency()));
    const qint64 parts = std::clamp<qint64>(size / leastPartBytes, 1, cores);
    // Each part but the first starts at a separator.
    std::vector<qint64> starts{0};
    {
        const ReadBytes read = open();
        for (qint64 part = 1; part < parts; ++part) {
            const qint64 start = separatorFrom(read, std::max(starts.back(), size / parts * part), size, characters);
            if (start < 0)
                return false;
            starts.push_back(start);
        }
    }
    starts.push_back(size);

    std::vector<std::unique_ptr<PartCount>> counts;
    for (qint64 part = 0; part < parts; ++part) {
        counts.push_back(std::make_unique<PartCount>(open(), characters));
        // The first part takes in the forms of all the others.
        counts.back()->reserve(part == 0 ? size : starts[size_t(part) + 1] - starts[size_t(part)]);
    }
    parallelFor(size_t(parts), size_t(parts),
                [&](size_t part, size_t) { counts[part]->count(starts[part], starts[part + 1]); });

    TokenList &all = counts[0]->tokens();
    for (const auto &count : counts) {
        if (count->readFailed())
            return false;
    }
    for (size_t part = 1; part < size_t(parts); ++part)
        all.addCounts(std::move(counts[part]->tokens()));
    list = listForms(all);
    return true;
}

} // namespace lexalon
