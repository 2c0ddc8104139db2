// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/largememory.h"
#include "platform/interaction/taskprogress.h"
#include "tests/support/plainformcount.h"
#include "wordforms/analysis.h"
#include "wordforms/tokenlist.h"
#include "wordforms/wordlist.h"
#include "wordforms/wordlistsum.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <string>
#include <thread>
#include <tuple>
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

} // namespace

TEST(Analysis, ListsEachFormOnceWithItsAttestationsInFrenchOrder)
{
    const struct { QString text; Rows rows; } cases[] = {
        {u"Le chat, le CHAT et l'ane."_s, {{"ane", 1}, {"chat", 2}, {"et", 1}, {"l", 1}, {"le", 2}}},
        {u"l'été"_s, {{"été", 1}, {"l", 1}}},
        {u"porte-monnaie 1er"_s, {{"er", 1}, {"monnaie", 1}, {"porte", 1}}},
        {u"ÉTÉ Été été ØRE"_s, {{"été", 3}, {"øre", 1}}},
        {u"cœur Cœur Œuvre ŠKODA Žut ŸVES"_s, {{"cœur", 2}, {"œuvre", 1}, {"škoda", 1}, {"ÿves", 1}, {"žut", 1}}},
        {u"zèbre élan fable école"_s, {{"école", 1}, {"élan", 1}, {"fable", 1}, {"zèbre", 1}}},
        {u"un\r\ndeux\tun\n"_s, {{"deux", 1}, {"un", 2}}},
        {u"× ÷ 42 ª º µ α’β"_s, {}},
        {u""_s, {}},
        {u"a "_s.repeated(40000) + u"b"_s, {{"a", 40000}, {"b", 1}}}, // counts beyond sixteen bits
    };
    for (const auto &c : cases) {
        const WordList list = analyseText(c.text);
        EXPECT_EQ(rowsOf(list), c.rows) << c.text.left(40).toStdString();
        qint64 total = 0;
        for (const auto &row : c.rows)
            total += row.second;
        EXPECT_EQ(list.totalCount(), total);
    }
}

// A table too small for the forms is emptied and filled again: a form met
// again then has a second id until the forms are put in order.
TEST(TokenList, InternsManyFormsThroughTableGrowth)
{
    for (const int mostTableBits : {TokenList::defaultMostTableBits, 10}) {
        for (const bool countOnly : {false, true}) {
            TokenList tokens(mostTableBits);
            if (countOnly)
                tokens.countOnly();
            for (int round = 0; round < 2; ++round) {
                for (int i = 0; i < 5000; ++i)
                    tokens.append(QString::number(i * 7919, 36));
            }
            const std::vector<TokenList::CountedForm> forms = tokens.formsInOrder();
            ASSERT_EQ(forms.size(), 5000u) << mostTableBits << countOnly;
            EXPECT_TRUE(std::all_of(forms.begin(), forms.end(), [](const auto &form) { return form.tokens == 2; }));
            if (countOnly)
                continue;
            for (qsizetype i = 0; i < 5000; ++i)
                ASSERT_EQ(tokens.token(i), tokens.token(i + 5000)) << mostTableBits << ' ' << i;
            EXPECT_EQ(tokens.form(tokens.token(4999)), QString::number(4999 * 7919, 36));
        }
    }
}

TEST(Analysis, ReadsFormsAsThePlainRulesDoOnMixedText)
{
    // Letters, separators, Latin-1 signs and units beyond Latin-1 in long
    // random runs, so that forms straddle every internal boundary; forms
    // longer than any buffer; over a million characters, read in two halves.
    const char16_t alphabet[] = u"aZéÉÿßÞ×÷ œŒŸšŽ’\r\n-'0@[`{\u00BF\u00C0\u00D6\u00D7\u00D8\u00DE\u00DF\u00F6\u00F7\u00F8\uFFFF";
    const size_t alphabetSize = std::size(alphabet) - 1;
    std::uint32_t seed = 12345;
    QString text = u"début "_s + QString(10000, u'É') + u" fin "_s;
    for (int i = 0; i < 130000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int runLength = 1 + int(seed >> 28);
        seed = seed * 1664525u + 1013904223u;
        text += QString(runLength, QChar(alphabet[(seed >> 8) % alphabetSize]));
    }
    text += QString(5000, u'x');
    const WordList list = analyseText(text);
    lexalon::testing::FormCounts counts;
    for (qsizetype r = 0; r < list.size(); ++r)
        counts[list.form(r).toString().toStdU16String()] = list.count(r);
    EXPECT_EQ(counts, lexalon::testing::countFormsPlainly(text));
    EXPECT_EQ(list.totalCount(), lexalon::testing::totalOf(counts));
    // Kept in text order, each token names its form where the text writes it.
    const TextAnalysis placed = analyseTextWithTokens(text);
    ASSERT_EQ(placed.tokens.size(), list.totalCount());
    for (qsizetype t = 0; t < placed.tokens.size(); ++t) {
        const QStringView form = placed.list.form(placed.tokens.rank(t));
        ASSERT_EQ(listedForm(QStringView(text).sliced(placed.tokens.start(t), form.size())), form) << t;
    }
}

TEST(Analysis, ReportsTheCharactersReadUpToTheWhole)
{
    const QString text = u"le chat "_s.repeated(400'000);
    TaskProgress progress;
    const TextAnalysis analysis = analyseTextWithTokens(text, &progress);
    EXPECT_EQ(std::pair(progress.done(), progress.total()), std::pair(text.size(), text.size()));
    EXPECT_EQ(rowsOf(analysis.list), rowsOf(analyseText(text)));
}

TEST(Analysis, StopsWhenAskedBeforeItStarts)
{
    TaskProgress before;
    before.cancel();
    EXPECT_THROW(analyseTextWithTokens(u"le chat "_s.repeated(400'000), &before), TaskCancelled);
}

TEST(Analysis, StopsWhenAskedFromAnotherThreadOnItsWay)
{
    TaskProgress midway;
    std::thread stopper([&midway] {
        while (midway.done() == 0)
            std::this_thread::yield();
        midway.cancel();
    });
    EXPECT_THROW(analyseTextWithTokens(u"le chat "_s.repeated(4'000'000), &midway), TaskCancelled);
    stopper.join();
}

// Millions of tokens take memory of their own, given back whole.
TEST(Analysis, KeepsTheTokensOfALargeText)
{
    const TextAnalysis analysis = analyseTextWithTokens(u"le chat "_s.repeated(1'000'000));
    ASSERT_EQ(analysis.tokens.size(), 2'000'000);
    EXPECT_EQ(analysis.tokens.rank(1'999'999), 0u); // chat, before le
    EXPECT_EQ(analysis.tokens.start(1'999'999), 7'999'995);
    EXPECT_EQ(analysis.tokens.rank(1'999'998), 1u);
}

// Memory that cannot be had is refused, not handed out.
TEST(LargeMemory, RefusesWhatCannotBeHad)
{
    EXPECT_THROW(allocateLarge(std::size_t(1) << 62), std::bad_alloc);
}

namespace {

// A text of bytes, long enough to be cut into pieces counted apart: random
// runs of every byte, and a form longer than a piece read at a time.
struct ByteText
{
    ByteText()
    {
        for (size_t byte = 0; byte < characters.size(); ++byte)
            characters[byte] = char16_t(byte);
        characters[0x8C] = 0x0152; // Œ
        characters[0x9F] = 0x0178; // Ÿ
        std::uint32_t seed = 4321;
        while (bytes.size() < 3'000'000) {
            seed = seed * 1664525u + 1013904223u;
            const size_t run = 1 + (seed >> 27);
            bytes.insert(bytes.end(), run, (seed >> 8) % 4 == 0 ? ' ' : (seed >> 12) & 0xFF);
        }
        bytes.push_back(' ');
        bytes.insert(bytes.end(), 300'000, 'x');
        for (const unsigned char byte : bytes)
            text += QChar(characters[byte]);
    }

    // Reads the bytes, failing for any read that goes beyond `failing`.
    ReadBytes readerFailingFrom(qint64 failing) const
    {
        return [this, failing](qint64 offset, unsigned char *into, size_t size) {
            std::copy_n(bytes.begin() + offset, size, into);
            return offset + qint64(size) <= failing;
        };
    }

    std::array<char16_t, 256> characters{};
    std::vector<unsigned char> bytes;
    QString text;
};

} // namespace

TEST(Analysis, ListsBytesAsTheirDecodingDoes)
{
    const ByteText byteText;
    WordList fromBytes;
    const auto reader = [&byteText] { return byteText.readerFailingFrom(qint64(byteText.bytes.size())); };
    ASSERT_TRUE(analyseBytes(qint64(byteText.bytes.size()), reader, byteText.characters, fromBytes));
    EXPECT_EQ(rowsOf(fromBytes), rowsOf(analyseText(byteText.text)));
}

TEST(Analysis, BytesThatCannotBeReadGiveNoList)
{
    const ByteText byteText;
    WordList fromBytes;
    const auto reader = [&byteText] { return byteText.readerFailingFrom(2'000'000); };
    EXPECT_FALSE(analyseBytes(qint64(byteText.bytes.size()), reader, byteText.characters, fromBytes));
}

// The lists of a text's parts add up to its list, with each part's counts
// kept in its column.
TEST(WordListSum, PartsAddUpToTheWholeTextsList)
{
    const QString text = ByteText().text;
    const qsizetype cuts[] = {0, 17, 1'000'000, text.size()};
    WordListSum sum;
    for (qsizetype part = 2; part >= 0; --part) {
        const QStringView piece = QStringView(text).sliced(cuts[part], cuts[part + 1] - cuts[part]);
        sum.add(analyseText(piece.toString() + u' '), u"partie %1"_s.arg(part));
    }
    const WordList summed = sum.take(true);
    EXPECT_EQ(rowsOf(summed), rowsOf(analyseText(text.left(17) + u' ' + text.mid(17, 999'983) + u' ' + text.mid(1'000'000))));
    ASSERT_EQ(summed.textColumns(), QStringList({u"partie 2"_s, u"partie 1"_s, u"partie 0"_s}));
    const qsizetype row = summed.rowOf(QString(300'000, u'x'));
    ASSERT_GE(row, 0);
    const auto counts = summed.textCounts(row);
    ASSERT_EQ(counts.size(), 1u) << "the parts without the form count nothing";
    EXPECT_EQ(std::tuple(counts[0].column, counts[0].count), std::tuple(0u, 1));
}
