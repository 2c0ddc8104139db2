// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/rowindex.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace lexalon {

namespace {

// Paragraphs a block: the rows before a paragraph add up at most this many
// counts beyond the tree's, and the tree has a block's share of the entries.
constexpr qsizetype blockSize = 256;

qsizetype lowestBit(qsizetype i)
{
    return i & -i;
}

} // namespace

void RowIndex::reset(std::vector<std::uint32_t> rows)
{
    const qsizetype blocks = (qsizetype(rows.size()) + blockSize - 1) / blockSize;
    std::vector<qint64> tree(size_t(blocks + 1), 0);
    qint64 total = 0;
    for (qsizetype block = 1; block <= blocks; ++block) {
        const auto first = rows.begin() + (block - 1) * blockSize;
        const auto last = rows.begin() + std::min(block * blockSize, qsizetype(rows.size()));
        const qint64 sum = std::accumulate(first, last, qint64(0));
        total += sum;
        tree[size_t(block)] += sum;
        const qsizetype parent = block + lowestBit(block);
        if (parent <= blocks)
            tree[size_t(parent)] += tree[size_t(block)];
    }
    m_rows = std::move(rows);
    m_blockTree = std::move(tree);
    m_total = total;
}

void RowIndex::setRows(qsizetype paragraph, qint64 rows)
{
    const qint64 change = rows - m_rows[size_t(paragraph)];
    m_rows[size_t(paragraph)] = std::uint32_t(rows);
    m_total += change;
    const auto blocks = qsizetype(m_blockTree.size()) - 1;
    for (qsizetype i = paragraph / blockSize + 1; i <= blocks; i += lowestBit(i))
        m_blockTree[size_t(i)] += change;
}

qint64 RowIndex::rowsBefore(qsizetype paragraph) const
{
    const qsizetype block = paragraph / blockSize;
    qint64 sum = std::accumulate(m_rows.begin() + block * blockSize, m_rows.begin() + paragraph, qint64(0));
    for (qsizetype i = block; i > 0; i -= lowestBit(i))
        sum += m_blockTree[size_t(i)];
    return sum;
}

RowPlace RowIndex::locate(qint64 row) const
{
    if (m_rows.empty())
        return {};
    row = std::clamp<qint64>(row, 0, std::max<qint64>(0, m_total - 1));
    // The most blocks whose rows together do not pass the row, then the
    // paragraphs of the next block one by one.
    const auto blocks = qsizetype(m_blockTree.size()) - 1;
    qsizetype before = 0;
    qint64 remaining = row;
    for (auto step = qsizetype(std::bit_floor(size_t(blocks))); step > 0; step /= 2) {
        const qsizetype next = before + step;
        if (next <= blocks && m_blockTree[size_t(next)] <= remaining) {
            before = next;
            remaining -= m_blockTree[size_t(next)];
        }
    }
    qsizetype paragraph = before * blockSize;
    while (remaining >= qint64(m_rows[size_t(paragraph)])) {
        remaining -= m_rows[size_t(paragraph)];
        ++paragraph;
    }
    return {paragraph, remaining};
}

} // namespace lexalon
