// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/textstudy.h"

#include "wordforms/analysis.h"

#include <QString>

#include <gtest/gtest.h>

#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

std::vector<qsizetype> starts(const Concordance &concordance)
{
    std::vector<qsizetype> found;
    for (qsizetype a = 0; a < concordance.size(); ++a)
        found.push_back(concordance.span(a).begin);
    return found;
}

} // namespace

// A form asked by its name, as a user writes it, or by its row finds the same
// attestations; one the text does not hold finds none, in either order.
TEST(TextStudy, FindsAFormByItsNameOrItsRow)
{
    const QString text = u"Le chat, le CHAT et l'ane. Cœur"_s;
    const struct { QString asked; WordList::Order order; QString listed; std::vector<qsizetype> starts; } cases[] = {
        {u"chat"_s, WordList::Order::Alphabetical, u"chat"_s, {3, 12}},
        {u"CHAT"_s, WordList::Order::DecreasingFrequency, u"chat"_s, {3, 12}},
        {u"Le"_s, WordList::Order::DecreasingFrequency, u"le"_s, {0, 9}},
        {u"CŒUR"_s, WordList::Order::Alphabetical, u"cœur"_s, {27}},
        {u"chien"_s, WordList::Order::Alphabetical, {}, {}},
        {u"1, 2"_s, WordList::Order::DecreasingFrequency, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.asked.toStdString());
        TextStudy study(text);
        study.sort(c.order);
        const qsizetype row = study.rowOf(c.asked);
        EXPECT_EQ(row >= 0 ? study.list().form(row).toString() : QString(), c.listed);
        EXPECT_EQ(starts(study.concordance(c.asked)), c.starts);
        if (row >= 0) {
            EXPECT_EQ(starts(study.concordance(row)), c.starts);
        }
    }
}

// The text is shared, not copied; the forms of a text read without its
// characters give the same statistics.
TEST(TextStudy, HoldsTheTextAndMeasuresItsForms)
{
    const QString text = u"Le chat, le CHAT et l'ane."_s;
    const TextStudy study(text);
    EXPECT_EQ(study.concordance(u"chat").text().data(), text.constData());
    const LexicalStatistics measured = study.statistics();
    EXPECT_EQ(measured.tokens(), 7);
    EXPECT_EQ(measured.types(), 5);
    const LexicalStatistics ofForms = TextStudy(analyseTextWithTokens(text)).statistics();
    EXPECT_EQ(ofForms.measures().size(), measured.measures().size());
    for (size_t m = 0; m < measured.measures().size(); ++m)
        EXPECT_EQ(ofForms.measures()[m].value, measured.measures()[m].value);
}
