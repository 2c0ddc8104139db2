// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/wordlist.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace lexalon {

WordList::WordList(TextStore forms)
    : m_forms(std::move(forms))
{
}

void WordList::reserve(qsizetype rows)
{
    m_rows.reserve(size_t(rows));
}

// The total of every count saturates: it reaches no saved list, and a sum
// of lists checks each form's total itself.
void WordList::append(TextStore::Index form, qint64 count)
{
    m_rows.push_back({count, form, std::uint32_t(m_rows.size())});
    if (__builtin_add_overflow(m_totalCount, count, &m_totalCount))
        m_totalCount = std::numeric_limits<qint64>::max();
}

void WordList::setTextColumns(QStringList names, std::vector<TextCount> counts)
{
    m_textNames = std::move(names);
    m_textCounts = std::move(counts);
}

std::span<const TextCount> WordList::textCounts(qsizetype row) const
{
    const std::uint32_t wanted = rank(row);
    const auto [first, last] = std::equal_range(m_textCounts.begin(), m_textCounts.end(), TextCount{wanted, 0, 0},
                                                [](const TextCount &a, const TextCount &b) { return a.rank < b.rank; });
    return {first, last};
}

TextStore WordList::takeForms()
{
    TextStore forms = std::exchange(m_forms, TextStore());
    *this = WordList();
    return forms;
}

void WordList::sort(Order order)
{
    if (order == Order::Alphabetical) {
        std::sort(m_rows.begin(), m_rows.end(),
                  [](const Entry &a, const Entry &b) { return a.rank < b.rank; });
    } else {
        std::sort(m_rows.begin(), m_rows.end(), [](const Entry &a, const Entry &b) {
            return a.count != b.count ? a.count > b.count : a.rank < b.rank;
        });
    }
    m_order = order;
}

qsizetype WordList::rowOf(QStringView form) const
{
    for (qsizetype row = 0; row < size(); ++row) {
        if (this->form(row) == form)
            return row;
    }
    return -1;
}

qsizetype WordList::firstRowStartingWith(QStringView prefix) const
{
    for (qsizetype row = 0; row < size(); ++row) {
        if (form(row).startsWith(prefix, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

} // namespace lexalon
