// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/textstore.h"
#include "wordforms/wordlist.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <cstdint>
#include <optional>
#include <vector>

namespace lexalon {

// Word lists added up: each form's counts summed, column by column. The
// French order is total and strict, so the sum of the lists of several texts
// is the list of the texts put end to end, whatever order they come in. A
// form costs its characters and some thirty bytes, and each of its counts
// in a column sixteen.
class WordListSum
{
public:
    // A new count column, put after the other columns of its source (a
    // file, say) and before those of sources of higher numbers: its number.
    qsizetype addColumn(const QString &name, qsizetype source = 0);
    // A form, lower-cased, counted `count` more times in the column. False,
    // with nothing added, when its total would pass mostListedCount.
    [[nodiscard]] bool add(QStringView form, qint64 count, qsizetype column);
    // Every row of the list, taken over, into a new column of the source, or
    // into its own columns when it has some. The form whose total would pass
    // mostListedCount, or nothing; the sum is not to be taken after one.
    std::optional<QString> add(WordList &&list, const QString &name, qsizetype source = 0);

    qsizetype forms() const { return m_formCount; }
    // The sources of the columns that count the form, in order.
    std::vector<qsizetype> sourcesOf(QStringView form) const;

    // The sum in alphabetical order; each form's counts in the columns kept
    // beside its total when asked.
    WordList take(bool withColumns);

private:
    struct Column
    {
        qsizetype source;
        QString name;
    };

    static constexpr std::uint32_t freeSlot = 0;

    // The slot of the form, or the free slot where it belongs.
    size_t slotOf(QStringView form) const;
    // The form's number in the store, added with a total of 0 when new.
    std::uint32_t intern(QStringView form);
    void makeSlots(size_t size);
    // False, with the total as it was, when it would pass mostListedCount.
    bool addToTotal(std::uint32_t form, qint64 count);
    void addCounts(std::uint32_t form, const WordList &list, qsizetype row, qsizetype firstColumn);
    // The list's store becomes the sum's, each row's form keeping its number.
    void adopt(WordList &list, qsizetype firstColumn);

    TextStore m_forms;
    qsizetype m_formCount = 0;
    std::vector<std::uint32_t> m_slots; // a form's number plus one, over its hash
    std::vector<qint64> m_totals; // by the form's number
    std::vector<Column> m_columns;
    std::vector<TextCount> m_counts; // by the form's number while summing
};

} // namespace lexalon
