// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/concordance.h"

#include "platform/interaction/taskprogress.h"
#include "wordforms/attestationsort.h"
#include "wordforms/letters.h"

#include <QChar>

#include <algorithm>
#include <cstdlib>

namespace lexalon {

namespace {

// A context never holds more than this many characters a word: a run of
// thousands of separators or a form of millions of letters is cut.
constexpr qsizetype charactersPerWord = 40;
// How far a paragraph reaches each side of its form.
constexpr qsizetype paragraphReach = 600;
// Tokens read between two reports of progress: some milliseconds.
constexpr size_t tokensPerReport = size_t(1) << 20;

constexpr char16_t pilcrow = u'\u00B6';
constexpr char16_t ellipsis = u'\u2026';

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// Breaks a line in a context: besides CR and LF, the next-line control and
// Unicode's line and paragraph separators.
bool breaksContextLine(char16_t c)
{
    return isLineBreak(c) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A line break, CR LF included, is one pilcrow; any other control character
// is a space. Runs of other characters are appended whole.
void appendOneLine(QStringView text, QString &into)
{
    qsizetype kept = 0; // where the run of characters kept as they are begins
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (!isControl(c) && !breaksContextLine(c))
            continue;
        into.append(text.sliced(kept, i - kept));
        if (breaksContextLine(c)) {
            into += pilcrow;
            i += c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        } else {
            into += u' ';
        }
        kept = i + 1;
    }
    into.append(text.sliced(kept));
}

// The neighbour a sort reads, as an offset from the form's token.
qsizetype neighbourOffset(Concordance::Order order)
{
    switch (order) {
    case Concordance::Order::FirstLeft:
        return -1;
    case Concordance::Order::SecondLeft:
        return -2;
    case Concordance::Order::FirstRight:
        return 1;
    case Concordance::Order::SecondRight:
        return 2;
    case Concordance::Order::Text:
        break;
    }
    return 0;
}

// The last run of letters that ends at `end` or before; empty when none.
TextSpan wordBefore(QStringView context, qsizetype end)
{
    while (end > 0 && !isLetter(context[end - 1].unicode()))
        --end;
    qsizetype begin = end;
    while (begin > 0 && isLetter(context[begin - 1].unicode()))
        --begin;
    return {begin, end};
}

// The first run of letters that starts at `begin` or after; empty when none.
TextSpan wordAfter(QStringView context, qsizetype begin)
{
    while (begin < context.size() && !isLetter(context[begin].unicode()))
        ++begin;
    qsizetype end = begin;
    while (end < context.size() && isLetter(context[end].unicode()))
        ++end;
    return {begin, end};
}

} // namespace

Concordance::Concordance(QStringView text, const TextTokens &tokens, TextTokens::Rank form, TaskProgress *progress)
    : m_text(text)
    , m_tokens(&tokens)
{
    collect([form](TextTokens::Rank rank) { return rank == form; }, progress);
}

Concordance::Concordance(QStringView text, const TextTokens &tokens, std::span<const TextTokens::Rank> forms,
                         TaskProgress *progress)
    : m_text(text)
    , m_tokens(&tokens)
{
    std::vector<bool> wanted(forms.empty() ? 0 : size_t(forms.back()) + 1);
    for (const TextTokens::Rank form : forms)
        wanted[form] = true;
    collect([&wanted](TextTokens::Rank rank) { return rank < wanted.size() && wanted[rank]; }, progress);
}

template <typename Wanted>
void Concordance::collect(Wanted wanted, TaskProgress *progress)
{
    const LargeVector<TextTokens::Rank> &ranks = m_tokens->ranks();
    if (progress)
        progress->setTotal(qint64(ranks.size()));
    for (size_t token = 0; token < ranks.size(); ++token) {
        if (progress && token % tokensPerReport == 0)
            progress->advance(qint64(token));
        if (wanted(ranks[token]))
            m_tokenOf.push_back(std::uint32_t(token));
    }
    sort(Order::Text);
}

std::optional<TextTokens::Rank> Concordance::neighbour(qsizetype attestation, Order order) const
{
    const qsizetype offset = neighbourOffset(order);
    const qsizetype token = qsizetype(m_tokenOf[size_t(attestation)]) + offset;
    if (offset == 0 || token < 0 || token >= m_tokens->size())
        return std::nullopt;
    return m_tokens->rank(token);
}

// Each attestation's key is its neighbour's rank, above no neighbour.
Concordance::Arrangement Concordance::arranged(Order order, TaskProgress *progress) const
{
    const bool byNeighbour = order != Order::Text;
    AttestationSort sort(m_tokenOf.size(), byNeighbour ? 1 : 0, progress);
    if (byNeighbour) {
        sort.sortBy([&](qsizetype a) {
            const std::optional<TextTokens::Rank> rank = neighbour(a, order);
            return rank ? *rank + 1 : 0;
        });
    }
    std::vector<std::uint32_t> rowOf = sort.rowsOf();
    return {order, sort.takeShown(), std::move(rowOf)};
}

void Concordance::arrange(Arrangement rows) noexcept
{
    m_shown = std::move(rows.shown);
    m_rowOf = std::move(rows.rowOf);
    m_order = rows.order;
}

qsizetype Concordance::tokenEnd(qsizetype token) const
{
    qsizetype end = m_tokens->start(token);
    while (end < m_text.size() && isLetter(m_text[end].unicode()))
        ++end;
    return end;
}

TextSpan Concordance::span(qsizetype attestation) const
{
    const qsizetype token = m_tokenOf[size_t(attestation)];
    return {m_tokens->start(token), tokenEnd(token)};
}

Concordance::Context Concordance::context(qsizetype attestation, int words) const
{
    const qsizetype token = m_tokenOf[size_t(attestation)];
    Context context{.form = span(attestation)};
    const qsizetype room = charactersPerWord * words;

    context.begin = token >= words ? m_tokens->start(token - words) : 0;
    context.cutLeft = context.form.begin - context.begin > room;
    if (context.cutLeft) {
        context.begin = context.form.begin - room;
        context.begin += QChar::isLowSurrogate(m_text[context.begin].unicode());
    }
    context.end = token + words < m_tokens->size() ? tokenEnd(token + words) : m_text.size();
    context.cutRight = context.end - context.form.end > room;
    if (context.cutRight) {
        context.end = context.form.end + room;
        context.end -= QChar::isHighSurrogate(m_text[context.end - 1].unicode());
    }
    return context;
}

void Concordance::appendLeft(const Context &context, QString &into) const
{
    if (context.cutLeft)
        into += ellipsis;
    appendOneLine(m_text.sliced(context.begin, context.form.begin - context.begin), into);
}

void Concordance::appendRight(const Context &context, QString &into) const
{
    appendOneLine(m_text.sliced(context.form.end, context.end - context.form.end), into);
    if (context.cutRight)
        into += ellipsis;
}

ConcordanceLine Concordance::line(qsizetype attestation, int words) const
{
    const Context context = this->context(attestation, words);
    ConcordanceLine line;
    appendLeft(context, line.left);
    line.form = m_text.sliced(context.form.begin, context.form.end - context.form.begin).toString();
    appendRight(context, line.right);
    return line;
}

void Concordance::appendLine(qsizetype attestation, int words, QString &into) const
{
    const Context context = this->context(attestation, words);
    appendLeft(context, into);
    into += u'\t';
    into.append(m_text.sliced(context.form.begin, context.form.end - context.form.begin));
    into += u'\t';
    appendRight(context, into);
}

// A blank line is two line breaks with nothing but blanks between them; CR
// LF is one break.
TextSpan Concordance::paragraph(qsizetype attestation) const
{
    const TextSpan form = span(attestation);
    const qsizetype size = m_text.size();
    const auto at = [&](qsizetype i) { return m_text[i].unicode(); };

    const qsizetype lowest = std::max<qsizetype>(0, form.begin - paragraphReach);
    qsizetype begin = lowest;
    qsizetype lastBreak = -1; // the break nearest the form seen so far
    bool blank = true; // since that break: read only once there is one
    for (qsizetype i = form.begin - 1; i >= lowest; --i) {
        const char16_t c = at(i);
        if (c == u'\r' && lastBreak == i + 1 && at(i + 1) == u'\n')
            continue;
        if (isLineBreak(c)) {
            if (lastBreak >= 0 && blank) {
                begin = lastBreak + 1;
                break;
            }
            lastBreak = i;
            blank = true;
        } else if (!isBlank(c)) {
            blank = false;
        }
    }
    // A cut paragraph starts at a word.
    if (begin == lowest && lowest > 0) {
        while (begin < form.begin && !isBlank(at(begin - 1)) && !isLineBreak(at(begin - 1)))
            ++begin;
    }

    const qsizetype highest = std::min(size, form.end + paragraphReach);
    qsizetype end = highest;
    lastBreak = -1;
    for (qsizetype i = form.end; i < highest; ++i) {
        const char16_t c = at(i);
        if (c == u'\n' && lastBreak == i - 1 && at(i - 1) == u'\r')
            continue;
        if (isLineBreak(c)) {
            if (lastBreak >= 0 && blank) {
                end = lastBreak;
                break;
            }
            lastBreak = i;
            blank = true;
        } else if (!isBlank(c)) {
            blank = false;
        }
    }
    if (end == highest && highest < size) {
        while (end > form.end && !isBlank(at(end)) && !isLineBreak(at(end)))
            --end;
    }
    return {begin, end};
}

qsizetype Concordance::nearest(qsizetype position) const
{
    if (m_tokenOf.empty())
        return -1;
    const auto after = std::partition_point(m_tokenOf.begin(), m_tokenOf.end(), [&](std::uint32_t token) {
        return m_tokens->start(token) < position;
    });
    if (after == m_tokenOf.end())
        return size() - 1;
    const qsizetype next = after - m_tokenOf.begin();
    if (next == 0)
        return 0;
    const qsizetype before = m_tokens->start(m_tokenOf[size_t(next - 1)]);
    return position - before <= m_tokens->start(*after) - position ? next - 1 : next;
}

std::vector<qsizetype> Concordance::dispersion(qsizetype parts) const
{
    std::vector<qsizetype> counts(size_t(std::max<qsizetype>(parts, 0)), 0);
    if (counts.empty() || m_text.isEmpty())
        return counts;
    for (qsizetype attestation = 0; attestation < size(); ++attestation)
        ++counts[size_t(partOf(attestation, parts))];
    return counts;
}

bool sortsByLeftContext(Concordance::Order order)
{
    return neighbourOffset(order) < 0;
}

TextSpan sortWordIn(QStringView context, Concordance::Order order)
{
    const qsizetype offset = neighbourOffset(order);
    const qsizetype start = offset < 0 ? context.size() : 0;
    TextSpan word{start, start};
    for (qsizetype step = 0; step < std::abs(offset); ++step) {
        word = offset < 0 ? wordBefore(context, word.begin) : wordAfter(context, word.end);
        if (word.begin == word.end)
            return {};
    }
    return word;
}

} // namespace lexalon
