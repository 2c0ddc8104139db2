// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/attestationsort.h"

#include "platform/interaction/taskprogress.h"

#include <numeric>

namespace lexalon {

namespace {

// Attestations read between two reports of progress: some milliseconds.
constexpr size_t attestationsPerReport = size_t(1) << 20;
// A key read and its two counting passes.
constexpr size_t passesPerKey = 3;

} // namespace

AttestationSort::AttestationSort(size_t count, int keys, TaskProgress *progress)
    : m_progress(progress)
    , m_shown(count)
{
    std::iota(m_shown.begin(), m_shown.end(), 0u);
    if (m_progress && keys > 0)
        m_progress->setTotal(qint64(passesPerKey * size_t(keys) * count));
}

void AttestationSort::report(size_t done)
{
    if (m_progress && done % attestationsPerReport == 0)
        m_progress->advance(qint64(m_passesDone * m_shown.size() + done));
}

void AttestationSort::sortByKeys(const std::vector<std::uint32_t> &keys)
{
    const size_t count = m_shown.size();
    ++m_passesDone;
    std::vector<std::uint32_t> sorted(count);
    for (const int shift : {0, 16}) {
        const auto digit = [&](std::uint32_t a) { return (keys[a] >> shift) & 0xFFFF; };
        std::vector<size_t> next(0x10001, 0);
        for (const std::uint32_t a : m_shown)
            ++next[digit(a) + 1];
        std::partial_sum(next.begin(), next.end(), next.begin());
        for (size_t row = 0; row < count; ++row) {
            report(row);
            const std::uint32_t a = m_shown[row];
            sorted[next[digit(a)]++] = a;
        }
        m_shown.swap(sorted);
        ++m_passesDone;
    }
}

std::vector<std::uint32_t> AttestationSort::rowsOf() const
{
    std::vector<std::uint32_t> rows(m_shown.size());
    for (size_t row = 0; row < m_shown.size(); ++row)
        rows[m_shown[row]] = std::uint32_t(row);
    return rows;
}

} // namespace lexalon
