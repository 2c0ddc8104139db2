#include "document/rowindex.h"
#include "panetesting.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

using namespace lexalon;

namespace {

// The same questions answered by adding the counts one by one.
RowPlace naiveLocate(const std::vector<qint64> &rows, qint64 row)
{
    qsizetype paragraph = 0;
    while (row >= rows[size_t(paragraph)]) {
        row -= rows[size_t(paragraph)];
        ++paragraph;
    }
    return {paragraph, row};
}

void expectAgrees(const RowIndex &index, const std::vector<qint64> &rows)
{
    const qint64 total = std::accumulate(rows.begin(), rows.end(), qint64(0));
    ASSERT_EQ(index.totalRows(), total);
    qint64 before = 0;
    for (size_t p = 0; p < rows.size(); ++p) {
        ASSERT_EQ(index.rowsBefore(qsizetype(p)), before) << p;
        ASSERT_EQ(index.rows(qsizetype(p)), rows[p]) << p;
        before += rows[p];
    }
    for (qint64 row = 0; row < total; ++row)
        ASSERT_EQ(index.locate(row), naiveLocate(rows, row)) << row;
}

} // namespace

TEST(RowIndex, AgreesWithCountingRowByRowThroughChanges)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<qint64> count(1, 9);
    std::vector<qint64> rows(1000);
    for (auto &r : rows)
        r = count(random);
    RowIndex index;
    index.reset(qsizetype(rows.size()), [&rows](qsizetype p) { return rows[size_t(p)]; });
    expectAgrees(index, rows);

    std::uniform_int_distribution<size_t> paragraph(0, rows.size() - 1);
    for (int change = 0; change < 200; ++change) {
        const size_t p = paragraph(random);
        rows[p] = count(random);
        index.setRows(qsizetype(p), rows[p]);
    }
    expectAgrees(index, rows);
}

TEST(RowIndex, RowsBeyondTheTextGiveItsEnds)
{
    RowIndex index;
    index.reset(3, [](qsizetype p) { return p + 1; });
    EXPECT_EQ(index.locate(-5), (RowPlace{0, 0}));
    EXPECT_EQ(index.locate(6), (RowPlace{2, 2}));
    EXPECT_EQ(index.locate(1000), (RowPlace{2, 2}));
}

TEST(RowIndex, OneParagraph)
{
    RowIndex index;
    index.reset(1, [](qsizetype) { return 4; });
    EXPECT_EQ(index.totalRows(), 4);
    EXPECT_EQ(index.locate(3), (RowPlace{0, 3}));
    index.setRows(0, 1);
    EXPECT_EQ(index.locate(3), (RowPlace{0, 0}));
}
