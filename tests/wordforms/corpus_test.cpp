// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/corpus.h"

#include "platform/interaction/taskprogress.h"
#include "wordforms/textorder.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

Corpus corpusOf(const QStringList &texts)
{
    std::vector<Corpus::Text> studied;
    for (const QString &text : texts)
        studied.push_back({u"t%1"_s.arg(studied.size()), std::make_unique<TextStudy>(text)});
    return Corpus(std::move(studied));
}

std::vector<qsizetype> shown(const CorpusConcordance &concordance)
{
    std::vector<qsizetype> numbers;
    for (qsizetype row = 0; row < concordance.size(); ++row)
        numbers.push_back(concordance.attestation(row) + 1);
    return numbers;
}

} // namespace

// The corpus's list is the list of the texts end to end, with each text's
// own counts in its column; ranks lead from each list to the other.
TEST(Corpus, ListsTheTextsTogetherWithEachTextsCounts)
{
    const QStringList texts{u"Été, le chat. Zut"_s, u"le chien et LE chat ; œuf"_s, u"été oeuf"_s};
    const Corpus corpus = corpusOf(texts);
    const WordList whole = analyseText(texts.join(u'\n'));
    const WordList &list = corpus.list();
    ASSERT_EQ(list.size(), whole.size());
    for (qsizetype row = 0; row < list.size(); ++row) {
        EXPECT_EQ(list.form(row), whole.form(row));
        EXPECT_EQ(list.count(row), whole.count(row));
    }
    EXPECT_EQ(list.textColumns(), (QStringList{u"t0"_s, u"t1"_s, u"t2"_s}));
    for (qsizetype text = 0; text < corpus.textCount(); ++text) {
        const WordList &own = corpus.text(text).list();
        for (qsizetype rank = 0; rank < own.size(); ++rank) {
            const std::uint32_t row = corpus.corpusRow(text, TextTokens::Rank(rank));
            EXPECT_EQ(list.form(row), own.form(rank));
            EXPECT_EQ(corpus.textRow(text, row), rank);
            const auto counts = list.textCounts(row);
            const auto inText = std::find_if(counts.begin(), counts.end(), [&](const TextCount &c) { return c.column == text; });
            ASSERT_NE(inText, counts.end());
            EXPECT_EQ(inText->count, own.count(rank));
        }
    }
    EXPECT_EQ(corpus.textRow(2, list.rowOf(u"chat"_s)), -1);
    const std::vector<Measure> measured = corpus.statistics().measures();
    const std::vector<Measure> ofWhole = TextStudy(texts.join(u'\n')).statistics().measures();
    ASSERT_EQ(measured.size(), ofWhole.size());
    for (size_t m = 0; m < measured.size(); ++m)
        EXPECT_EQ(measured[m].value, ofWhole[m].value) << measured[m].name.toStdString();
}

// Neighbours compare by their corpus rows (vin and ami are each in one text
// only); ties of the first key go by the second, then by corpus order.
TEST(Corpus, SortsTheConcordanceByTwoKeys)
{
    const Corpus corpus = corpusOf({u"zut le chat. bon le vin"_s, u"ami le chat. bon le ami"_s});
    using Order = Concordance::Order;
    const std::uint32_t le = std::uint32_t(corpus.list().rowOf(u"le"_s));
    CorpusConcordance concordance = corpus.concordance({&le, 1});
    const struct { Order first, second; std::vector<qsizetype> numbers; } cases[] = {
        {Order::FirstRight, Order::FirstLeft, {4, 3, 1, 2}},
        {Order::FirstLeft, Order::FirstRight, {3, 4, 2, 1}},
        {Order::FirstLeft, Order::Text, {3, 2, 4, 1}},
        {Order::SecondLeft, Order::FirstRight, {1, 3, 4, 2}},
        {Order::Text, Order::FirstLeft, {1, 2, 3, 4}},
    };
    for (const auto &c : cases) {
        concordance.arrange(concordance.arranged(c.first, c.second));
        EXPECT_EQ(shown(concordance), c.numbers) << int(c.first) << int(c.second);
        for (qsizetype row = 0; row < concordance.size(); ++row)
            EXPECT_EQ(concordance.rowOf(concordance.attestation(row)), row);
    }
    EXPECT_EQ(concordance.textOf(2), 1);
    EXPECT_EQ(concordance.line(2, 1).left, u"ami "_s);
    const std::uint32_t rows[] = {std::uint32_t(corpus.list().rowOf(u"chat"_s)), le};
    const CorpusConcordance inSecond = corpus.concordance(rows, 1);
    EXPECT_EQ(inSecond.size(), 3);
    EXPECT_EQ(inSecond.span(1).begin, 7);
    TaskProgress progress;
    progress.cancel();
    EXPECT_THROW(corpus.concordance(rows, {}, &progress), TaskCancelled);
}
