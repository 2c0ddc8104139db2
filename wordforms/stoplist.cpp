// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/stoplist.h"

#include "wordforms/analysis.h"
#include "wordforms/wordlist.h"

#include <QString>

#include <algorithm>

namespace lexalon {

// The forms are read by the program's own analysis, as a text's would be.
StopList StopList::fromLines(QStringView text)
{
    const WordList forms = analyseText(text.toString().normalized(QString::NormalizationForm_C));
    StopList list;
    list.m_forms.reserve(size_t(forms.size()));
    for (qsizetype row = 0; row < forms.size(); ++row)
        list.m_forms.push_back(forms.form(row).toString());
    std::sort(list.m_forms.begin(), list.m_forms.end());
    return list;
}

const StopList &StopList::frenchFunctionWords()
{
    static const StopList list = fromLines(
        // Articles, and articles joined with à and de.
        u"le la les l un une des du de d au aux\n"
        // Prepositions.
        u"à après avant avec chez contre dans depuis derrière dès devant durant en entre envers hors jusque "
        u"jusqu malgré outre par parmi pendant pour sans selon sous sur vers via\n"
        // Personal, reflexive, demonstrative, relative and interrogative pronouns.
        u"je j me m moi tu te t toi il elle on nous vous ils elles lui leur eux se s soi y "
        u"ce c ceci cela ça celui celle ceux celles qui que qu quoi dont où lequel laquelle lesquels "
        u"lesquelles auquel auxquels auxquelles duquel desquels desquelles\n"
        // Possessive and demonstrative determiners, indefinites.
        u"mon ma mes ton ta tes son sa ses notre nos votre vos leurs cet cette ces tout toute tous toutes "
        u"aucun aucune chaque quelque quelques quelqu plusieurs même mêmes autre autres\n"
        // Conjunctions.
        u"et ou mais donc or ni car si comme quand lorsque lorsqu puisque puisqu quoique quoiqu parce\n"
        // Adverbs of negation and degree.
        u"ne n pas point plus jamais rien guère non très trop peu assez aussi tant tellement moins bien\n"
        // Être.
        u"être été étant suis es est sommes êtes sont étais était étions étiez étaient fus fut fûmes fûtes "
        u"furent serai seras sera serons serez seront serais serait serions seriez seraient sois soit "
        u"soyons soyez soient fusse fusses fût fussions fussiez fussent\n"
        // Avoir.
        u"avoir eu eue eues eus ayant ai as a avons avez ont avais avait avions aviez avaient eut eûmes "
        u"eûtes eurent aurai auras aura aurons aurez auront aurais aurait aurions auriez auraient aie aies "
        u"ait ayons ayez aient eusse eusses eût eussions eussiez eussent\n");
    return list;
}

bool StopList::contains(QStringView form) const
{
    const auto found = std::lower_bound(m_forms.begin(), m_forms.end(), form,
                                        [](const QString &listed, QStringView wanted) { return QStringView(listed) < wanted; });
    return found != m_forms.end() && *found == form;
}

} // namespace lexalon
