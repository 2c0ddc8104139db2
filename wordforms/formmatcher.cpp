// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/formmatcher.h"

#include <QChar>

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

// A character as the search compares it: one or two characters.
struct Fold
{
    char16_t first;
    char16_t second = 0;
};

Fold foldOf(char16_t c)
{
    QChar folded = QChar(c).toLower();
    switch (folded.unicode()) {
    case 0x0153: // œ
        return {u'o', u'e'};
    case 0x00E6: // æ
        return {u'a', u'e'};
    case 0x00DF: // ß
        return {u's', u's'};
    default:
        break;
    }
    // A canonical decomposition starts with the base letter: é is e and an
    // acute accent, ǖ is ü and a macron.
    while (folded.decompositionTag() == QChar::Canonical)
        folded = folded.decomposition().at(0);
    return {folded.toLower().unicode()};
}

// The letters of French texts are all below this: their folds are looked up.
constexpr char16_t tabledEnd = 0x180;

const std::array<Fold, tabledEnd> &foldTable()
{
    static const std::array<Fold, tabledEnd> table = [] {
        std::array<Fold, tabledEnd> folds{};
        for (char16_t c = 0; c < tabledEnd; ++c)
            folds[c] = foldOf(c);
        return folds;
    }();
    return table;
}

// Whether the folded pattern, with `*` for any characters and `?` for one,
// matches the whole folded form: after a mismatch, the last `*` takes one
// character more.
bool wildcardsMatch(QStringView pattern, QStringView form)
{
    qsizetype p = 0;
    qsizetype f = 0;
    qsizetype star = -1;
    qsizetype starTakesUpTo = 0;
    while (f < form.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == form[f])) {
            ++p;
            ++f;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            starTakesUpTo = f;
        } else if (star >= 0) {
            p = star + 1;
            f = ++starTakesUpTo;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

// The reasons PCRE2 gives most often, in French; any other is told by where
// the expression goes wrong.
QString expressionProblem(const QRegularExpression &expression)
{
    static const std::pair<QStringView, QStringView> reasons[] = {
        {u"missing closing parenthesis", u"parenthèse fermante manquante"},
        {u"unmatched closing parenthesis", u"parenthèse fermante en trop"},
        {u"missing terminating ] for character class", u"crochet fermant manquant"},
        {u"range out of order in character class", u"intervalle à l'envers entre crochets"},
        {u"quantifier does not follow a repeatable item", u"rien à répéter avant *, + ou ?"},
        {u"\\ at end of pattern", u"\\ à la fin"},
        {u"numbers out of order in {} quantifier", u"nombres à l'envers entre accolades"},
        {u"number too big in {} quantifier", u"nombre trop grand entre accolades"},
    };
    const QString reason = expression.errorString();
    for (const auto &[english, french] : reasons) {
        if (reason == english)
            return u"Expression régulière incorrecte : %1"_s.arg(french);
    }
    return u"Expression régulière incorrecte : erreur au caractère %1"_s.arg(expression.patternErrorOffset() + 1);
}

} // namespace

QString foldedForm(QStringView form)
{
    const std::array<Fold, tabledEnd> &table = foldTable();
    QString folded(2 * form.size(), Qt::Uninitialized);
    char16_t *const start = reinterpret_cast<char16_t *>(folded.data());
    char16_t *out = start;
    for (const QChar c : form) {
        const Fold fold = c.unicode() < tabledEnd ? table[c.unicode()] : foldOf(c.unicode());
        *out++ = fold.first;
        if (fold.second != 0)
            *out++ = fold.second;
    }
    folded.truncate(out - start);
    return folded;
}

FormMatcher::FormMatcher(const QString &typed, Syntax syntax)
{
    if (typed.isEmpty())
        return;
    if (syntax == Syntax::Pattern) {
        m_folded = foldedForm(typed);
        m_kind = m_folded.contains(u'*') || m_folded.contains(u'?') ? Kind::Wildcards : Kind::Prefix;
        return;
    }
    m_kind = Kind::Expression;
    m_expression = QRegularExpression(typed, QRegularExpression::CaseInsensitiveOption);
    if (!m_expression.isValid())
        m_problem = expressionProblem(m_expression);
    else
        m_expression.optimize();
}

bool FormMatcher::matches(QStringView form, QStringView folded) const
{
    switch (m_kind) {
    case Kind::Everything:
        return true;
    case Kind::Prefix:
        return folded.startsWith(m_folded);
    case Kind::Wildcards:
        return wildcardsMatch(m_folded, folded);
    case Kind::Expression:
        return isValid() && m_expression.match(form).hasMatch();
    }
    return false;
}

} // namespace lexalon
