#include "document/rowindex.h"

#include <algorithm>
#include <bit>

namespace lexalon {

namespace {

qsizetype lowestBit(qsizetype i)
{
    return i & -i;
}

} // namespace

void RowIndex::reset(qsizetype paragraphs, const std::function<qint64(qsizetype)> &rowsOf)
{
    m_rows.assign(size_t(paragraphs), 0);
    m_tree.assign(size_t(paragraphs + 1), 0);
    for (qsizetype i = 1; i <= paragraphs; ++i) {
        m_rows[size_t(i - 1)] = rowsOf(i - 1);
        m_tree[size_t(i)] += m_rows[size_t(i - 1)];
        const qsizetype parent = i + lowestBit(i);
        if (parent <= paragraphs)
            m_tree[size_t(parent)] += m_tree[size_t(i)];
    }
}

qint64 RowIndex::rows(qsizetype paragraph) const
{
    return m_rows[size_t(paragraph)];
}

void RowIndex::setRows(qsizetype paragraph, qint64 rows)
{
    const qint64 change = rows - m_rows[size_t(paragraph)];
    m_rows[size_t(paragraph)] = rows;
    for (qsizetype i = paragraph + 1; i <= paragraphs(); i += lowestBit(i))
        m_tree[size_t(i)] += change;
}

qint64 RowIndex::rowsBefore(qsizetype paragraph) const
{
    qint64 sum = 0;
    for (qsizetype i = paragraph; i > 0; i -= lowestBit(i))
        sum += m_tree[size_t(i)];
    return sum;
}

RowPlace RowIndex::locate(qint64 row) const
{
    const qsizetype n = paragraphs();
    if (n == 0)
        return {};
    row = std::clamp<qint64>(row, 0, std::max<qint64>(0, totalRows() - 1));
    // The most paragraphs whose rows together do not pass the row.
    qsizetype before = 0;
    qint64 remaining = row;
    for (auto step = qsizetype(std::bit_floor(size_t(n))); step > 0; step /= 2) {
        const qsizetype next = before + step;
        if (next <= n && m_tree[size_t(next)] <= remaining) {
            before = next;
            remaining -= m_tree[size_t(next)];
        }
    }
    return {before, remaining};
}

} // namespace lexalon
