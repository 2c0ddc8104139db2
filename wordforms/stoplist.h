// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <vector>

namespace lexalon {

// Forms left out of a list shown, never out of its counts.
class StopList
{
public:
    StopList() = default;

    // One form a line, lower-cased and composed as the listed forms are. A
    // line is cut as a text is, so that « l' » is the form l and « aujourd'hui »
    // the forms aujourd and hui.
    static StopList fromLines(QStringView text);
    // The articles, prepositions, pronouns, conjunctions, adverbs of negation
    // and degree, and forms of être and avoir of French, elided ones as the
    // texts are cut (l, d, qu, jusqu ...).
    static const StopList &frenchFunctionWords();

    bool contains(QStringView form) const;
    qsizetype size() const { return qsizetype(m_forms.size()); }

private:
    std::vector<QString> m_forms; // sorted by code units, each once
};

} // namespace lexalon
