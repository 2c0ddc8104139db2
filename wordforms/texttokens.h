// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/files/largememory.h"

#include <QtGlobal>

#include <cstdint>
#include <utility>

namespace lexalon {

// The tokens of a text in text order, each named by its form's row in the
// alphabetical word list (its rank in the French order), with where it
// starts in the text. Eight bytes a token: comparing two tokens' forms is
// comparing two integers.
class TextTokens
{
public:
    using Rank = std::uint32_t;

    TextTokens() = default;
    TextTokens(LargeVector<Rank> ranks, LargeVector<std::uint32_t> starts)
        : m_ranks(std::move(ranks))
        , m_starts(std::move(starts))
    {
    }

    qsizetype size() const { return qsizetype(m_ranks.size()); }
    Rank rank(qsizetype token) const { return m_ranks[size_t(token)]; }
    qsizetype start(qsizetype token) const { return m_starts[size_t(token)]; }
    const LargeVector<Rank> &ranks() const { return m_ranks; }

private:
    LargeVector<Rank> m_ranks;
    LargeVector<std::uint32_t> m_starts;
};

} // namespace lexalon
