// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/textstore.h"

#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <cstdint>
#include <span>
#include <vector>

namespace lexalon {

// The word list's two columns, as its heading line names them.
inline constexpr auto formsHeading = u"Formes";
inline constexpr auto countHeading = u"Nombre d'attestations";

// The largest count a saved list holds, eighteen digits: a sum of two such
// counts still fits 64 bits, and larger sums are refused, not wrapped.
inline constexpr qint64 mostListedCount = 999'999'999'999'999'999;

// A form's count in one text of a list of several texts.
struct TextCount
{
    std::uint32_t rank; // the form's, in alphabetical order
    std::uint32_t column;
    qint64 count;
};

// The different forms of a text, each with its number of attestations, in
// the French alphabetical order or by decreasing frequency. A row costs
// sixteen bytes, and the forms stand end to end in one store.
class WordList
{
public:
    enum class Order { Alphabetical, DecreasingFrequency };

    WordList() = default;
    // A list of the texts of the store; rows are then appended in
    // alphabetical order.
    explicit WordList(TextStore forms);
    void reserve(qsizetype rows);
    void append(TextStore::Index form, qint64 count);

    qsizetype size() const { return qsizetype(m_rows.size()); }
    QStringView form(qsizetype row) const { return m_forms.text(m_rows[size_t(row)].form); }
    qint64 count(qsizetype row) const { return m_rows[size_t(row)].count; }
    // The row's place in alphabetical order, whatever the order shown.
    std::uint32_t rank(qsizetype row) const { return m_rows[size_t(row)].rank; }
    // Every attestation of every form.
    qint64 totalCount() const { return m_totalCount; }

    Order order() const { return m_order; }
    // Forms of equal frequency stay in alphabetical order. Sorts in place:
    // no memory is asked for.
    void sort(Order order);

    // The list of several texts: beside each form's total, its counts in the
    // texts that hold it, sorted by rank then column (a text without the form
    // costs nothing); the names head the columns.
    void setTextColumns(QStringList names, std::vector<TextCount> counts);
    const QStringList &textColumns() const { return m_textNames; }
    // The row's counts, by column, only in the texts that hold its form.
    std::span<const TextCount> textCounts(qsizetype row) const;

    // The store of the forms, handed over with each row's text in it; the
    // list is then empty.
    TextStore::Index formIndex(qsizetype row) const { return m_rows[size_t(row)].form; }
    TextStore takeForms();

    // The row of a form as the list writes it, or -1.
    qsizetype rowOf(QStringView form) const;

    // The first row, from the top, whose form begins with the prefix, case
    // ignored; -1 when no form does.
    qsizetype firstRowStartingWith(QStringView prefix) const;

private:
    struct Entry
    {
        qint64 count;
        TextStore::Index form;
        std::uint32_t rank; // in alphabetical order
    };

    TextStore m_forms;
    std::vector<Entry> m_rows;
    qint64 m_totalCount = 0;
    QStringList m_textNames;
    std::vector<TextCount> m_textCounts;
    Order m_order = Order::Alphabetical;
};

} // namespace lexalon
