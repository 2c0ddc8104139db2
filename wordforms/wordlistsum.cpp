#include "wordforms/wordlistsum.h"

#include "wordforms/textorder.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace lexalon {

qsizetype WordListSum::addColumn(const QString &name)
{
    m_columnNames.append(name);
    return m_columnNames.size() - 1;
}

void WordListSum::add(QStringView form, qint64 count, qsizetype column)
{
    auto found = m_formNumbers.constFind(form.toString());
    if (found == m_formNumbers.constEnd()) {
        found = m_formNumbers.insert(form.toString(), std::uint32_t(m_forms.size()));
        m_forms.push_back(form.toString());
        m_totals.push_back(0);
    }
    m_totals[*found] += count;
    m_columnCounts.push_back({*found, std::uint32_t(column), count});
}

void WordListSum::add(const WordList &list, const QString &name)
{
    const QStringList &names = list.textColumns();
    if (names.isEmpty()) {
        const qsizetype column = addColumn(name);
        for (qsizetype row = 0; row < list.size(); ++row)
            add(list.form(row), list.count(row), column);
        return;
    }
    const qsizetype first = m_columnNames.size();
    for (const QString &columnName : names)
        addColumn(columnName);
    for (qsizetype row = 0; row < list.size(); ++row) {
        for (qsizetype column = 0; column < names.size(); ++column) {
            if (const qint64 count = list.textCount(row, column); count != 0)
                add(list.form(row), count, first + column);
        }
    }
}

WordList WordListSum::take(bool withColumns)
{
    SortKeys keys(TextOrder::french());
    std::vector<SortKeys::Key> sortKeys;
    sortKeys.reserve(m_forms.size());
    for (const QString &form : m_forms)
        sortKeys.push_back(keys.add(form));
    std::vector<std::uint32_t> order(m_forms.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return keys.compare(sortKeys[a], m_forms[a], sortKeys[b], m_forms[b]) < 0;
    });

    TextStore forms;
    forms.reserve(qsizetype(order.size()), 0);
    std::vector<std::uint32_t> rankOf(m_forms.size());
    for (size_t rank = 0; rank < order.size(); ++rank) {
        forms.append(m_forms[order[rank]]);
        rankOf[order[rank]] = std::uint32_t(rank);
    }
    WordList list(std::move(forms));
    list.reserve(qsizetype(order.size()));
    for (size_t rank = 0; rank < order.size(); ++rank)
        list.append(TextStore::Index(rank), m_totals[order[rank]]);
    if (withColumns) {
        const auto columns = size_t(m_columnNames.size());
        std::vector<qint64> counts(order.size() * columns);
        for (const ColumnCount &entry : m_columnCounts)
            counts[size_t(rankOf[entry.form]) * columns + entry.column] += entry.count;
        list.setTextColumns(std::exchange(m_columnNames, {}), std::move(counts));
    }
    return list;
}

} // namespace lexalon
