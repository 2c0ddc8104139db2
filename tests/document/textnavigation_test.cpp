#include "document/paragraphindex.h"
#include "document/textnavigation.h"
#include "panetesting.h"

#include <QString>

#include <gtest/gtest.h>

#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

std::vector<qsizetype> walk(const ParagraphIndex &text, qsizetype (*step)(const ParagraphIndex &, qsizetype),
                            qsizetype from)
{
    std::vector<qsizetype> positions{from};
    for (;;) {
        const qsizetype next = step(text, positions.back());
        if (next == positions.back())
            return positions;
        positions.push_back(next);
    }
}

QString wordText(const ParagraphIndex &text, qsizetype position)
{
    return textOf(text, wordAt(text, position));
}

} // namespace

TEST(TextNavigation, ALineBreakIsOneStepWhateverItsLength)
{
    const ParagraphIndex text(u"ab\r\nc\nd\re"_s);
    const std::vector<qsizetype> forward{0, 1, 2, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(walk(text, nextCharacter, 0), forward);
    const std::vector<qsizetype> backward(forward.rbegin(), forward.rend());
    EXPECT_EQ(walk(text, previousCharacter, 9), backward);
}

TEST(TextNavigation, AStepNeverSplitsASurrogatePairOrAnAccentFromItsLetter)
{
    // e and a combining acute accent, then the G clef U+1D11E.
    const QString chars = u"e\u0301"_s + QChar(0xD834) + QChar(0xDD1E) + u"z"_s;
    const ParagraphIndex text(chars);
    const std::vector<qsizetype> forward{0, 2, 4, 5};
    EXPECT_EQ(walk(text, nextCharacter, 0), forward);
    const std::vector<qsizetype> backward(forward.rbegin(), forward.rend());
    EXPECT_EQ(walk(text, previousCharacter, 5), backward);
}

TEST(TextNavigation, StepsCrossThePiecesOfALongLine)
{
    QString chars(paragraphPieceLength + 10, u'a');
    const ParagraphIndex text(chars);
    ASSERT_EQ(text.count(), 2);
    const qsizetype seam = text.range(1).begin;
    EXPECT_EQ(nextCharacter(text, seam - 1), seam);
    EXPECT_EQ(nextCharacter(text, seam), seam + 1);
    EXPECT_EQ(previousCharacter(text, seam + 1), seam);
    EXPECT_EQ(previousCharacter(text, seam), seam - 1);
}

TEST(TextNavigation, WordMovesStopAtWordStartsAndLineEnds)
{
    const ParagraphIndex text(u"Le chat, l'âne.\r\nFin"_s);
    // An apostrophe between letters joins them into one word.
    const std::vector<qsizetype> forward{0, 3, 9, 15, 17, 20};
    EXPECT_EQ(walk(text, nextWord, 0), forward);
    const std::vector<qsizetype> backward{20, 17, 15, 9, 3, 0};
    EXPECT_EQ(walk(text, previousWord, 20), backward);
}

TEST(TextNavigation, ADoubleClickTakesTheWordOrTheRunUnderTheMouse)
{
    const ParagraphIndex text(u"Le chat  dort.\r\nFin"_s);
    EXPECT_EQ(wordText(text, 0), u"Le"_s);
    EXPECT_EQ(wordText(ParagraphIndex(u"de l'âne"_s), 4), u"l'âne"_s);
    EXPECT_EQ(wordText(text, 5), u"chat"_s);
    EXPECT_EQ(wordText(text, 6), u"chat"_s);
    EXPECT_EQ(wordText(text, 7), u"  "_s);
    EXPECT_EQ(wordText(text, 13), u"."_s);
    EXPECT_EQ(wordText(text, 14), u"."_s);
    EXPECT_EQ(wordText(text, 16), u"Fin"_s);
    EXPECT_EQ(wordText(text, 19), u"Fin"_s);
    EXPECT_EQ(wordAt(ParagraphIndex(u"a\r\n\r\nb"_s), 3), (TextRange{3, 3}));
}

TEST(TextNavigation, ASelectionGivesItsCharactersExactlyLineBreaksIncluded)
{
    const ParagraphIndex text(u"un\r\ndeux\ntrois"_s);
    const TextSelection backwards{10, 1};
    EXPECT_EQ(backwards.range(), (TextRange{1, 10}));
    EXPECT_EQ(textOf(text, backwards.range()), u"n\r\ndeux\nt"_s);
    EXPECT_TRUE((TextSelection{4, 4}).isEmpty());
    EXPECT_EQ(textOf(text, {0, 14}), text.text());
}
