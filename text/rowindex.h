// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace lexalon {

// A paragraph and one of its display rows.
struct RowPlace
{
    qsizetype paragraph = 0;
    qint64 row = 0;

    friend auto operator<=>(const RowPlace &, const RowPlace &) = default;
};

// How many display rows each paragraph takes, and how many come before it.
// The paragraphs are grouped in blocks whose totals sit in a Fenwick tree,
// so that a count changes and a row is found in logarithmic time however
// long the text, and setting every count is one pass over a small array.
class RowIndex
{
public:
    // Every paragraph's count at once, each at least 1, in linear time. A
    // paragraph is at most a piece of a line, so its rows fit 32 bits.
    void reset(std::vector<std::uint32_t> rows);

    qsizetype paragraphs() const { return qsizetype(m_rows.size()); }
    qint64 rows(qsizetype paragraph) const { return m_rows[size_t(paragraph)]; }
    void setRows(qsizetype paragraph, qint64 rows);
    // The rows of the paragraphs before this one.
    qint64 rowsBefore(qsizetype paragraph) const;
    qint64 totalRows() const { return m_total; }
    // The paragraph that holds a row counted from the first, and its row
    // within it; rows outside the text give the first or the last one.
    RowPlace locate(qint64 row) const;

private:
    std::vector<std::uint32_t> m_rows;
    std::vector<qint64> m_blockTree{0}; // the blocks' totals, from index 1
    qint64 m_total = 0;
};

} // namespace lexalon
