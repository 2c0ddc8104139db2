// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/concordancefile.h"

#include "wordforms/analysis.h"
#include "wordforms/concordance.h"
#include "wordforms/corpus.h"

#include <QBuffer>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

// Rows in the order shown, each with its number in text order; characters
// beyond Windows-1252 kept.
TEST(ConcordanceFile, MarkHeadingThenNumberContextsAndFormInUtf8CrLf)
{
    const QString text = u"ŝi été zut Été, fin 𝄞"_s;
    const TextAnalysis analysis = analyseTextWithTokens(text);
    Concordance concordance(text, analysis.tokens, analysis.list.rank(analysis.list.rowOf(u"été"_s)));
    concordance.sort(Concordance::Order::FirstRight);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeConcordance(concordance, 2, buffer));
    EXPECT_EQ(buffer.data(), "\xEF\xBB\xBF"
                                 + u"N°\tContexte gauche\tForme\tContexte droit\r\n"
                                   u"2\tété zut \tÉté\t, fin 𝄞\r\n"
                                   u"1\tŝi \tété\t zut Été\r\n"_s.toUtf8());
}

// Several texts: each row's text after its number in corpus text order. One
// text: the bytes of the text's own concordance.
TEST(ConcordanceFile, CorpusTextsHaveAColumnWhenSeveral)
{
    const auto written = [](const QStringList &texts, Concordance::Order order) {
        std::vector<Corpus::Text> studied;
        for (const QString &text : texts)
            studied.push_back({u"t%1.txt"_s.arg(studied.size()), std::make_unique<TextStudy>(text)});
        const Corpus corpus(std::move(studied));
        const std::uint32_t row = std::uint32_t(corpus.list().rowOf(u"été"_s));
        CorpusConcordance concordance = corpus.concordance({&row, 1});
        concordance.arrange(concordance.arranged(order, Concordance::Order::Text));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(writeConcordance(concordance, 1, buffer));
        return buffer.data();
    };
    EXPECT_EQ(written({u"un été, zut"_s, u"Été fin"_s}, Concordance::Order::FirstRight),
              "\xEF\xBB\xBF" + u"N°\tTexte\tContexte gauche\tForme\tContexte droit\r\n"
                               u"2\tt1.txt\t\tÉté\t fin\r\n"
                               u"1\tt0.txt\tun \tété\t, zut\r\n"_s.toUtf8());
    const QString text = u"ŝi été zut Été, fin 𝄞"_s;
    const TextStudy study(text);
    Concordance alone = study.concordance(u"été");
    alone.sort(Concordance::Order::FirstRight);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeConcordance(alone, 1, buffer));
    EXPECT_EQ(written({text}, Concordance::Order::FirstRight), buffer.data());
}
