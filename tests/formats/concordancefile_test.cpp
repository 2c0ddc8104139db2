// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/concordancefile.h"

#include "wordforms/analysis.h"
#include "wordforms/concordance.h"

#include <QBuffer>
#include <QString>

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
