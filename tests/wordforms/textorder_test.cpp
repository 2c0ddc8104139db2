#include "wordforms/textorder.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

QStringList sorted(QStringList texts)
{
    const TextOrder order;
    std::sort(texts.begin(), texts.end(),
              [&](const QString &a, const QString &b) { return order.compare(a, b) < 0; });
    return texts;
}

} // namespace

TEST(FrenchOrder, AccentedLettersStandBesideTheirBaseLetter)
{
    EXPECT_EQ(sorted({u"b"_s, u"à"_s, u"a"_s}), (QStringList{u"a"_s, u"à"_s, u"b"_s}));
    EXPECT_EQ(sorted({u"f"_s, u"è"_s, u"é"_s, u"e"_s, u"ê"_s}).first(), u"e"_s);
    EXPECT_EQ(sorted({u"f"_s, u"è"_s, u"é"_s, u"e"_s, u"ê"_s}).last(), u"f"_s);
    EXPECT_EQ(sorted({u"zèbre"_s, u"élan"_s, u"fable"_s, u"école"_s}),
              (QStringList{u"école"_s, u"élan"_s, u"fable"_s, u"zèbre"_s}));
}

TEST(FrenchOrder, LigatureSortsBesideItsLetters)
{
    const QStringList order = sorted({u"oeuvre"_s, u"ouvrir"_s, u"œuvre"_s, u"odeur"_s});
    EXPECT_EQ(order.indexOf(u"odeur"_s), 0);
    EXPECT_EQ(order.indexOf(u"ouvrir"_s), 3);
    EXPECT_EQ(std::abs(order.indexOf(u"oeuvre"_s) - order.indexOf(u"œuvre"_s)), 1);
}

TEST(FrenchOrder, OnlyIdenticalTextsAreEqual)
{
    const TextOrder order;
    EXPECT_EQ(order.compare(u"été", u"été"), 0);
    EXPECT_NE(order.compare(u"cote", u"Cote"), 0);
    EXPECT_EQ(order.compare(u"cote", u"Cote"), -order.compare(u"Cote", u"cote"));
    EXPECT_LT(order.compare(u"a", u"ab"), 0);
}
