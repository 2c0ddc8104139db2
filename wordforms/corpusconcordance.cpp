// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/corpusconcordance.h"

#include "wordforms/attestationsort.h"
#include "wordforms/corpus.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace lexalon {

CorpusConcordance::CorpusConcordance(const Corpus &corpus, std::vector<Concordance> parts, std::vector<qsizetype> texts)
    : m_corpus(&corpus)
    , m_parts(std::move(parts))
    , m_texts(std::move(texts))
{
    m_starts.reserve(m_parts.size() + 1);
    m_starts.push_back(0);
    for (const Concordance &part : m_parts)
        m_starts.push_back(m_starts.back() + part.size());
    arrange(arranged(Order::Text, Order::Text));
}

bool CorpusConcordance::severalTexts() const
{
    return m_corpus->textCount() > 1;
}

size_t CorpusConcordance::partOf(qsizetype attestation) const
{
    return size_t(std::upper_bound(m_starts.begin(), m_starts.end(), attestation) - m_starts.begin() - 1);
}

std::uint32_t CorpusConcordance::neighbourKey(qsizetype attestation, Order order) const
{
    const size_t part = partOf(attestation);
    const std::optional<TextTokens::Rank> rank = m_parts[part].neighbour(attestation - m_starts[part], order);
    return rank ? m_corpus->corpusRow(m_texts[part], *rank) + 1 : 0;
}

// The second key is sorted first: the first then decides, and its ties keep
// the second's order, whose ties keep the corpus's.
CorpusConcordance::Arrangement CorpusConcordance::arranged(Order first, Order second, TaskProgress *progress) const
{
    std::vector<Order> keys;
    if (first != Order::Text && second != Order::Text && second != first)
        keys.push_back(second);
    if (first != Order::Text)
        keys.push_back(first);
    AttestationSort sort(size_t(size()), int(keys.size()), progress);
    for (const Order key : keys)
        sort.sortBy([&](qsizetype a) { return neighbourKey(a, key); });
    std::vector<std::uint32_t> rowOf = sort.rowsOf();
    return {first, second, sort.takeShown(), std::move(rowOf)};
}

void CorpusConcordance::arrange(Arrangement rows) noexcept
{
    m_shown = std::move(rows.shown);
    m_rowOf = std::move(rows.rowOf);
    m_first = rows.first;
    m_second = rows.second;
}

TextSpan CorpusConcordance::span(qsizetype attestation) const
{
    const size_t part = partOf(attestation);
    return m_parts[part].span(attestation - m_starts[part]);
}

ConcordanceLine CorpusConcordance::line(qsizetype attestation, int words) const
{
    const size_t part = partOf(attestation);
    return m_parts[part].line(attestation - m_starts[part], words);
}

void CorpusConcordance::appendLine(qsizetype attestation, int words, QString &into) const
{
    const size_t part = partOf(attestation);
    m_parts[part].appendLine(attestation - m_starts[part], words, into);
}

} // namespace lexalon
