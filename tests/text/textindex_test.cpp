// SPDX-License-Identifier: GPL-3.0-or-later
// The text pane's arithmetic, without a window.

#include "text/lineindex.h"
#include "text/paragraphindex.h"
#include "text/rowindex.h"
#include "text/textnavigation.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <tuple>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

// Line starts and ends against a plain count, one character at a time; a
// position inside a line break, or just before it, is on the line it ends.
void expectPlainLines(const LineIndex &index)
{
    const QString &text = index.text();
    std::vector<qsizetype> starts{0};
    for (qsizetype i = 0; i < text.size(); ++i) {
        i += text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        if (text[i] == u'\r' || text[i] == u'\n')
            starts.push_back(i + 1);
    }
    ASSERT_EQ(index.lineCount(), qsizetype(starts.size()));
    for (size_t line = 0; line < starts.size(); ++line) {
        ASSERT_EQ(index.lineStart(qsizetype(line)), starts[line]);
        ASSERT_EQ(index.lineEnd(qsizetype(line)), line + 1 < starts.size() ? starts[line + 1] : text.size());
    }
    for (qsizetype position = 0; position <= text.size(); ++position)
        ASSERT_EQ(index.lineOf(position), std::upper_bound(starts.begin(), starts.end(), position) - starts.begin() - 1);
}

// Words of five letters and a blank, so that blanks fall near every nominal
// end of a piece.
QString prose(qsizetype length) { return u"mots "_s.repeated(length / 5 + 1).left(length); }

// The paragraphs cover every line's characters in order, each exactly once,
// and every position maps back to its paragraph.
void expectPiecesCoverTheLines(const ParagraphIndex &index)
{
    qsizetype paragraph = 0;
    for (qsizetype line = 0; line < index.lines().lineCount(); ++line) {
        const TextRange range = index.lines().line(line);
        ASSERT_EQ(index.firstOfLine(line), paragraph);
        for (qsizetype covered = range.begin;; ++paragraph) {
            const TextRange piece = index.range(paragraph);
            ASSERT_EQ(piece.begin, covered) << paragraph;
            ASSERT_LE(piece.length(), paragraphPieceLength + pieceBreakReach);
            for (qsizetype position = piece.begin; position < piece.end; ++position)
                ASSERT_EQ(index.paragraphOf(position), paragraph) << position;
            const qsizetype next = index.endsLine(paragraph) ? index.lines().lineEnd(line) : piece.end;
            ASSERT_EQ(index.span(paragraph), next - piece.begin) << paragraph;
            covered = piece.end;
            if (index.endsLine(paragraph)) {
                ASSERT_EQ(covered, range.end);
                break;
            }
            ASSERT_GT(piece.end, range.begin + (paragraph - index.firstOfLine(line) + 1) * paragraphPieceLength - pieceBreakReach);
        }
        for (qsizetype position = range.end; position < index.lines().lineEnd(line); ++position)
            ASSERT_EQ(index.paragraphOf(position), paragraph) << position;
        ++paragraph;
    }
    EXPECT_EQ(paragraph, index.count());
    std::vector<qsizetype> spans;
    index.visitSpans([&spans](qsizetype span) { spans.push_back(span); });
    ASSERT_EQ(qsizetype(spans.size()), index.count());
    for (qsizetype p = 0; p < index.count(); ++p)
        ASSERT_EQ(spans[size_t(p)], index.span(p)) << p;
}

using Step = qsizetype (*)(const ParagraphIndex &, qsizetype);

std::vector<qsizetype> walk(const ParagraphIndex &text, Step step, qsizetype from)
{
    std::vector<qsizetype> positions{from};
    while (step(text, positions.back()) != positions.back())
        positions.push_back(step(text, positions.back()));
    return positions;
}

} // namespace

// CR LF, LF and a lone CR each end a line, wherever they fall among
// characters just above and below them or with the top bit set.
TEST(LineIndex, FindsEveryBreak)
{
    std::vector<QString> texts{u"un\r\ndeux\ntrois\rquatre"_s, u"a\n\rb"_s, {}, u"\r\n\r\n\n\r\r\n"_s, QString(10 << 20, u'x')};
    const char16_t alphabet[] = {u'a', u'\r', u'\n', u'\f', u'\x0E', u'\x8000', u'\xFFFF', u'é', u'\0'};
    std::mt19937 random(11);
    std::uniform_int_distribution<size_t> pick(0, std::size(alphabet) - 1);
    for (int round = 0; round < 200; ++round) {
        texts.emplace_back();
        for (int i = 0; i < round % 40; ++i)
            texts.back() += QChar(alphabet[pick(random)]);
    }
    for (const QString &text : texts) {
        SCOPED_TRACE(text.left(20).toStdString());
        const LineIndex index(text);
        expectPlainLines(index);
        EXPECT_EQ(index.text().constData(), text.constData()); // shared, not copied
    }
}

TEST(ParagraphIndex, LongLinesAreCutIntoPiecesBetweenWords)
{
    constexpr qsizetype piece = paragraphPieceLength;
    const QString clef = QString(piece - 1, u'a') + QChar(0xD834) + QChar(0xDD1E) + QString(100, u'a');
    const QString twoPieces = prose(2 * piece + 7);
    // Name, text, paragraphs, and some of their ranges.
    const std::tuple<const char *, QString, qsizetype, std::vector<std::pair<qsizetype, TextRange>>> cases[] = {
        {"short lines", u"un\r\ndeux\ntrois"_s, 3, {{1, {4, 8}}}},
        {"only line breaks", u"\r\n\n\r"_s, 4, {}},
        {"empty", {}, 1, {{0, {0, 0}}}},
        {"cut after a blank", prose(3 * piece + 100), 4, {{0, {0, piece - 2}}, {1, {piece - 2, 2 * piece - 4}}, {2, {2 * piece - 4, 3 * piece - 1}}}},
        {"no blank: cut at the length", QString(2 * piece + 1, u'a'), 3, {{0, {0, piece}}, {2, {2 * piece, 2 * piece + 1}}}},
        {"a surrogate pair is never split", clef, 2, {{0, {0, piece - 1}}}},
        {"ten megabytes on one line", prose(10 << 20), (10 << 20) / piece, {}},
        {"lines after long ones", u"début\r\n"_s + twoPieces + u"\r\nmilieu\n"_s + twoPieces + u"\rfin"_s, 9, {}},
    };
    for (const auto &[name, text, count, ranges] : cases) {
        SCOPED_TRACE(name);
        const ParagraphIndex index(text);
        EXPECT_EQ(index.count(), count);
        for (const auto &[paragraph, range] : ranges)
            EXPECT_EQ(index.range(paragraph), range) << paragraph;
        expectPiecesCoverTheLines(index);
    }
}

TEST(RowIndex, AgreesWithCountingRowByRowThroughChanges)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> count(1, 9);
    std::vector<std::uint32_t> rows(1000);
    std::generate(rows.begin(), rows.end(), [&] { return count(random); });
    RowIndex index;
    index.reset(rows);
    std::uniform_int_distribution<size_t> paragraph(0, rows.size() - 1);
    for (int change = 0; change <= 200; ++change) {
        if (change % 200 == 0) {
            qint64 before = 0;
            for (size_t p = 0; p < rows.size(); ++p) {
                ASSERT_EQ(index.rowsBefore(qsizetype(p)), before) << p;
                ASSERT_EQ(index.rows(qsizetype(p)), rows[p]) << p;
                for (qint64 row = 0; row < rows[p]; ++row)
                    ASSERT_EQ(index.locate(before + row), (RowPlace{qsizetype(p), row}));
                before += rows[p];
            }
            ASSERT_EQ(index.totalRows(), before);
            // Rows outside the text give its first or its last.
            ASSERT_EQ(index.locate(-5), (RowPlace{}));
            ASSERT_EQ(index.locate(before + 9), (RowPlace{999, rows[999] - 1}));
        }
        const size_t p = paragraph(random);
        rows[p] = count(random);
        index.setRows(qsizetype(p), rows[p]);
    }
}

// Forward from the first stop to the last, and back the same way.
TEST(TextNavigation, StepsStopAtCharactersWordsAndLineEnds)
{
    const std::tuple<QString, Step, Step, std::vector<qsizetype>> cases[] = {
        // A line break of one or two characters is one step.
        {u"ab\r\nc\nd\re"_s, nextCharacter, previousCharacter, {0, 1, 2, 4, 5, 6, 7, 8, 9}},
        // Never into a surrogate pair or between a letter and its accent.
        {u"e\u0301"_s + QChar(0xD834) + QChar(0xDD1E) + u"z"_s, nextCharacter, previousCharacter, {0, 2, 4, 5}},
        // An apostrophe between letters joins them into one word.
        {u"Le chat, l'âne.\r\nFin"_s, nextWord, previousWord, {0, 3, 9, 15, 17, 20}},
    };
    for (const auto &[chars, next, previous, stops] : cases) {
        const ParagraphIndex text(chars);
        EXPECT_EQ(walk(text, next, stops.front()), stops) << chars.toStdString();
        EXPECT_EQ(walk(text, previous, stops.back()), std::vector(stops.rbegin(), stops.rend()));
    }
}

// A line longer than a paragraph piece is walked across the seam between pieces.
TEST(TextNavigation, StepsCrossTheSeamOfALongLine)
{
    const ParagraphIndex longLine(QString(paragraphPieceLength + 10, u'a'));
    ASSERT_EQ(longLine.count(), 2);
    const qsizetype seam = longLine.range(1).begin;
    EXPECT_EQ(walk(longLine, nextCharacter, seam - 1).at(2), seam + 1);
    EXPECT_EQ(walk(longLine, previousCharacter, seam + 1).at(2), seam - 1);
}

// What a double click selects: the word, or the run of blanks or punctuation.
TEST(TextNavigation, WordAtTakesTheWordOrTheRunUnderThePosition)
{
    const QString text = u"Le chat  dort.\r\nFin"_s;
    const std::tuple<QString, qsizetype, QString> cases[] = {
        {text, 0, u"Le"_s}, {text, 5, u"chat"_s}, {text, 6, u"chat"_s}, {text, 7, u"  "_s},
        {text, 13, u"."_s}, {text, 14, u"."_s}, {text, 16, u"Fin"_s}, {text, 19, u"Fin"_s},
        {u"de l'âne"_s, 4, u"l'âne"_s}, {u"a\r\n\r\nb"_s, 3, {}},
    };
    for (const auto &[chars, position, word] : cases) {
        const ParagraphIndex index(chars);
        EXPECT_EQ(textOf(index, wordAt(index, position)), word) << position;
    }
}

TEST(TextNavigation, WordAtOnAnEmptyLineIsAnEmptyRangeThere)
{
    EXPECT_EQ(wordAt(ParagraphIndex(u"a\r\n\r\nb"_s), 3), (TextRange{3, 3}));
}
