#include "support/testfiles.h"
#include "output/wordlistfile.h"

#include "../support/iconv_windows1252.h"
#include "../support/qt_printers.h"
#include "wordforms/analysis.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordgrid.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>


using namespace lexalon;
using namespace Qt::StringLiterals;
using lexalon::testing::Windows1252Oracle;
using lexalon::testing::contentOf;
using lexalon::testing::writeBytes;

namespace {

const QByteArray headingLine("Formes\tNombre d'attestations\r\n");

// The word list the analysis leaves for a text.
WordGrid wordListOf(const QString &text)
{
    TokenList tokens;
    WordGrid grid(3, 2, 1, 1);
    analyseText(text, tokens, grid);
    return grid;
}

WordGrid gridOf(const QList<std::pair<QString, QString>> &rows)
{
    WordGrid grid(int(rows.size()), 2, 0, 0);
    for (int r = 0; r < rows.size(); ++r) {
        grid.setCellText(r, 0, rows.at(r).first);
        grid.setCellText(r, 1, rows.at(r).second);
    }
    return grid;
}

} // namespace

TEST(WordListFormat, HeadingOnlyListIsOneLineOfThirtyBytes)
{
    const QByteArray bytes = wordListBytes(wordListOf(u"1, 2, 3 !"_s));

    EXPECT_EQ(bytes, headingLine);
    EXPECT_EQ(bytes.size(), 30);
}

TEST(WordListFormat, EachRowIsFormTabCountCrLf)
{
    const QByteArray bytes = wordListBytes(wordListOf(u"Le chat, le CHAT et l'été. L'ÉTÉ !"_s));

    EXPECT_EQ(bytes, headingLine
                         + "chat\t2\r\n"
                           "et\t1\r\n"
                           "\xE9t\xE9\t2\r\n"
                           "l\t2\r\n"
                           "le\t2\r\n");
}

TEST(WordListFormat, FileSizeIsCellLengthsPlusThreePerRow)
{
    const WordGrid grid = wordListOf(u"Un cœur, des œuvres ; l'œil — et Ÿ ÿ ß."_s);

    qsizetype expected = 0;
    for (int r = 0; r < grid.Rows(); ++r)
        expected += grid.cellText(r, 0).size() + grid.cellText(r, 1).size() + 3;
    const QByteArray bytes = wordListBytes(grid);
    EXPECT_EQ(bytes.size(), expected);
    EXPECT_EQ(bytes.count("\r\n"), grid.Rows());
    EXPECT_TRUE(bytes.contains("c\x9Cur\t1\r\n"));
    EXPECT_TRUE(bytes.contains("\xFF\t2\r\n"));
}

TEST(WordListFormat, CharactersAreTheirWindows1252Bytes)
{
    Windows1252Oracle oracle;
    ASSERT_TRUE(oracle.ready());
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const char16_t unit = char16_t(c);
        const QByteArray bytes = encodeWindows1252(QStringView(&unit, 1));
        ASSERT_EQ(bytes.size(), 1) << std::hex << unsigned(c);
        const bool undefinedByte = c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
        const unsigned char expected = undefinedByte ? static_cast<unsigned char>(c) : oracle.byte(unit).value_or('?');
        ASSERT_EQ(static_cast<unsigned char>(bytes[0]), expected) << std::hex << unsigned(c);
    }
}

TEST(WordListFormat, CharacterOutsideWindows1252IsOneQuestionMark)
{
    EXPECT_EQ(encodeWindows1252(u"cœur"_s), QByteArray("c\x9Cur"));
    EXPECT_EQ(encodeWindows1252(u"ĉu €"_s), QByteArray("?u \x80"));
    EXPECT_EQ(encodeWindows1252(u"a𝄞b"_s), QByteArray("a?b"));
    EXPECT_EQ(encodeWindows1252(QStringView(u"a\xD834" u"b")), QByteArray("a?b"));
    EXPECT_EQ(encodeWindows1252(QStringView(u"\xDD1E")), QByteArray("?"));
    EXPECT_EQ(wordListBytes(gridOf({{u"ŝi𝄞"_s, u"1"_s}})), QByteArray("?i?\t1\r\n"));
    // Longer than a piece written at a time: no pair is cut between two.
    EXPECT_EQ(wordListBytes(gridOf({{u"𝄞"_s.repeated(70'000), u"1"_s}})), QByteArray(70'000, '?') + "\t1\r\n");
}

class WordListFileTest : public ::testing::Test
{
protected:
    QTemporaryDir m_dir;
};

TEST_F(WordListFileTest, WrittenFileHoldsTheBytesOfTheListAndNothingElse)
{
    const WordGrid grid = wordListOf(u"Été comme hiver, l'été revient."_s);
    const QString path = m_dir.filePath(u"liste.txt"_s);
    ASSERT_TRUE(writeBytes(path, QByteArray(5000, 'x')));

    const WriteOutcome outcome = writeWordListFile(grid, path);

    ASSERT_TRUE(outcome.ok) << outcome.errorString.toStdString();
    EXPECT_EQ(contentOf(path), wordListBytes(grid));
}
