// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/concordance.h"

#include "platform/interaction/taskprogress.h"
#include "wordforms/letters.h"

#include <QChar>

#include <algorithm>
#include <cstdlib>
#include <numeric>

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
// is a space.
QString oneLine(QStringView text)
{
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (breaksContextLine(c)) {
            line += pilcrow;
            i += c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        } else {
            line += isControl(c) ? u' ' : c;
        }
    }
    return line;
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
    const LargeVector<TextTokens::Rank> &ranks = tokens.ranks();
    if (progress)
        progress->setTotal(qint64(ranks.size()));
    m_tokenOf.reserve(size_t(std::count(ranks.begin(), ranks.end(), form)));
    for (size_t token = 0; token < ranks.size(); ++token) {
        if (progress && token % tokensPerReport == 0)
            progress->advance(qint64(token));
        if (ranks[token] == form)
            m_tokenOf.push_back(std::uint32_t(token));
    }
    sort(Order::Text);
}

Concordance::Arrangement Concordance::arranged(Order order, TaskProgress *progress) const
{
    const size_t count = m_tokenOf.size();
    Arrangement rows{order, std::vector<std::uint32_t>(count), std::vector<std::uint32_t>(count)};
    std::iota(rows.shown.begin(), rows.shown.end(), 0u);
    const qsizetype offset = neighbourOffset(order);
    if (offset != 0) {
        // Each attestation's key is its neighbour's rank, above no neighbour;
        // two stable counting passes, 16 bits each, sort them with ties in
        // text order, and a cancel is heard within a share of a pass.
        if (progress)
            progress->setTotal(qint64(3 * count));
        const auto report = [&](size_t done) {
            if (progress && done % tokensPerReport == 0)
                progress->advance(qint64(done));
        };
        std::vector<std::uint32_t> keys(count);
        for (size_t a = 0; a < count; ++a) {
            report(a);
            const qsizetype neighbour = qsizetype(m_tokenOf[a]) + offset;
            const bool exists = neighbour >= 0 && neighbour < m_tokens->size();
            keys[a] = exists ? std::uint32_t(m_tokens->rank(neighbour)) + 1 : 0;
        }
        std::vector<std::uint32_t> sorted(count);
        for (const int shift : {0, 16}) {
            const auto digit = [&](std::uint32_t a) { return (keys[a] >> shift) & 0xFFFF; };
            std::vector<size_t> next(0x10001, 0);
            for (const std::uint32_t a : rows.shown)
                ++next[digit(a) + 1];
            std::partial_sum(next.begin(), next.end(), next.begin());
            for (size_t row = 0; row < count; ++row) {
                report((shift == 0 ? 1 : 2) * count + row);
                const std::uint32_t a = rows.shown[row];
                sorted[next[digit(a)]++] = a;
            }
            rows.shown.swap(sorted);
        }
    }
    for (size_t row = 0; row < count; ++row)
        rows.rowOf[rows.shown[row]] = std::uint32_t(row);
    return rows;
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

ConcordanceLine Concordance::line(qsizetype attestation, int words) const
{
    const qsizetype token = m_tokenOf[size_t(attestation)];
    const TextSpan form = span(attestation);
    const qsizetype room = charactersPerWord * words;

    qsizetype begin = token >= words ? m_tokens->start(token - words) : 0;
    const bool cutLeft = form.begin - begin > room;
    if (cutLeft) {
        begin = form.begin - room;
        begin += QChar::isLowSurrogate(m_text[begin].unicode());
    }
    qsizetype end = token + words < m_tokens->size() ? tokenEnd(token + words) : m_text.size();
    const bool cutRight = end - form.end > room;
    if (cutRight) {
        end = form.end + room;
        end -= QChar::isHighSurrogate(m_text[end - 1].unicode());
    }

    ConcordanceLine line;
    line.left = oneLine(m_text.sliced(begin, form.begin - begin));
    if (cutLeft)
        line.left.prepend(ellipsis);
    line.form = m_text.sliced(form.begin, form.end - form.begin).toString();
    line.right = oneLine(m_text.sliced(form.end, end - form.end));
    if (cutRight)
        line.right.append(ellipsis);
    return line;
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
