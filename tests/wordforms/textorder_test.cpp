// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/letters.h"
#include "wordforms/textorder.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>


using namespace lexalon;
using namespace Qt::StringLiterals;

// Accented letters beside their base letter, the ligature beside its
// letters, and only identical texts equal.
TEST(FrenchOrder, ComparesInFrenchOrder)
{
    const struct { const char16_t *a, *b; int sign; } cases[] = {
        {u"a", u"à", -1}, {u"à", u"b", -1}, {u"e", u"é", -1}, {u"ê", u"f", -1}, {u"école", u"élan", -1},
        {u"élan", u"fable", -1}, {u"fable", u"zèbre", -1}, {u"odeur", u"oeuvre", -1}, {u"odeur", u"œuvre", -1},
        {u"œuvre", u"ouvrir", -1}, {u"oeuvre", u"ouvrir", -1}, {u"été", u"été", 0}, {u"a", u"ab", -1}};
    const TextOrder order;
    for (const auto &c : cases) {
        const int sign = (order.compare(c.a, c.b) > 0) - (order.compare(c.a, c.b) < 0);
        EXPECT_EQ(sign, c.sign) << QString::fromUtf16(c.a).toStdString() << " / " << QString::fromUtf16(c.b).toStdString();
        EXPECT_EQ(order.compare(c.b, c.a), -order.compare(c.a, c.b));
    }
    EXPECT_NE(order.compare(u"cote", u"Cote"), 0);
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
