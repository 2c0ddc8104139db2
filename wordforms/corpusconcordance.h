// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/concordance.h"

#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace lexalon {

class Corpus;
class TaskProgress;

// Attestations across the texts of a corpus. Attestations are numbered from
// 0 in corpus text order (text by text, in each text's order); rows are the
// order shown. Each text's attestations are a concordance of that text; the
// corpus and its texts must outlive it.
class CorpusConcordance
{
public:
    using Order = Concordance::Order;

    // The concordances of some of the corpus's texts, in corpus order, and
    // each one's text.
    CorpusConcordance(const Corpus &corpus, std::vector<Concordance> parts, std::vector<qsizetype> texts);

    struct Arrangement
    {
        Order first = Order::Text;
        Order second = Order::Text;
        std::vector<std::uint32_t> shown;
        std::vector<std::uint32_t> rowOf;
    };

    const Corpus &corpus() const { return *m_corpus; }
    qsizetype size() const { return m_starts.back(); }
    // The corpus has more than one text.
    bool severalTexts() const;
    Order firstOrder() const { return m_first; }
    Order secondOrder() const { return m_second; }

    // Sorted by the first key, ties by the second, then in corpus text
    // order. Neighbours compare by their rows in the corpus's list, so that
    // the texts' forms compare alike. Found apart from the rows shown, then
    // put in place at once. With a progress, reports how far it has come and
    // throws TaskCancelled when asked to stop.
    Arrangement arranged(Order first, Order second, TaskProgress *progress = nullptr) const;
    void arrange(Arrangement rows) noexcept;
    qsizetype attestation(qsizetype row) const { return m_shown[size_t(row)]; }
    qsizetype rowOf(qsizetype attestation) const { return m_rowOf[size_t(attestation)]; }

    // The text's index in the corpus.
    qsizetype textOf(qsizetype attestation) const { return m_texts[partOf(attestation)]; }
    // In its own text.
    TextSpan span(qsizetype attestation) const;
    ConcordanceLine line(qsizetype attestation, int words) const;
    // As Concordance::appendLine.
    void appendLine(qsizetype attestation, int words, QString &into) const;

private:
    size_t partOf(qsizetype attestation) const;
    // The corpus row of the neighbour the order reads, plus one; 0 for none.
    std::uint32_t neighbourKey(qsizetype attestation, Order order) const;

    const Corpus *m_corpus;
    std::vector<Concordance> m_parts;
    std::vector<qsizetype> m_texts;  // each part's text
    std::vector<qsizetype> m_starts; // each part's first attestation, then the size
    std::vector<std::uint32_t> m_shown;
    std::vector<std::uint32_t> m_rowOf;
    Order m_first = Order::Text;
    Order m_second = Order::Text;
};

} // namespace lexalon
