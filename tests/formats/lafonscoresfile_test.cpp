// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/lafonscoresfile.h"
#include "formats/wordlistfile.h"
#include "formats/wordlistreading.h"
#include "wordforms/analysis.h"
#include "wordforms/lafonscores.h"
#include "wordforms/wordlist.h"
#include "wordforms/wordlistsum.h"

#include "tests/support/wordlists.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

WordList corpusList(const std::vector<std::pair<QString, QString>> &texts)
{
    WordListSum sum;
    for (const auto &[name, text] : texts)
        sum.add(analyseText(text), name);
    return sum.take(true);
}

QByteArray lafonScoresBytes(const WordList &list, const QStringList &names, const std::vector<std::uint32_t> &rows)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writeLafonScores(LafonScores(list), list, names, rows, buffer));
    return buffer.data();
}

} // namespace

// Two texts of two forms, T = 4, t = 2. chat: f = 1, F = 1, P(X >= 1) = 1/2
// where it is, P(X <= 0) = 1/2 where it is not; le: f = 1, F = 2, P(X >= 1)
// = 1 - C(2, 2) / C(4, 2) = 5/6. One form outside Windows-1252 makes the
// file UTF-8.
TEST(LafonScoresFile, HeadingThenRowsGivenWithCountsAndScores)
{
    const WordList two = corpusList({{u"a.txt"_s, u"le chat"_s}, {u"b.txt"_s, u"Le chien"_s}});
    EXPECT_EQ(lafonScoresBytes(two, two.textColumns(), {2, 0, 1}),
              QByteArray("Forme\tTotal\ta.txt\ta.txt (sp\xE9" "cificit\xE9)\tb.txt\tb.txt (sp\xE9" "cificit\xE9)\r\n"
                         "le\t2\t1\t0,0792\t1\t0,0792\r\n"
                         "chat\t1\t1\t0,3010\t0\t-0,3010\r\n"
                         "chien\t1\t0\t-0,3010\t1\t0,3010\r\n"));
    const WordList foreign = lexalon::testing::wordList({{u"été"_s, 2}, {u"ŝi"_s, 1}});
    EXPECT_EQ(lafonScoresBytes(foreign, {u"un"_s}, {0, 1}),
              QByteArray("\xEF\xBB\xBF" "Forme\tTotal\tun\tun (sp\xC3\xA9" "cificit\xC3\xA9)\r\n"
                         "\xC3\xA9t\xC3\xA9\t2\t2\t0,0000\r\n\xC5\x9Di\t1\t1\t0,0000\r\n"));
}

// A text against the saved list of the other texts of a corpus: each of its
// forms as in the corpus.
TEST(LafonScoresFile, KeywordsAgainstASavedListAreThoseOfTheWholeCorpus)
{
    const QString a = u"le chat dort et le chat rêve"_s;
    const WordList whole = corpusList({{u"a"_s, a}, {u"b"_s, u"le chien dort"_s}, {u"c"_s, u"un loup et un chien"_s}});
    const SavedWordList others = parseWordList(
        wordListBytes(corpusList({{u"b"_s, u"le chien dort"_s}, {u"c"_s, u"un loup et un chien"_s}})));
    ASSERT_TRUE(others.problem.isEmpty());
    const WordList text = analyseText(a);
    const LafonScores against(text, others.list), within(whole);
    ASSERT_EQ(against.corpusSize(), within.corpusSize());
    for (qsizetype row = 0; row < text.size(); ++row) {
        const qsizetype wholeRow = whole.rowOf(text.form(row));
        EXPECT_EQ(against.corpusCount(row), within.corpusCount(wholeRow));
        EXPECT_EQ(against.count(row, 0), within.count(wholeRow, 0));
        EXPECT_NEAR(against.score(row, 0), within.score(wholeRow, 0), 1e-12) << text.form(row).toString().toStdString();
    }
}
