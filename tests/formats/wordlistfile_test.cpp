// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/wordlistfile.h"
#include "formats/wordlistreading.h"
#include "text/encoding/windows1252.h"

#include "tests/support/iconv_windows1252.h"
#include "tests/support/qt_printers.h"
#include "tests/support/wordlists.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;
using lexalon::testing::wordList;

const QByteArray headingLine("Formes\tNombre d'attestations\r\n");

TEST(WordListFile, HeadingThenFormTabCountCrLfInWindows1252)
{
    EXPECT_EQ(wordListBytes(wordList({})), headingLine);
    EXPECT_EQ(wordListBytes(wordList({{u"été"_s, 2}, {u"cœur"_s, 13}, {u"ŝi𝄞"_s, 1}, {u"ÿ"_s, 1234567890123}})),
              headingLine + "\xE9t\xE9\t2\r\nc\x9Cur\t13\r\n?i?\t1\r\n\xFF\t1234567890123\r\n");
}

TEST(WordListFile, EachCharacterIsItsWindows1252ByteOrAQuestionMark)
{
    lexalon::testing::Windows1252Oracle oracle;
    ASSERT_TRUE(oracle.ready());
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const char16_t unit = char16_t(c);
        // Windows keeps the five bytes the code page leaves undefined as they are.
        const bool undefinedByte = c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
        const char expected = char(undefinedByte ? unit : oracle.byte(unit).value_or('?'));
        ASSERT_EQ(encodeWindows1252(QStringView(&unit, 1)), QByteArray(1, expected)) << std::hex << unsigned(c);
    }
}

// A pair is one character; a surrogate alone is one too.
TEST(WordListFile, ASurrogatePairOrAloneIsOneQuestionMark)
{
    EXPECT_EQ(encodeWindows1252(u"a𝄞b"_s), QByteArray("a?b"));
    EXPECT_EQ(encodeWindows1252(QStringView(u"a\xD834" u"b\xDD1E")), QByteArray("a?b?"));
}

// Longer than a piece written at a time: no pair is cut between two pieces.
TEST(WordListFile, PairsAreNotCutBetweenPieces)
{
    EXPECT_EQ(wordListBytes(wordList({{u"𝄞"_s.repeated(70'000), 1}})),
              headingLine + QByteArray(70'000, '?') + "\t1\r\n");
}

// A saved list reads back in alphabetical order, its text columns kept, and
// writes the same bytes again; what is not such a list names its line.
TEST(WordListFile, SavedListsReadBackOrSayWhatIsWrong)
{
    const QByteArray columns("Formes\tNombre d'attestations\ta.txt\tb.txt\r\n");
    const QByteArray utf8Columns("\xEF\xBB\xBF" "Formes\tNombre d'attestations\t\xD1\x82\xD0\xB5\xD1\x81\xD1\x82\t\xCE\xB6\xCF\x89\xCE\xAE\xCF\x82\r\n");
    const struct { QByteArray bytes; QByteArray written; QString problem; } cases[] = {
        {headingLine + "le\t2\r\n\xE9t\xE9\t1\r\nchat\t3", headingLine + "chat\t3\r\n\xE9t\xE9\t1\r\nle\t2\r\n", {}},
        {columns + "le\t2\t0\t2\r\nchat\t3\t1\t2\r\n", columns + "chat\t3\t1\t2\r\nle\t2\t0\t2\r\n", {}},
        {headingLine, headingLine, {}},
        {"", {}, u"ce n'est pas une liste"_s},
        {"Formes\tNombre\r\nle\t2\r\n", {}, u"ce n'est pas une liste"_s},
        {headingLine + "le\t2\t3\r\n", {}, u"ligne 2 : 3 colonnes au lieu de 2."_s},
        {headingLine + "le\t2\r\nLe\t1\r\n", {}, u"ligne 3 : « Le » n'est pas une forme"_s},
        {headingLine + "l'an\t1\r\n", {}, u"ligne 2 : « l'an » n'est pas une forme"_s},
        {headingLine + "le\t-2\r\n", {}, u"« -2 » n'est pas un nombre"_s},
        {headingLine + "le\t0\r\n", {}, u"n'est pas la somme"_s},
        {headingLine + "le\t1000000000000000000\r\n", {}, u"n'est pas un nombre"_s},
        {headingLine + "le\t999999999999999999", headingLine + "le\t999999999999999999\r\n", {}},
        // Nineteen columns whose sum, wrapped past 2^64, would be the total.
        {"Formes\tNombre d'attestations" + QByteArray("\ta").repeated(19) + "\r\nle\t553255926290448365"
             + QByteArray("\t999999999999999999").repeated(19) + "\r\n", {}, u"n'est pas la somme"_s},
        // Names Windows-1252 cannot hold: the list is UTF-8 after its mark,
        // and two names of as many letters stay two.
        {utf8Columns + "\xC3\xA9t\xC3\xA9\t3\t1\t2\r\n", utf8Columns + "\xC3\xA9t\xC3\xA9\t3\t1\t2\r\n", {}},
        {"\xEF\xBB\xBF" + headingLine + "\xC3\xA9t\xC3\xA9\t3\r\n", headingLine + "\xE9t\xE9\t3\r\n", {}},
        {columns + "le\t2\t1\t2\r\n", {}, u"ligne 2 : le nombre d'attestations de « le » n'est pas la somme"_s},
        {headingLine + "le\t2\r\nle\t1\r\n", {}, u"ligne 3 : la forme « le » figure déjà plus haut."_s},
    };
    for (const auto &c : cases) {
        const SavedWordList saved = parseWordList(c.bytes);
        EXPECT_TRUE(c.problem.isEmpty() ? saved.problem.isEmpty() : saved.problem.contains(c.problem))
            << c.bytes.toStdString() << " " << saved.problem.toStdString();
        if (c.problem.isEmpty()) {
            EXPECT_EQ(wordListBytes(saved.list), c.written);
        }
    }
}

// Rows chosen and ordered are written as a list of those rows alone would be.
TEST(WordListFile, ChosenRowsInTheirOrder)
{
    const QByteArray columns("Formes\tNombre d'attestations\ta.txt\tb.txt\r\n");
    const QByteArray utf8Columns("\xEF\xBB\xBF" "Formes\tNombre d'attestations\t\xD1\x82\r\n");
    const struct { QByteArray list; std::vector<std::uint32_t> rows; QByteArray written; } cases[] = {
        {headingLine + "a\t1\r\nb\t2\r\nc\t3\r\n", {2, 0}, headingLine + "c\t3\r\na\t1\r\n"},
        {columns + "a\t1\t1\t0\r\nb\t2\t0\t2\r\n\xE9t\xE9\t3\t1\t2\r\n", {1, 2}, columns + "b\t2\t0\t2\r\n\xE9t\xE9\t3\t1\t2\r\n"},
        {utf8Columns + "a\t1\t1\r\n\xC3\xA9t\xC3\xA9\t3\t3\r\n", {1}, utf8Columns + "\xC3\xA9t\xC3\xA9\t3\t3\r\n"},
        {columns + "a\t1\t1\t0\r\n", {}, columns},
    };
    for (const auto &c : cases) {
        const SavedWordList saved = parseWordList(c.list);
        ASSERT_TRUE(saved.problem.isEmpty()) << saved.problem.toStdString();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(writeWordListRows(saved.list, c.rows, buffer));
        EXPECT_EQ(buffer.data(), c.written);
    }
}
