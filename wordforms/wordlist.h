#pragma once

#include "wordforms/textstore.h"

#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace lexalon {

// The word list's two columns, as its heading line names them.
inline constexpr auto formsHeading = u"Formes";
inline constexpr auto countHeading = u"Nombre d'attestations";

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

    // The list of several texts: beside each form's total, its count in each
    // text, row after row in alphabetical order; the names head the columns.
    void setTextColumns(QStringList names, std::vector<qint64> counts);
    const QStringList &textColumns() const { return m_textNames; }
    qint64 textCount(qsizetype row, qsizetype column) const
    {
        return m_textCounts[size_t(rank(row)) * size_t(m_textNames.size()) + size_t(column)];
    }

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
    std::vector<qint64> m_textCounts;
    Order m_order = Order::Alphabetical;
};

} // namespace lexalon
