#include "document/paragraphindex.h"
#include "panetesting.h"

#include <QString>

#include <gtest/gtest.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

// Words of five letters and a blank, so that blanks fall near every nominal
// end of a piece.
QString prose(qsizetype length)
{
    QString text;
    while (text.size() < length)
        text += u"mots "_s;
    text.truncate(length);
    return text;
}

// Checks that the paragraphs cover every line's characters in order, each
// exactly once, and that every position maps back to its paragraph.
void expectPiecesCoverTheLines(const ParagraphIndex &index)
{
    qsizetype paragraph = 0;
    for (qsizetype line = 0; line < index.lines().lineCount(); ++line) {
        const TextRange range = index.lines().line(line);
        ASSERT_EQ(index.firstOfLine(line), paragraph);
        qsizetype covered = range.begin;
        for (;;) {
            const TextRange piece = index.range(paragraph);
            ASSERT_EQ(piece.begin, covered) << paragraph;
            ASSERT_LE(piece.length(), paragraphPieceLength + pieceBreakReach);
            for (qsizetype position = piece.begin; position < piece.end; ++position)
                ASSERT_EQ(index.paragraphOf(position), paragraph) << position;
            const qsizetype next = index.endsLine(paragraph) ? index.lines().lineEnd(line) : piece.end;
            ASSERT_EQ(index.span(paragraph), next - piece.begin) << paragraph;
            covered = piece.end;
            if (index.endsLine(paragraph))
                break;
            ASSERT_GT(piece.length(), 0);
            ++paragraph;
        }
        ASSERT_EQ(covered, range.end);
        for (qsizetype position = range.end; position < index.lines().lineEnd(line); ++position)
            ASSERT_EQ(index.paragraphOf(position), paragraph) << position;
        ++paragraph;
    }
    EXPECT_EQ(paragraph, index.count());
}

} // namespace

TEST(ParagraphIndex, ShortLinesAreOneParagraphEach)
{
    const ParagraphIndex index(u"un\r\ndeux\ntrois"_s);
    ASSERT_EQ(index.count(), 3);
    EXPECT_EQ(index.range(1), (TextRange{4, 8}));
    EXPECT_TRUE(index.endsLine(1));
    expectPiecesCoverTheLines(index);
}

TEST(ParagraphIndex, ALongLineIsCutAfterABlankNearEachPieceLength)
{
    const QString text = prose(3 * paragraphPieceLength + 100);
    const ParagraphIndex index(text);
    ASSERT_EQ(index.count(), 4);
    for (qsizetype p = 0; p + 1 < index.count(); ++p) {
        EXPECT_FALSE(index.endsLine(p));
        EXPECT_EQ(text.at(index.range(p).end - 1), u' ') << p;
        EXPECT_GT(index.range(p).end, (p + 1) * paragraphPieceLength - pieceBreakReach);
    }
    EXPECT_TRUE(index.endsLine(3));
    expectPiecesCoverTheLines(index);
}

TEST(ParagraphIndex, APieceWithoutABlankNearItsEndIsCutThere)
{
    const ParagraphIndex index(QString(2 * paragraphPieceLength + 1, u'a'));
    ASSERT_EQ(index.count(), 3);
    EXPECT_EQ(index.range(0), (TextRange{0, paragraphPieceLength}));
    EXPECT_EQ(index.range(2), (TextRange{2 * paragraphPieceLength, 2 * paragraphPieceLength + 1}));
}

TEST(ParagraphIndex, APieceNeverSplitsASurrogatePair)
{
    // U+1D11E, the G clef, straddling the nominal end of the first piece.
    QString text(paragraphPieceLength - 1, u'a');
    text += QChar(0xD834);
    text += QChar(0xDD1E);
    text += QString(100, u'a');
    const ParagraphIndex index(text);
    ASSERT_EQ(index.count(), 2);
    EXPECT_EQ(index.range(0).end, paragraphPieceLength - 1);
    expectPiecesCoverTheLines(index);
}

TEST(ParagraphIndex, LinesAfterLongOnesAreNumberedAfterTheirPieces)
{
    const QString longLine = prose(2 * paragraphPieceLength + 7);
    const QString text = u"début\r\n"_s + longLine + u"\r\nmilieu\n"_s + longLine + u"\rfin"_s;
    const ParagraphIndex index(text);
    // début, three pieces, milieu, three pieces, fin.
    ASSERT_EQ(index.count(), 9);
    EXPECT_EQ(index.firstOfLine(2), 4);
    EXPECT_EQ(index.firstOfLine(4), 8);
    EXPECT_EQ(text.mid(index.range(4).begin, index.range(4).length()), u"milieu"_s);
    EXPECT_EQ(text.mid(index.range(8).begin, index.range(8).length()), u"fin"_s);
    expectPiecesCoverTheLines(index);
}

TEST(ParagraphIndex, TenMegabytesWithoutABreakNeedNoLayoutOfTheWhole)
{
    const QString text = prose(10 << 20);
    const ParagraphIndex index(text);
    const qsizetype pieces = ((10 << 20) + paragraphPieceLength - 1) / paragraphPieceLength;
    ASSERT_EQ(index.count(), pieces);
    const TextRange last = index.range(pieces - 1);
    EXPECT_EQ(last.end, text.size());
    EXPECT_EQ(index.paragraphOf(text.size()), pieces - 1);
    EXPECT_EQ(index.paragraphOf(index.range(500).begin), 500);
    EXPECT_EQ(index.paragraphOf(index.range(500).begin - 1), 499);
}

TEST(ParagraphIndex, TextsOfOnlyLineBreaksAndNothing)
{
    const ParagraphIndex breaks(u"\r\n\n\r"_s);
    EXPECT_EQ(breaks.count(), 4);
    expectPiecesCoverTheLines(breaks);

    const ParagraphIndex empty;
    ASSERT_EQ(empty.count(), 1);
    EXPECT_EQ(empty.range(0), (TextRange{0, 0}));
    EXPECT_TRUE(empty.endsLine(0));
}
