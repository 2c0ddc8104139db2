#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

namespace lexalon {

// A paragraph and one of its display rows.
struct RowPlace
{
    qsizetype paragraph = 0;
    qint64 row = 0;

    friend auto operator<=>(const RowPlace &, const RowPlace &) = default;
};

// How many display rows each paragraph takes, and how many come before it:
// a Fenwick tree, so that a paragraph's count changes and the row of a
// paragraph is found in logarithmic time, however long the text.
class RowIndex
{
public:
    // Every paragraph's count at once, in linear time; each is at least 1.
    void reset(qsizetype paragraphs, const std::function<qint64(qsizetype)> &rowsOf);

    qsizetype paragraphs() const { return qsizetype(m_tree.size()) - 1; }
    qint64 rows(qsizetype paragraph) const;
    void setRows(qsizetype paragraph, qint64 rows);
    // The rows of the paragraphs before this one.
    qint64 rowsBefore(qsizetype paragraph) const;
    qint64 totalRows() const { return rowsBefore(paragraphs()); }
    // The paragraph that holds a row counted from the first, and its row
    // within it; rows outside the text give the first or the last one.
    RowPlace locate(qint64 row) const;

private:
    std::vector<qint64> m_tree{0};
    std::vector<qint64> m_rows;
};

} // namespace lexalon
