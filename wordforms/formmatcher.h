// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringView>

namespace lexalon {

// The form as the search compares it: lower-cased, its accents and other
// diacritics dropped (« Été » → « ete »), œ and æ written out as oe and ae
// and ß as ss, so that « coeur » finds cœur. Any other character is only
// lower-cased.
QString foldedForm(QStringView form);

// What the search field finds. A pattern without `*` or `?` finds the forms
// that start with it; with them, it must match the whole form, `*` standing
// for any letters and `?` for one; either way case and accents are ignored.
// A regular expression is found anywhere in the form, case ignored.
class FormMatcher
{
public:
    enum class Syntax { Pattern, RegularExpression };

    FormMatcher() = default; // matches every form
    FormMatcher(const QString &typed, Syntax syntax);

    bool matchesEverything() const { return m_kind == Kind::Everything; }
    // False for a bad regular expression, which matches nothing.
    bool isValid() const { return m_problem.isEmpty(); }
    // Why the expression is bad, in French, short enough for beside the field.
    QString problem() const { return m_problem; }

    // `folded` is foldedForm(form), computed once per list by the caller.
    bool matches(QStringView form, QStringView folded) const;

private:
    enum class Kind { Everything, Prefix, Wildcards, Expression };

    Kind m_kind = Kind::Everything;
    QString m_folded; // the pattern typed, folded as the forms are
    QRegularExpression m_expression;
    QString m_problem;
};

} // namespace lexalon
