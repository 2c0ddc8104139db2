// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/corpusconcordance.h"
#include "wordforms/lexicalstatistics.h"
#include "wordforms/textstudy.h"
#include "wordforms/texttokens.h"
#include "wordforms/wordlist.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace lexalon {

class TaskProgress;

// Texts studied together, each its own TextStudy, and the list of them all
// with one count column per text, named by the text's name. The texts' lists
// stay in alphabetical order: a text's row is its form's rank.
class Corpus
{
public:
    struct Text
    {
        QString name;
        std::unique_ptr<TextStudy> study;
    };

    // At least one text.
    explicit Corpus(std::vector<Text> texts);

    qsizetype textCount() const { return qsizetype(m_texts.size()); }
    const QString &textName(qsizetype text) const { return m_texts[size_t(text)].name; }
    QStringList textNames() const;
    const TextStudy &text(qsizetype text) const { return *m_texts[size_t(text)].study; }
    // Alphabetical, never sorted again: a row is its form's rank.
    const WordList &list() const { return m_list; }
    // The corpus list's row of a form of a text, by its rank in the text.
    std::uint32_t corpusRow(qsizetype text, TextTokens::Rank rank) const { return m_rowsOf[size_t(text)][rank]; }
    // The text's row of a form of the corpus list; -1 when the text lacks it.
    qsizetype textRow(qsizetype text, qsizetype corpusRow) const;

    // Every attestation of the forms of these corpus rows (sorted, each
    // once), in every text or only in one. With a progress, reports the
    // tokens read and throws TaskCancelled when asked to stop.
    CorpusConcordance concordance(std::span<const std::uint32_t> corpusRows, std::optional<qsizetype> onlyText = {},
                                  TaskProgress *progress = nullptr) const;
    // The measures and curves of the texts' tokens end to end. With a
    // progress, as TextStudy::statistics.
    LexicalStatistics statistics(TaskProgress *progress = nullptr) const;

private:
    void listTexts();

    std::vector<Text> m_texts;
    WordList m_list;
    std::vector<std::vector<std::uint32_t>> m_rowsOf; // by text, its rank's corpus row
};

} // namespace lexalon
