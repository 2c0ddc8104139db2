// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/concordance.h"

#include "platform/interaction/taskprogress.h"
#include "wordforms/analysis.h"

#include <QString>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

// A text, its analysis, and the concordance of one of its forms.
struct Studied
{
    Studied(const QString &text, const QString &form)
        : text(text)
        , analysis(analyseTextWithTokens(this->text))
        , row(analysis.list.rowOf(form))
        , concordance(this->text, analysis.tokens, row >= 0 ? analysis.list.rank(row) : ~0u)
    {
    }

    std::vector<qsizetype> shown() const
    {
        std::vector<qsizetype> numbers;
        for (qsizetype row = 0; row < concordance.size(); ++row)
            numbers.push_back(concordance.attestation(row) + 1);
        return numbers;
    }

    QString text;
    TextAnalysis analysis;
    qsizetype row;
    Concordance concordance;
};

} // namespace

TEST(Concordance, FindsEveryAttestationWhereTheTextWritesIt)
{
    const struct { const char *name; QString text; QString form; std::vector<qsizetype> starts; } cases[] = {
        {"CR LF and lone CR", u"été\r\nÉté\rl'ÉTÉ"_s, u"été"_s, {0, 5, 11}},
        {"ligatures", u"Le cœur, CŒUR… cœurs"_s, u"cœur"_s, {3, 9}},
        {"first and last", u"chat noir chat"_s, u"chat"_s, {0, 10}},
        {"one form", u"mot"_s, u"mot"_s, {0}},
        {"after surrogate pairs", u"𝄞le 𝄞le"_s, u"le"_s, {2, 7}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Studied studied(c.text, c.form);
        ASSERT_GE(studied.row, 0);
        ASSERT_EQ(studied.concordance.size(), studied.analysis.list.count(studied.row));
        for (qsizetype a = 0; a < studied.concordance.size(); ++a) {
            const TextSpan span = studied.concordance.span(a);
            EXPECT_EQ(span.begin, c.starts[size_t(a)]);
            EXPECT_EQ(span.end - span.begin, c.form.size());
            EXPECT_EQ(listedForm(QStringView(c.text).sliced(span.begin, span.end - span.begin)), c.form);
        }
    }
}

// A progress followed changes nothing to the search and the sort.
TEST(Concordance, FollowedProgressCountsTheTokensAndTheSort)
{
    const Studied studied(u"chat noir chat"_s, u"chat"_s);
    const TextTokens &tokens = studied.analysis.tokens;
    TaskProgress progress;
    EXPECT_EQ(Concordance(studied.text, tokens, studied.analysis.list.rank(studied.row), &progress).size(), 2);
    EXPECT_EQ(progress.total(), tokens.size());
    TaskProgress sorting;
    EXPECT_EQ(studied.concordance.arranged(Concordance::Order::FirstRight, &sorting).shown, (std::vector<std::uint32_t>{1, 0}));
    EXPECT_EQ(sorting.total(), 3 * studied.concordance.size());
}

TEST(Concordance, StopsTheSearchAndTheSortWhenAsked)
{
    const Studied studied(u"chat noir chat"_s, u"chat"_s);
    TaskProgress progress;
    progress.cancel();
    EXPECT_THROW(Concordance(studied.text, studied.analysis.tokens, studied.analysis.list.rank(studied.row), &progress), TaskCancelled);
    EXPECT_THROW(studied.concordance.arranged(Concordance::Order::FirstLeft, &progress), TaskCancelled);
}

// Neighbours in French order (été before le, though é is above z); no
// neighbour comes first; ties keep text order.
TEST(Concordance, SortsByANeighbourInFrenchOrder)
{
    Studied studied(u"zut bien le été car le dès été le bien le"_s, u"le"_s);
    const struct { Concordance::Order order; std::vector<qsizetype> numbers; } cases[] = {
        {Concordance::Order::FirstLeft, {1, 4, 2, 3}},
        {Concordance::Order::SecondLeft, {3, 2, 4, 1}},
        {Concordance::Order::FirstRight, {4, 3, 2, 1}},
        {Concordance::Order::SecondRight, {4, 1, 2, 3}},
        {Concordance::Order::Text, {1, 2, 3, 4}},
    };
    for (const auto &c : cases) {
        studied.concordance.sort(c.order);
        EXPECT_EQ(studied.shown(), c.numbers) << int(c.order);
        for (qsizetype row = 0; row < studied.concordance.size(); ++row)
            EXPECT_EQ(studied.concordance.rowOf(studied.concordance.attestation(row)), row);
    }
}

// Neighbours of more than 65,536 forms, each form's rank read whole: the
// words on the left, in reverse alphabetical order, reverse the rows.
TEST(Concordance, SortsNeighboursOfManyForms)
{
    constexpr qsizetype words = 70'000;
    QString text;
    for (qsizetype word = words - 1; word >= 0; --word) {
        for (qsizetype place = 26 * 26 * 26; place > 0; place /= 26)
            text += QChar(char16_t(u'a' + word / place % 26));
        text += u" le "_s;
    }
    Studied studied(text, u"le"_s);
    studied.concordance.sort(Concordance::Order::FirstLeft);
    std::vector<qsizetype> reversed(words);
    for (qsizetype row = 0; row < words; ++row)
        reversed[size_t(row)] = words - row;
    EXPECT_EQ(studied.shown(), reversed);
}

TEST(Concordance, ContextsHoldTheirWordsOnOneLine)
{
    const Studied studied(u"Un\tdeux, trois\r\nQUATRE cinq"_s, u"quatre"_s);
    const struct { int words; QString left; QString right; } cases[] = {
        {1, u"trois¶"_s, u" cinq"_s},
        {2, u"deux, trois¶"_s, u" cinq"_s},
        {3, u"Un deux, trois¶"_s, u" cinq"_s},
        {4, u"Un deux, trois¶"_s, u" cinq"_s},
    };
    for (const auto &c : cases) {
        const ConcordanceLine line = studied.concordance.line(0, c.words);
        EXPECT_EQ(line.left, c.left) << c.words;
        EXPECT_EQ(line.form, u"QUATRE"_s);
        EXPECT_EQ(line.right, c.right) << c.words;
    }
}

// Every kind of line break is a pilcrow, every other control a space.
TEST(Concordance, ContextsShowLineBreaksAsPilcrowsAndControlsAsSpaces)
{
    const struct { QString separator; QString shown; } breaks[] = {
        {u"\n"_s, u"¶"_s}, {u"\r"_s, u"¶"_s}, {u"\u0085"_s, u"¶"_s}, {u"\u2028"_s, u"¶"_s}, {u"\u2029"_s, u"¶"_s},
        {u"\t"_s, u" "_s}, {u"\u007F"_s, u" "_s}, {u"\u0081"_s, u" "_s}, {u"\u009F"_s, u" "_s}, {u"\u00A0"_s, u"\u00A0"_s},
    };
    for (const auto &c : breaks) {
        const ConcordanceLine line = Studied(u"un"_s + c.separator + u"mot"_s + c.separator + u"deux"_s, u"mot"_s).concordance.line(0, 1);
        EXPECT_EQ(line.left, u"un"_s + c.shown) << c.separator.toStdString();
        EXPECT_EQ(line.right, c.shown + u"deux"_s) << c.separator.toStdString();
    }
}

// Forty characters a word at most, the cut end marked, never inside a
// surrogate pair.
TEST(Concordance, ContextsCutLongWords)
{
    const Studied dashes(u"a"_s + QString(100, u'-') + u"mot"_s + QString(39, u'-') + u"b"_s, u"mot"_s);
    EXPECT_EQ(dashes.concordance.line(0, 1).left, u"…"_s + QString(40, u'-'));
    EXPECT_EQ(dashes.concordance.line(0, 1).right, QString(39, u'-') + u"b"_s);
    const Studied pairs(u"x"_s + u"𝄞"_s.repeated(30) + u" mot "_s + u"𝄞"_s.repeated(30), u"mot"_s);
    EXPECT_EQ(pairs.concordance.line(0, 1).left, u"…"_s + u"𝄞"_s.repeated(19) + u" "_s);
    EXPECT_EQ(pairs.concordance.line(0, 1).right, u" "_s + u"𝄞"_s.repeated(19) + u"…"_s);
}

// The word a sort reads, in brackets: a run of letters, the nearest to the
// form first; none where the context stops short, and none for text order.
TEST(Concordance, SortWordsAreFoundInTheirContext)
{
    using enum Concordance::Order;
    const struct { QString context; Concordance::Order order; } cases[] = {
        {u"Un deux, [trois]¶"_s, FirstLeft}, {u"Un [deux], trois¶"_s, SecondLeft},
        {u"…ent [l]'homme "_s, SecondLeft}, {u"le [le] "_s, FirstLeft}, {u"…--"_s, FirstLeft},
        {u"un "_s, SecondLeft}, {u"¶[aujourd]'hui, été"_s, FirstRight}, {u", Œuvre 𝄞 [été]…"_s, SecondRight},
        {u" cinq"_s, SecondRight}, {u"Un deux"_s, Text},
    };
    for (const auto &c : cases) {
        const qsizetype begin = c.context.indexOf(u'[');
        const QString context = QString(c.context).remove(u'[').remove(u']');
        const TextSpan word = sortWordIn(context, c.order);
        const TextSpan expected = begin < 0 ? TextSpan{} : TextSpan{begin, c.context.indexOf(u']') - 1};
        EXPECT_EQ(std::pair(word.begin, word.end), std::pair(expected.begin, expected.end)) << c.context.toStdString();
        EXPECT_EQ(sortsByLeftContext(c.order), c.order == FirstLeft || c.order == SecondLeft);
    }
}

namespace {

const QString twoCats = u"Titre\r\n\r\nDébut\r\nUn chat\r\nnoir.\r\n \r\nFin chat"_s;

QString paragraphOf(const Studied &s, qsizetype attestation)
{
    const TextSpan span = s.concordance.paragraph(attestation);
    return s.text.sliced(span.begin, span.end - span.begin);
}

} // namespace

TEST(Concordance, ParagraphRunsFromBlankLineToBlankLine)
{
    const Studied studied(twoCats, u"chat"_s);
    EXPECT_EQ(paragraphOf(studied, 0), u"Début\r\nUn chat\r\nnoir."_s);
    EXPECT_EQ(paragraphOf(studied, 1), u"Fin chat"_s);
}

// Six hundred characters each side at most, cut between words.
TEST(Concordance, ParagraphIsCutBetweenWords)
{
    const Studied long_(u"chemin "_s.repeated(200) + u"chat"_s + u" chemin"_s.repeated(200), u"chat"_s);
    EXPECT_EQ(paragraphOf(long_, 0), u"chemin "_s.repeated(85) + u"chat"_s + u" chemin"_s.repeated(85));
}

// A click on the strip finds the nearest attestation, the earlier one at
// equal distance; the two start at 19 and 39 of 43 characters.
TEST(Concordance, NearestAttestationToAPlace)
{
    const Studied studied(twoCats, u"chat"_s);
    const struct { qsizetype position, nearest; } cases[] = {{0, 0}, {29, 0}, {30, 1}, {43, 1}};
    for (const auto &c : cases)
        EXPECT_EQ(studied.concordance.nearest(c.position), c.nearest) << c.position;
}

TEST(Concordance, DispersionCountsTheAttestationsInEachTenth)
{
    const Studied studied(twoCats, u"chat"_s);
    EXPECT_EQ(studied.concordance.dispersion(10), (std::vector<qsizetype>{0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
}

TEST(Concordance, UnknownFormHasNoAttestation)
{
    EXPECT_EQ(Studied(twoCats, u"chien"_s).concordance.nearest(3), -1);
}

TEST(Concordance, AWordIsListedUnderItsLowerCaseComposedForm)
{
    const struct { QString word; QString form; } cases[] = {
        {u"ÉTÉ"_s, u"été"_s}, {u"Œuvre"_s, u"œuvre"_s}, {u"e\u0301te\u0301"_s, u"été"_s}, {u"l'été"_s, {}}, {u""_s, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(listedForm(c.word), c.form) << c.word.toStdString();
}
