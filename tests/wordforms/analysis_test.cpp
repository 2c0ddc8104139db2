#include "wordforms/analysis.h"
#include "tests/support/plainformcount.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordlist.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

using Rows = std::vector<std::pair<std::string, qint64>>;

Rows rowsOf(const WordList &list)
{
    Rows rows;
    for (qsizetype r = 0; r < list.size(); ++r)
        rows.emplace_back(list.form(r).toString().toStdString(), list.count(r));
    return rows;
}

// The rows as forms and counts in the plain form.
lexalon::testing::FormCounts countsOf(const WordList &list)
{
    lexalon::testing::FormCounts counts;
    for (qsizetype r = 0; r < list.size(); ++r)
        counts[list.form(r).toString().toStdU16String()] = list.count(r);
    return counts;
}

} // namespace

TEST(Analysis, ListsEachFormOnceWithItsAttestationsInFrenchOrder)
{
    const struct { const char16_t *text; Rows rows; } cases[] = {
        {u"Le chat, le CHAT et l'ane.", {{"ane", 1}, {"chat", 2}, {"et", 1}, {"l", 1}, {"le", 2}}},
        {u"l'été", {{"été", 1}, {"l", 1}}},
        {u"porte-monnaie 1er", {{"er", 1}, {"monnaie", 1}, {"porte", 1}}},
        {u"ÉTÉ Été été ØRE", {{"été", 3}, {"øre", 1}}},
        {u"cœur Cœur Œuvre ŠKODA Žut ŸVES", {{"cœur", 2}, {"œuvre", 1}, {"škoda", 1}, {"ÿves", 1}, {"žut", 1}}},
        {u"zèbre élan fable école", {{"école", 1}, {"élan", 1}, {"fable", 1}, {"zèbre", 1}}},
        {u"un\r\ndeux\tun\n", {{"deux", 1}, {"un", 2}}},
        {u"× ÷ 42 ª º µ α’β", {}},
        {u"", {}},
    };
    for (const auto &c : cases) {
        const WordList list = analyseText(QString::fromUtf16(c.text));
        EXPECT_EQ(rowsOf(list), c.rows) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(list.totalCount(), lexalon::testing::totalOf(countsOf(list)));
    }
}

TEST(Analysis, CountsAreNotLimitedToSixteenBits)
{
    const WordList list = analyseText(u"a "_s.repeated(40000) + u"b"_s);
    EXPECT_EQ(rowsOf(list), (Rows{{"a", 40000}, {"b", 1}}));
    EXPECT_EQ(list.totalCount(), 40001);
}

TEST(TokenList, InternsManyFormsThroughTableGrowth)
{
    TokenList tokens;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 5000; ++i)
            tokens.append(QString::number(i * 7919, 36));
    }
    EXPECT_EQ(tokens.formCount(), 5000);
    for (qsizetype i = 0; i < 5000; ++i)
        EXPECT_EQ(tokens.token(i), tokens.token(i + 5000));
    EXPECT_EQ(tokens.form(tokens.token(4999)), QString::number(4999 * 7919, 36));
}

TEST(Analysis, ReadsFormsAsThePlainRulesDoOnMixedText)
{
    // Letters, separators, Latin-1 signs and units beyond Latin-1 in long
    // random runs, so that forms straddle every internal boundary; and forms
    // longer than any buffer.
    const char16_t alphabet[] = u"aZéÉÿßÞ×÷ œŒŸšŽ’\r\n-'0@[`{\u00BF\u00C0\u00D6\u00D7\u00D8\u00DE\u00DF\u00F6\u00F7\u00F8\uFFFF";
    const size_t alphabetSize = std::size(alphabet) - 1;
    std::uint32_t seed = 12345;
    QString text = u"début "_s + QString(10000, u'É') + u" fin "_s;
    for (int i = 0; i < 60000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int runLength = 1 + int(seed >> 28);
        seed = seed * 1664525u + 1013904223u;
        text += QString(runLength, QChar(alphabet[(seed >> 8) % alphabetSize]));
    }
    text += QString(5000, u'x');
    const WordList list = analyseText(text);
    EXPECT_EQ(countsOf(list), lexalon::testing::countFormsPlainly(text));
    EXPECT_EQ(list.totalCount(), lexalon::testing::totalOf(countsOf(list)));
}
