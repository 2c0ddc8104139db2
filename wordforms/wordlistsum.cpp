// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/wordlistsum.h"

#include "wordforms/textorder.h"

#include <QHashFunctions>

#include <algorithm>
#include <numeric>
#include <utility>

namespace lexalon {

namespace {

// Gives a vector's memory back, which assigning {} would keep.
template <typename T>
void release(std::vector<T> &vector)
{
    std::vector<T>().swap(vector);
}

} // namespace

qsizetype WordListSum::addColumn(const QString &name, qsizetype source)
{
    m_columns.push_back({source, name});
    return qsizetype(m_columns.size()) - 1;
}

size_t WordListSum::slotOf(QStringView form) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = qHash(form) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = m_slots[slot];
        if (held == freeSlot || m_forms.text(held - 1) == form)
            return slot;
    }
}

void WordListSum::makeSlots(size_t size)
{
    m_slots.assign(size, freeSlot);
    const size_t mask = size - 1;
    for (size_t form = 0; form < m_totals.size(); ++form) {
        if (m_totals[form] == 0)
            continue;
        size_t slot = qHash(m_forms.text(TextStore::Index(form))) & mask;
        while (m_slots[slot] != freeSlot)
            slot = (slot + 1) & mask;
        m_slots[slot] = std::uint32_t(form + 1);
    }
}

// The table is at most half full.
std::uint32_t WordListSum::intern(QStringView form)
{
    if (size_t(m_formCount + 1) * 2 > m_slots.size())
        makeSlots(std::max<size_t>(1024, m_slots.size() * 2));
    const size_t slot = slotOf(form);
    if (m_slots[slot] != freeSlot)
        return m_slots[slot] - 1;
    const TextStore::Index index = m_forms.append(form);
    m_totals.resize(size_t(index) + 1);
    m_slots[slot] = index + 1;
    ++m_formCount;
    return index;
}

bool WordListSum::addToTotal(std::uint32_t form, qint64 count)
{
    qint64 total = 0;
    if (__builtin_add_overflow(m_totals[form], count, &total) || total > mostListedCount)
        return false;
    m_totals[form] = total;
    return true;
}

bool WordListSum::add(QStringView form, qint64 count, qsizetype column)
{
    const std::uint32_t index = intern(form);
    if (!addToTotal(index, count))
        return false;
    m_counts.push_back({index, std::uint32_t(column), count});
    return true;
}

// The row's count in the list's one column, or its counts in its own.
void WordListSum::addCounts(std::uint32_t form, const WordList &list, qsizetype row, qsizetype firstColumn)
{
    if (list.textColumns().isEmpty())
        m_counts.push_back({form, std::uint32_t(firstColumn), list.count(row)});
    for (const TextCount &count : list.textCounts(row))
        m_counts.push_back({form, std::uint32_t(firstColumn + count.column), count.count});
}

void WordListSum::adopt(WordList &list, qsizetype firstColumn)
{
    for (qsizetype row = 0; row < list.size(); ++row) {
        const TextStore::Index form = list.formIndex(row);
        if (m_totals.size() <= form)
            m_totals.resize(size_t(form) + 1);
        m_totals[form] = list.count(row);
        addCounts(form, list, row, firstColumn);
    }
    m_formCount = list.size();
    m_forms = list.takeForms();
    m_totals.resize(size_t(m_forms.size()));
    size_t slots = 1024;
    while (slots < size_t(m_formCount) * 2)
        slots *= 2;
    makeSlots(slots);
}

std::optional<QString> WordListSum::add(WordList &&list, const QString &name, qsizetype source)
{
    const QStringList &names = list.textColumns();
    const qsizetype first = qsizetype(m_columns.size());
    if (names.isEmpty())
        addColumn(name, source);
    for (const QString &columnName : names)
        addColumn(columnName, source);
    if (m_formCount == 0) {
        adopt(list, first);
        return std::nullopt;
    }
    for (qsizetype row = 0; row < list.size(); ++row) {
        const std::uint32_t form = intern(list.form(row));
        if (!addToTotal(form, list.count(row)))
            return list.form(row).toString();
        addCounts(form, list, row, first);
    }
    list = WordList();
    return std::nullopt;
}

std::vector<qsizetype> WordListSum::sourcesOf(QStringView form) const
{
    std::vector<qsizetype> sources;
    const std::uint32_t held = m_slots.empty() ? freeSlot : m_slots[slotOf(form)];
    if (held == freeSlot)
        return sources;
    const std::uint32_t index = held - 1;
    for (const TextCount &count : m_counts) {
        if (count.rank == index)
            sources.push_back(m_columns[count.column].source);
    }
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    return sources;
}

// The store is handed over as it is: each row names its form's number.
WordList WordListSum::take(bool withColumns)
{
    release(m_slots);
    std::vector<std::uint32_t> order;
    order.reserve(size_t(m_formCount));
    for (size_t form = 0; form < m_totals.size(); ++form) {
        if (m_totals[form] != 0)
            order.push_back(std::uint32_t(form));
    }
    order = inFrenchOrder(std::move(order), [this](std::uint32_t form) { return m_forms.text(form); });

    const size_t stored = m_totals.size();
    WordList list(std::exchange(m_forms, TextStore()));
    list.reserve(qsizetype(order.size()));
    for (const std::uint32_t form : order)
        list.append(form, m_totals[form]);
    release(order);
    release(m_totals);
    m_formCount = 0;
    if (withColumns) {
        std::vector<std::uint32_t> place(m_columns.size());
        std::iota(place.begin(), place.end(), 0);
        std::stable_sort(place.begin(), place.end(),
                         [this](std::uint32_t a, std::uint32_t b) { return m_columns[a].source < m_columns[b].source; });
        QStringList names;
        std::vector<std::uint32_t> columnOf(m_columns.size());
        for (size_t column = 0; column < place.size(); ++column) {
            names.append(m_columns[place[column]].name);
            columnOf[place[column]] = std::uint32_t(column);
        }
        std::vector<std::uint32_t> rankOf(stored);
        for (qsizetype row = 0; row < list.size(); ++row)
            rankOf[list.formIndex(row)] = std::uint32_t(row);
        for (TextCount &count : m_counts) {
            count.rank = rankOf[count.rank];
            count.column = columnOf[count.column];
        }
        std::sort(m_counts.begin(), m_counts.end(), [](const TextCount &a, const TextCount &b) {
            return a.rank != b.rank ? a.rank < b.rank : a.column < b.column;
        });
        list.setTextColumns(std::move(names), std::exchange(m_counts, {}));
    }
    release(m_counts);
    release(m_columns);
    return list;
}

} // namespace lexalon
