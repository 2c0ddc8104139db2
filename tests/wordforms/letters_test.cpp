#include "wordforms/letters.h"

#include <gtest/gtest.h>

using namespace lexalon;

TEST(Letters, RangeBoundsAreLetters)
{
    for (char16_t c : {u'A', u'Z', u'a', u'z', char16_t(0xC0), char16_t(0xD6), char16_t(0xD8),
                       char16_t(0xF6), char16_t(0xF8), char16_t(0xFF)})
        EXPECT_TRUE(isLetter(c)) << int(c);
}

TEST(Letters, JustOutsideTheRangesAreSeparators)
{
    for (char16_t c : {u'@', u'[', u'`', u'{', char16_t(0xBF), char16_t(0xD7), char16_t(0xF7),
                       char16_t(0x100)})
        EXPECT_FALSE(isLetter(c)) << int(c);
}

TEST(Letters, PunctuationDigitsAndSymbolsSeparate)
{
    for (char16_t c : {u'0', u'9', u' ', u'\t', u'\r', u'\n', u'\'', u'-', u'.', char16_t(0xAA),
                       char16_t(0xBA), char16_t(0xB5), char16_t(0x2019), char16_t(0x3B1)})
        EXPECT_FALSE(isLetter(c)) << int(c);
}

TEST(Letters, TheWindows1252LettersBeyondLatin1AreLetters)
{
    for (char16_t c : {char16_t(0x152), char16_t(0x153), char16_t(0x160), char16_t(0x161),
                       char16_t(0x17D), char16_t(0x17E), char16_t(0x178)})
        EXPECT_TRUE(isLetter(c)) << int(c);
    // Their neighbours are not.
    for (char16_t c : {char16_t(0x151), char16_t(0x154), char16_t(0x15F), char16_t(0x162),
                       char16_t(0x177), char16_t(0x179), char16_t(0x17C), char16_t(0x17F)})
        EXPECT_FALSE(isLetter(c)) << int(c);
}

TEST(Folding, UpperCaseFoldsOntoLowerCase)
{
    EXPECT_EQ(foldLetter(u'A'), u'a');
    EXPECT_EQ(foldLetter(u'Z'), u'z');
    EXPECT_EQ(foldLetter(0xC0), 0xE0); // À
    EXPECT_EQ(foldLetter(0xC9), 0xE9); // É
    EXPECT_EQ(foldLetter(0xD6), 0xF6); // Ö
    EXPECT_EQ(foldLetter(0xD8), 0xF8); // Ø
    EXPECT_EQ(foldLetter(0xDE), 0xFE); // Þ
    EXPECT_EQ(foldLetter(0x152), 0x153); // Œ
    EXPECT_EQ(foldLetter(0x160), 0x161); // Š
    EXPECT_EQ(foldLetter(0x17D), 0x17E); // Ž
    EXPECT_EQ(foldLetter(0x178), 0xFF);  // Ÿ
}

TEST(Folding, LowerCaseAndSharpSStayAsTheyAre)
{
    for (char16_t c : {u'a', u'z', char16_t(0xDF), char16_t(0xE0), char16_t(0xFF), char16_t(0x153),
                       char16_t(0x161), char16_t(0x17E)})
        EXPECT_EQ(foldLetter(c), c) << int(c);
}

TEST(Folding, EveryLetterFoldsToALowerCaseLetter)
{
    for (char16_t c = 0; c < 0x200; ++c) {
        if (!isLetter(c))
            continue;
        const char16_t folded = foldLetter(c);
        EXPECT_TRUE(isLetter(folded)) << int(c);
        EXPECT_EQ(foldLetter(folded), folded) << int(c);
    }
}
