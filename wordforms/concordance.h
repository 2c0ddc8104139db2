// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/texttokens.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lexalon {

class TaskProgress;

// One attestation in its context: the words before the form, the form as the
// text writes it, the words after. Line breaks show as a pilcrow and other
// control characters as a space, so a line stays one line.
// A concordance's columns, as its window, its file and its printout title them.
inline constexpr QStringView concordanceColumns[] = {u"N°", u"Contexte gauche", u"Forme", u"Contexte droit"};

struct ConcordanceLine
{
    QString left;
    QString form;
    QString right;
};

// Characters of the text, from begin to end.
struct TextSpan
{
    qsizetype begin = 0;
    qsizetype end = 0;
};

// Every attestation of one form, or of several, in text order or sorted by a
// neighbouring word. Attestations are numbered from 0 in text order; rows
// are the order shown. Neighbours compare by their forms' ranks, so a sort
// is a sort of integers. The text and its tokens must outlive the
// concordance.
class Concordance
{
public:
    enum class Order { Text, FirstLeft, SecondLeft, FirstRight, SecondRight };

    static constexpr int fewestWords = 1;
    static constexpr int mostWords = 20;
    static constexpr int defaultWords = 6;

    // With a progress, reports the tokens read and throws TaskCancelled when
    // asked to stop.
    Concordance(QStringView text, const TextTokens &tokens, TextTokens::Rank form, TaskProgress *progress = nullptr);
    // The forms' ranks sorted, each once.
    Concordance(QStringView text, const TextTokens &tokens, std::span<const TextTokens::Rank> forms,
                TaskProgress *progress = nullptr);

    qsizetype size() const { return qsizetype(m_tokenOf.size()); }
    QStringView text() const { return m_text; }

    // The rows in an order: each row's attestation and each attestation's row.
    struct Arrangement
    {
        Order order = Order::Text;
        std::vector<std::uint32_t> shown;
        std::vector<std::uint32_t> rowOf;
    };

    Order order() const { return m_order; }
    // Ties keep text order. Found apart from the rows shown, so that a
    // worker can sort while the rows are read; then put in place at once.
    // With a progress, reports how far it has come and throws TaskCancelled
    // when asked to stop.
    Arrangement arranged(Order order, TaskProgress *progress = nullptr) const;
    void arrange(Arrangement rows) noexcept;
    void sort(Order order) { arrange(arranged(order)); }
    qsizetype attestation(qsizetype row) const { return m_shown[size_t(row)]; }
    qsizetype rowOf(qsizetype attestation) const { return m_rowOf[size_t(attestation)]; }

    // The rank of the neighbour an order sorts by; none at the text's ends
    // or in text order.
    std::optional<TextTokens::Rank> neighbour(qsizetype attestation, Order order) const;

    // Where the attestation's form stands in the text.
    TextSpan span(qsizetype attestation) const;
    // Its context: `words` words each side, or what the text has of them.
    ConcordanceLine line(qsizetype attestation, int words) const;
    // The same appended to a text, as the saved concordance holds it: the
    // left context, a tab, the form, a tab, the right context; no string is
    // made for each.
    void appendLine(qsizetype attestation, int words, QString &into) const;
    // The paragraph around it: from the blank line before to the blank line
    // after, within some hundreds of characters of the form.
    TextSpan paragraph(qsizetype attestation) const;

    // The attestation whose form starts nearest to a place in the text; -1
    // when there is none.
    qsizetype nearest(qsizetype position) const;
    // How many attestations start in each of `parts` equal parts of the text.
    std::vector<qsizetype> dispersion(qsizetype parts) const;
    // The one of `parts` equal parts of a text not empty where the
    // attestation starts.
    qsizetype partOf(qsizetype attestation, qsizetype parts) const
    {
        return m_tokens->start(m_tokenOf[size_t(attestation)]) * parts / m_text.size();
    }

private:
    // A context's characters, the form's among them, and whether the
    // contexts are cut.
    struct Context
    {
        TextSpan form;
        qsizetype begin = 0;
        qsizetype end = 0;
        bool cutLeft = false;
        bool cutRight = false;
    };

    Context context(qsizetype attestation, int words) const;
    void appendLeft(const Context &context, QString &into) const;
    void appendRight(const Context &context, QString &into) const;
    template <typename Wanted>
    void collect(Wanted wanted, TaskProgress *progress);
    qsizetype tokenEnd(qsizetype token) const;

    QStringView m_text;
    const TextTokens *m_tokens;
    std::vector<std::uint32_t> m_tokenOf; // each attestation's token
    std::vector<std::uint32_t> m_shown;   // each row's attestation
    std::vector<std::uint32_t> m_rowOf;   // each attestation's row
    Order m_order = Order::Text;
};

// Whether an order's neighbour stands in the left context (FirstLeft,
// SecondLeft) rather than in the right one.
bool sortsByLeftContext(Concordance::Order order);

// Where the neighbour an order sorts by stands in a line's context that holds
// it (the left one for a left order, else the right one): a run of letters,
// as a form is, counted back from the end of the left context or on from the
// start of the right one. An empty span when the context lacks it, and for
// Order::Text.
TextSpan sortWordIn(QStringView context, Concordance::Order order);

} // namespace lexalon
