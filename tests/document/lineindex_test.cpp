#include "document/lineindex.h"
#include "panetesting.h"

#include <QString>

#include <gtest/gtest.h>

#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

std::vector<QString> linesOf(const LineIndex &index)
{
    std::vector<QString> lines;
    for (qsizetype i = 0; i < index.lineCount(); ++i) {
        const TextRange line = index.line(i);
        lines.push_back(index.text().mid(line.begin, line.length()));
    }
    return lines;
}

} // namespace

TEST(LineIndex, EachKindOfLineBreakEndsALine)
{
    const LineIndex index(u"un\r\ndeux\ntrois\rquatre"_s);
    const std::vector<QString> expected{u"un"_s, u"deux"_s, u"trois"_s, u"quatre"_s};
    EXPECT_EQ(linesOf(index), expected);
    EXPECT_EQ(index.lineEnd(0), 4);
    EXPECT_EQ(index.lineEnd(1), 9);
    EXPECT_EQ(index.lineEnd(2), 15);
    EXPECT_EQ(index.lineEnd(3), 21);
}

TEST(LineIndex, LineFeedBeforeCarriageReturnIsTwoBreaks)
{
    const LineIndex index(u"a\n\rb"_s);
    const std::vector<QString> expected{u"a"_s, QString(), u"b"_s};
    EXPECT_EQ(linesOf(index), expected);
}

TEST(LineIndex, EmptyTextIsOneEmptyLine)
{
    const LineIndex index{QString()};
    ASSERT_EQ(index.lineCount(), 1);
    EXPECT_EQ(index.line(0), (TextRange{0, 0}));
    EXPECT_EQ(index.lineOf(0), 0);
}

TEST(LineIndex, ATextOfOnlyLineBreaksHasOneLineMoreThanBreaks)
{
    const LineIndex index(u"\r\n\r\n\n\r\r\n"_s);
    ASSERT_EQ(index.lineCount(), 6);
    for (qsizetype i = 0; i < index.lineCount(); ++i)
        EXPECT_EQ(index.line(i).length(), 0) << i;
    EXPECT_EQ(index.line(5), (TextRange{8, 8}));
}

TEST(LineIndex, ABreakAtTheEndLeavesAnEmptyLastLine)
{
    const LineIndex index(u"fin\r\n"_s);
    ASSERT_EQ(index.lineCount(), 2);
    EXPECT_EQ(index.line(1), (TextRange{5, 5}));
}

TEST(LineIndex, PositionsInsideABreakBelongToTheLineItEnds)
{
    const LineIndex index(u"ab\r\ncd"_s);
    const std::vector<qsizetype> lineOfPosition{0, 0, 0, 0, 1, 1, 1};
    for (qsizetype position = 0; position <= 6; ++position)
        EXPECT_EQ(index.lineOf(position), lineOfPosition[size_t(position)]) << position;
}

TEST(LineIndex, TenMegabytesWithoutABreakAreOneLine)
{
    const QString text(10 << 20, u'x');
    const LineIndex index(text);
    ASSERT_EQ(index.lineCount(), 1);
    EXPECT_EQ(index.line(0), (TextRange{0, text.size()}));
    EXPECT_EQ(index.lineOf(text.size()), 0);
}

TEST(LineIndex, SharesTheTextItIndexes)
{
    const QString text = u"Il était une fois\r\n"_s;
    const LineIndex index(text);
    EXPECT_EQ(index.text().constData(), text.constData());
}
