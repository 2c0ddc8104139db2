#include "document/lineindex.h"
#include "panetesting.h"

#include <QString>

#include <gtest/gtest.h>

#include <iterator>
#include <random>
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

TEST(LineIndex, FindsEveryBreakWhereverItFallsAmongOtherCharacters)
{
    // Characters just above and below the line breaks, and some with the top
    // bit set, at every offset.
    const char16_t alphabet[] = {u'a', u'\r', u'\n', u'\f', u'\x0E', u'\x8000', u'\xFFFF', u'é', u'\0'};
    std::mt19937 random(11);
    std::uniform_int_distribution<size_t> pick(0, std::size(alphabet) - 1);
    for (int round = 0; round < 200; ++round) {
        QString text;
        const int length = round % 40;
        for (int i = 0; i < length; ++i)
            text += QChar(alphabet[pick(random)]);
        std::vector<qsizetype> starts{0};
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (text[i] == u'\r' || text[i] == u'\n')
                starts.push_back(i + 1);
        }
        const LineIndex index(text);
        ASSERT_EQ(index.lineCount(), qsizetype(starts.size())) << round;
        for (size_t line = 0; line < starts.size(); ++line)
            ASSERT_EQ(index.lineStart(qsizetype(line)), starts[line]) << round;
    }
}
