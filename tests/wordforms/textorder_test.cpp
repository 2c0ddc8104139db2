#include "wordforms/letters.h"
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

namespace {

// Every lower-case letter a form can hold.
QString formLetters()
{
    QString letters;
    for (char16_t c = 0; c < 0x180; ++c) {
        if (isLetter(c) && foldLetter(c) == c)
            letters += QChar(c);
    }
    return letters;
}

QString randomText(std::uint32_t &seed, const QString &alphabet, int maxLength)
{
    seed = seed * 1664525u + 1013904223u;
    const int length = int(seed >> 24) % (maxLength + 1);
    QString text;
    for (int i = 0; i < length; ++i) {
        seed = seed * 1664525u + 1013904223u;
        text += alphabet[qsizetype((seed >> 8) % std::uint32_t(alphabet.size()))];
    }
    return text;
}

} // namespace

TEST(FrenchOrder, PrimaryKeysCoverEveryLetterOfAForm)
{
    const QString letters = formLetters();
    EXPECT_EQ(letters.size(), 61);
    for (const QChar c : letters) {
        TextOrder::Key key;
        EXPECT_TRUE(TextOrder::french().appendPrimaryKey(QStringView(&c, 1), key)) << int(c.unicode());
    }
}

TEST(FrenchOrder, SortKeysAgreeWithTheCollatorOnEveryPair)
{
    // Random forms from a small alphabet, so that many share prefixes and
    // differ only by accents; plus texts the keys do not cover.
    const QString formAlphabet = u"aàâäbceéèêëioôœuùûüyÿsßæøþðz"_s + formLetters();
    const QString otherAlphabet = u"aA eÉ-'1œŒ"_s;
    const TextOrder &order = TextOrder::french();
    SortKeys keys(order);
    std::uint32_t seed = 7;
    std::vector<std::pair<QString, SortKeys::Key>> texts;
    for (int i = 0; i < 600; ++i) {
        const QString text = randomText(seed, i % 5 == 4 ? otherAlphabet : formAlphabet, i % 3 == 0 ? 12 : 4);
        texts.emplace_back(text, keys.add(text));
    }
    for (const auto &[a, aKey] : texts) {
        for (const auto &[b, bKey] : texts) {
            ASSERT_EQ(keys.compare(aKey, a, bKey, b), order.compare(a, b))
                << a.toStdString() << " / " << b.toStdString();
        }
    }
}
