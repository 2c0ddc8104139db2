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

TEST(Counting, FormsAreRunsOfLettersFoldedToLowerCase)
{
    const struct
    {
        const char16_t *text;
        Rows rows;
    } cases[] = {
        {u"un deux deux", {{"deux", "2"}, {"un", "1"}}},
        {u"Bonjour", {{"bonjour", "1"}}},
        {u"l'été", {{"été", "1"}, {"l", "1"}}},
        {u"porte-monnaie", {{"monnaie", "1"}, {"porte", "1"}}},
        {u"1er", {{"er", "1"}}},
        {u"ÉTÉ Été été", {{"été", "3"}}},
        {u"ØRE", {{"øre", "1"}}},
        {u"cœur Cœur Œuvre", {{"cœur", "2"}, {"œuvre", "1"}}},
        {u"ŠKODA Žut ŸVES", {{"škoda", "1"}, {"ÿves", "1"}, {"žut", "1"}}},
        {u"× ÷ 42 ª º µ α’β", {}},
        {u"un\r\ndeux\tun\n", {{"deux", "1"}, {"un", "2"}}},
        {u"terre ciel LA le: et mer la", {{"ciel", "1"}, {"et", "1"}, {"la", "2"}, {"le", "1"}, {"mer", "1"}, {"terre", "1"}}},
    };
    for (const auto &c : cases) {
        const Analysis a = analyse(c.text);
        EXPECT_EQ(formRows(a.grid), c.rows) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(a.statistics.total, sumOfCounts(a.grid));
        EXPECT_EQ(a.statistics.different, qint64(c.rows.size()));
    }
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
