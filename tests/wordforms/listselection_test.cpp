// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/wordlists.h"
#include "wordforms/analysis.h"
#include "wordforms/formmatcher.h"
#include "wordforms/listselection.h"
#include "wordforms/stoplist.h"
#include "wordforms/wordlist.h"
#include "wordforms/wordlistsum.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

constexpr auto pattern = FormMatcher::Syntax::Pattern;
constexpr auto expression = FormMatcher::Syntax::RegularExpression;

} // namespace

TEST(FormMatcher, PrefixWildcardsOrExpressionWithTheirProblem)
{
    const struct { QString typed; FormMatcher::Syntax syntax; QString form; bool matches; QString problem = {}; } cases[] = {
        {u""_s, pattern, u"chat"_s, true},
        {u""_s, expression, u"chat"_s, true},
        {u"ete"_s, pattern, u"étés"_s, true},
        {u"ÉTÉ"_s, pattern, u"été"_s, true},
        {u"ete"_s, pattern, u"fête"_s, false},
        {u"coeur"_s, pattern, u"cœur"_s, true},
        {u"strass"_s, pattern, u"straße"_s, true},
        {u"*ment"_s, pattern, u"vraiment"_s, true},
        {u"*ment"_s, pattern, u"momentané"_s, false},
        {u"p?r*"_s, pattern, u"péril"_s, true},
        {u"p?r*"_s, pattern, u"par"_s, true},
        {u"p?r*"_s, pattern, u"pré"_s, false},
        {u"p?r"_s, pattern, u"perte"_s, false},
        {u"*e*e*"_s, pattern, u"élève"_s, true},
        {u"*e*e*e*e"_s, pattern, u"élève"_s, false},
        {u"^É"_s, expression, u"été"_s, true},
        {u"ment$"_s, expression, u"vraiment"_s, true},
        {u"ment$"_s, expression, u"momentané"_s, false},
        {u"^e"_s, expression, u"été"_s, false},
        {u"(a"_s, expression, u"a"_s, false, u"Expression régulière incorrecte : parenthèse fermante manquante"_s},
        {u"\\k"_s, expression, u"k"_s, false, u"Expression régulière incorrecte : erreur au caractère 3"_s},
    };
    for (const auto &c : cases) {
        const FormMatcher matcher(c.typed, c.syntax);
        EXPECT_EQ(matcher.matches(c.form, foldedForm(c.form)), c.matches) << c.typed.toStdString() << " " << c.form.toStdString();
        EXPECT_EQ(matcher.matchesEverything(), c.typed.isEmpty());
        EXPECT_EQ(matcher.problem(), c.problem);
        EXPECT_EQ(matcher.isValid(), c.problem.isEmpty());
    }
    EXPECT_EQ(foldedForm(u"ÉtÉ Œuvre Æ ß ǖ ø"), u"ete oeuvre ae ss u ø"_s);
}

// A stop list's lines are cut as texts are; the shipped list holds the
// elided forms as the analysis cuts them.
TEST(StopList, HoldsTheFormsOfItsLinesAsTextsAreCut)
{
    const StopList list = StopList::fromLines(u"Le\r\nl'an\n\nE\u0301TE\u0301\nle\n");
    EXPECT_EQ(list.size(), 4);
    for (const QStringView form : {u"le", u"l", u"an", u"été"})
        EXPECT_TRUE(list.contains(form)) << form.toString().toStdString();
    EXPECT_FALSE(list.contains(u"Le"));

    const WordList sentence = analyseText(u"L'homme qu'il a vu jusqu'à l'été n'est pas d'ici, c'est-à-dire lui."_s);
    const QStringList words{u"homme"_s, u"vu"_s, u"ici"_s, u"dire"_s};
    for (qsizetype row = 0; row < sentence.size(); ++row) {
        const QString form = sentence.form(row).toString();
        EXPECT_EQ(StopList::frenchFunctionWords().contains(form), !words.contains(form)) << form.toStdString();
    }
}

// Counts of a, b, c, été and le in two texts, totals 3 3 1 4 5.
TEST(ListSelection, ShowsTheRowsTheFilterKeepsInTheOrderOfTheKey)
{
    WordListSum sum;
    const qsizetype first = sum.addColumn(u"un"_s);
    const qsizetype second = sum.addColumn(u"deux"_s);
    for (const auto &[form, column, count] : {std::tuple{u"a", first, 1}, {u"a", second, 2}, {u"b", first, 3}, {u"c", second, 1},
                                              {u"été", first, 2}, {u"été", second, 2}, {u"le", first, 5}})
        ASSERT_TRUE(sum.add(form, count, column));
    const WordList list = sum.take(true);
    using Key = ListSelection::Key;
    const auto leAndB = std::make_shared<StopList>(StopList::fromLines(u"le\nb"));
    const auto a = std::make_shared<StopList>(StopList::fromLines(u"a"));
    const struct { QString typed; FormMatcher::Syntax syntax; qint64 minimum; std::shared_ptr<StopList> excluded; Key key; qsizetype text; QStringList shown; } cases[] = {
        {{}, pattern, 0, {}, Key::Form, 0, {u"a"_s, u"b"_s, u"c"_s, u"été"_s, u"le"_s}},
        {{}, pattern, 0, {}, Key::Total, 0, {u"le"_s, u"été"_s, u"a"_s, u"b"_s, u"c"_s}},
        {{}, pattern, 0, {}, Key::Text, 1, {u"a"_s, u"été"_s, u"c"_s, u"b"_s, u"le"_s}},
        {u"E"_s, pattern, 0, {}, Key::Form, 0, {u"été"_s}},
        {{}, pattern, 0, leAndB, Key::Total, 0, {u"été"_s, u"a"_s, u"c"_s}},
        {u"[eé]"_s, expression, 2, a, Key::Text, 0, {u"le"_s, u"été"_s}},
        {u"[a"_s, expression, 0, {}, Key::Form, 0, {}},
        {{}, pattern, 3, {}, Key::Total, 0, {u"le"_s, u"été"_s, u"a"_s, u"b"_s}},
    };
    // One selection throughout: nothing of a filter or an order stays.
    ListSelection selection(list);
    for (const auto &c : cases) {
        selection.sortBy(c.key, c.text);
        selection.setFilter({FormMatcher(c.typed, c.syntax), c.minimum, c.excluded});
        QStringList shown;
        for (qsizetype row = 0; row < selection.size(); ++row)
            shown.append(list.form(selection.listRow(row)).toString());
        EXPECT_EQ(shown, c.shown) << c.typed.toStdString() << " " << c.minimum;
        EXPECT_EQ(selection.shownRows().size(), size_t(selection.size()));
        for (qsizetype row = 0; row < list.size(); ++row)
            EXPECT_EQ(selection.shownRow(row), c.shown.indexOf(list.form(row).toString()));
    }
    // Long enough to be filtered on several threads: forme10, forme20 ...
    const WordList numbered = lexalon::testing::numberedWordList(40'000);
    ListSelection many(numbered);
    many.setFilter({FormMatcher(u"*0"_s, pattern), 0, nullptr});
    EXPECT_EQ(many.size(), 4'000);
}
