// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/analysis.h"
#include "wordforms/concordance.h"
#include "wordforms/lexicalstatistics.h"
#include "wordforms/texttokens.h"
#include "wordforms/wordlist.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <span>

namespace lexalon {

class TaskProgress;

// What is studied of a text: its characters, its tokens in text order and
// its word list, from which the concordance of a form and the lexical
// statistics are made. The text is shared, never copied. A study stays in
// place: the concordances it makes point into it and must not outlive it.
// Texts studied together are meant to be this same object: their texts end
// to end in the one content, each a part named with its span, so that the
// tokens, the list, concordances and statistics stay as they are.
class TextStudy
{
public:
    // Analyses the text. Throws std::bad_alloc for a text too long for its
    // tokens' starts. With a progress, reports the characters analysed and
    // throws TaskCancelled when asked to stop.
    explicit TextStudy(QString text, TaskProgress *progress = nullptr);
    // The forms of a text read a piece at a time, without its characters:
    // enough for the statistics, not for a concordance.
    explicit TextStudy(TextAnalysis forms);

    TextStudy(const TextStudy &) = delete;
    TextStudy &operator=(const TextStudy &) = delete;

    const QString &text() const { return m_text; }
    const WordList &list() const { return m_forms.list; }
    // The rows change places; the forms and their counts stay.
    void sort(WordList::Order order) { m_forms.list.sort(order); }

    // The row of a form written as a user may write it (lower-cased as the
    // list's forms are), or -1 when the text does not hold it.
    qsizetype rowOf(QStringView form) const;

    // Every attestation of the form of a row, or of a form written as above:
    // none of one the text does not hold. With a progress, reports the
    // tokens read and throws TaskCancelled when asked to stop.
    Concordance concordance(qsizetype row, TaskProgress *progress = nullptr) const;
    Concordance concordance(QStringView form, TaskProgress *progress = nullptr) const;
    // The same for the forms of several ranks, sorted, each once.
    Concordance concordance(std::span<const TextTokens::Rank> ranks, TaskProgress *progress = nullptr) const;

    // The tokens in text order, each named by its form's rank.
    const TextTokens &tokens() const { return m_forms.tokens; }

    // With a progress, reports how far it has come and throws TaskCancelled
    // when asked to stop.
    LexicalStatistics statistics(TaskProgress *progress = nullptr) const;

private:
    Concordance concordanceOfRank(TextTokens::Rank rank, TaskProgress *progress) const;

    QString m_text;
    TextAnalysis m_forms;
};

} // namespace lexalon
