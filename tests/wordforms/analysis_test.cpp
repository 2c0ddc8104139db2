#include "wordforms/analysis.h"
#include "wordforms/letters.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordgrid.h"
#include "wordlist_helpers.h"

#include <QString>

#include <gtest/gtest.h>

#include <numeric>

using namespace lexalon;
using namespace Qt::StringLiterals;
using lexalon::testing::formRows;
using lexalon::testing::Rows;

namespace {

struct Analysis
{
    TokenList tokens;
    WordGrid grid{3, 2, 1, 1};
    WordStatistics statistics;
};

Analysis analyse(const QString &text)
{
    Analysis a;
    a.statistics = analyseText(text, a.tokens, a.grid);
    return a;
}

Analysis analyse(const char16_t *text)
{
    return analyse(QString::fromUtf16(text));
}

qint64 sumOfCounts(const WordGrid &grid)
{
    qint64 sum = 0;
    for (int r = 1; r < grid.Rows(); ++r)
        sum += grid.cellText(r, 1).toLongLong();
    return sum;
}

} // namespace

TEST(Counting, SentenceWithRepeatedFormsInMixedCase)
{
    const Analysis a = analyse(u"Le chat, le CHAT et l'ane.");
    EXPECT_EQ(a.statistics.total, 7);
    EXPECT_EQ(a.statistics.different, 5);
    EXPECT_EQ(formRows(a.grid),
              (Rows{{"ane", "1"}, {"chat", "2"}, {"et", "1"}, {"l", "1"}, {"le", "2"}}));
}

TEST(Counting, LastFormWithoutFinalSeparatorCounts)
{
    const Analysis a = analyse(u"un deux deux");
    EXPECT_EQ(a.statistics.total, 3);
    EXPECT_EQ(formRows(a.grid), (Rows{{"deux", "2"}, {"un", "1"}}));
}

TEST(Counting, SingleWord)
{
    const Analysis a = analyse(u"Bonjour");
    EXPECT_EQ(a.statistics.total, 1);
    EXPECT_EQ(a.statistics.different, 1);
    EXPECT_EQ(formRows(a.grid), (Rows{{"bonjour", "1"}}));
}

TEST(Counting, ApostrophesHyphensAndDigitsSeparate)
{
    EXPECT_EQ(formRows(analyse(u"l'été").grid), (Rows{{"été", "1"}, {"l", "1"}}));
    EXPECT_EQ(formRows(analyse(u"porte-monnaie").grid), (Rows{{"monnaie", "1"}, {"porte", "1"}}));
    EXPECT_EQ(formRows(analyse(u"1er").grid), (Rows{{"er", "1"}}));
}

TEST(Counting, AccentedCapitalsFoldTogether)
{
    EXPECT_EQ(formRows(analyse(u"ÉTÉ Été été").grid), (Rows{{"été", "3"}}));
    EXPECT_EQ(formRows(analyse(u"ØRE").grid), (Rows{{"øre", "1"}}));
}

TEST(Counting, LigaturesAndWindows1252LettersStayInTheirForms)
{
    EXPECT_EQ(formRows(analyse(u"cœur Cœur").grid), (Rows{{"cœur", "2"}}));
    EXPECT_EQ(formRows(analyse(u"Œuvre").grid), (Rows{{"œuvre", "1"}}));
    EXPECT_EQ(formRows(analyse(u"ŠKODA Žut ŸVES").grid),
              (Rows{{"škoda", "1"}, {"ÿves", "1"}, {"žut", "1"}}));
}

TEST(Counting, SymbolsAndCharactersBeyondWindows1252AreSeparators)
{
    const Analysis a = analyse(u"× ÷ 42 ª º µ α’β");
    EXPECT_EQ(a.statistics.total, 0);
    EXPECT_EQ(a.statistics.different, 0);
}

TEST(Counting, LineEndsAndTabsSeparate)
{
    EXPECT_EQ(formRows(analyse(u"un\r\ndeux\tun\n").grid), (Rows{{"deux", "1"}, {"un", "2"}}));
}

TEST(Counting, CountsAreNotLimitedToSixteenBits)
{
    QString text;
    for (int i = 0; i < 40000; ++i)
        text += u"a "_s;
    text += u"b"_s;
    const Analysis a = analyse(text);
    EXPECT_EQ(a.statistics.total, 40001);
    EXPECT_EQ(formRows(a.grid), (Rows{{"a", "40000"}, {"b", "1"}}));
}

TEST(Counting, CountsSumToTheTotal)
{
    const Analysis a = analyse(u"Il était une fois, une fois encore, un été où il fit beau; "
                               u"et l'été fut beau, très beau, et il fit chaud.");
    EXPECT_EQ(sumOfCounts(a.grid), a.statistics.total);
    EXPECT_EQ(a.grid.Rows() - 1, a.statistics.different);
}

TEST(Counting, SameWordsInAnotherOrderGiveTheSameList)
{
    const Analysis a = analyse(u"la mer, le ciel et la terre");
    const Analysis b = analyse(u"terre ciel LA le: et mer la");
    EXPECT_EQ(formRows(a.grid), formRows(b.grid));
    EXPECT_EQ(a.statistics.total, b.statistics.total);
}

TEST(Counting, ATextWithoutLettersGivesTheHeadingAlone)
{
    for (const char16_t *text : {u"", u"  \r\n 123 -- !"}) {
        const Analysis a = analyse(text);
        EXPECT_EQ(a.statistics.total, 0);
        EXPECT_EQ(a.statistics.different, 0);
        EXPECT_EQ(a.grid.Rows(), 1);
        EXPECT_EQ(a.grid.cellText(0, 0), u"Formes"_s);
        EXPECT_EQ(a.grid.Row(), 0);
        EXPECT_EQ(a.grid.Col(), 1);
    }
}

TEST(WordListState, HeadingRowIsBoldWithTheCountColumnWidth)
{
    const Analysis a = analyse(u"mot");
    EXPECT_EQ(a.grid.cellText(0, 0), u"Formes"_s);
    EXPECT_EQ(a.grid.cellText(0, 1), u"Nombre d'attestations"_s);
    EXPECT_TRUE(a.grid.cellFontBold(0, 0));
    EXPECT_TRUE(a.grid.cellFontBold(0, 1));
    EXPECT_FALSE(a.grid.cellFontBold(1, 0));
    EXPECT_EQ(a.grid.ColWidth(1), 2000);
}

TEST(WordListState, CurrentCellIsTheLastCountWithACollapsedSelection)
{
    const Analysis a = analyse(u"trois mots ici");
    EXPECT_EQ(a.grid.Row(), 3);
    EXPECT_EQ(a.grid.Col(), 1);
    EXPECT_EQ(a.grid.RowSel(), 3);
    EXPECT_EQ(a.grid.ColSel(), 1);
}

TEST(WordListState, AnalysingAgainReplacesThePreviousList)
{
    Analysis a = analyse(u"un deux trois quatre");
    a.tokens = TokenList();
    a.statistics = analyseText(u"cinq", a.tokens, a.grid);
    EXPECT_EQ(formRows(a.grid), (Rows{{"cinq", "1"}}));
}

TEST(TokenList, HoldsTheFormsInTextOrderThenSorted)
{
    TokenList tokens;
    for (const char16_t *form : {u"le", u"chat", u"le", u"ane"})
        tokens.append(QStringView(form));
    EXPECT_EQ(tokens.size(), 4);
    EXPECT_EQ(tokens.formCount(), 3);
    EXPECT_EQ(tokens.form(tokens.token(0)), u"le");
    EXPECT_EQ(tokens.form(tokens.token(1)), u"chat");
    EXPECT_EQ(tokens.token(0), tokens.token(2));

    tokens.sortByForm();
    std::vector<QString> sorted;
    for (qsizetype i = 0; i < tokens.size(); ++i)
        sorted.push_back(tokens.form(tokens.token(i)).toString());
    EXPECT_EQ(sorted, (std::vector<QString>{u"ane"_s, u"chat"_s, u"le"_s, u"le"_s}));
}

TEST(TokenList, InternsManyFormsThroughTableGrowth)
{
    TokenList tokens;
    for (int i = 0; i < 5000; ++i)
        tokens.append(QString::number(i * 7919, 36));
    for (int i = 0; i < 5000; ++i)
        tokens.append(QString::number(i * 7919, 36));
    EXPECT_EQ(tokens.formCount(), 5000);
    for (qsizetype i = 0; i < 5000; ++i)
        EXPECT_EQ(tokens.token(i), tokens.token(i + 5000));
    EXPECT_EQ(tokens.form(tokens.token(4999)), QString::number(4999 * 7919, 36));
}

namespace {

// The plain reading of the rules, one character at a time.
std::vector<QString> referenceForms(QStringView text)
{
    std::vector<QString> forms;
    QString form;
    for (const QChar c : text) {
        if (isLetter(c.unicode())) {
            form += QChar(foldLetter(c.unicode()));
        } else if (!form.isEmpty()) {
            forms.push_back(form);
            form.clear();
        }
    }
    if (!form.isEmpty())
        forms.push_back(form);
    return forms;
}

std::vector<QString> tokenForms(const TokenList &tokens)
{
    std::vector<QString> forms;
    for (qsizetype i = 0; i < tokens.size(); ++i)
        forms.push_back(tokens.form(tokens.token(i)).toString());
    return forms;
}

} // namespace

TEST(TokenList, ReadsFormsAsThePlainRulesDoOnMixedText)
{
    // Letters, separators, Latin-1 signs and units beyond Latin-1 in long
    // random runs, so that forms straddle every internal boundary.
    const char16_t alphabet[] = u"aZéÉÿßÞ×÷ œŒŸšŽ’\r\n-'0@[`{\u00BF\u00C0\u00D6\u00D7\u00D8\u00DE\u00DF\u00F6\u00F7\u00F8\uFFFF";
    const size_t alphabetSize = std::size(alphabet) - 1;
    std::uint32_t seed = 12345;
    QString text;
    for (int i = 0; i < 60000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int runLength = 1 + int(seed >> 28);
        seed = seed * 1664525u + 1013904223u;
        const QChar c(alphabet[(seed >> 8) % alphabetSize]);
        text += QString(runLength, c);
    }
    TokenList tokens;
    tokens.appendFormsOf(text);
    EXPECT_EQ(tokenForms(tokens), referenceForms(text));
}

TEST(TokenList, AFormLongerThanAnyBufferStaysWhole)
{
    const QString text = u"début "_s + QString(10000, u'É') + u" fin "_s + QString(5000, u'x');
    TokenList tokens;
    tokens.appendFormsOf(text);
    EXPECT_EQ(tokenForms(tokens), referenceForms(text));
    ASSERT_EQ(tokens.size(), 4);
    EXPECT_EQ(tokens.form(tokens.token(1)).size(), 10000);
}
