#include "wordforms/wordlist.h"

#include <algorithm>
#include <utility>

namespace lexalon {

WordList::WordList(TextStore forms)
    : m_forms(std::move(forms))
{
}

void WordList::reserve(qsizetype rows)
{
    m_rows.reserve(size_t(rows));
}

void WordList::append(TextStore::Index form, qint64 count)
{
    m_rows.push_back({count, form, std::uint32_t(m_rows.size())});
    m_totalCount += count;
}

void WordList::setTextColumns(QStringList names, std::vector<qint64> counts)
{
    m_textNames = std::move(names);
    m_textCounts = std::move(counts);
}

void WordList::sort(Order order)
{
    if (order == Order::Alphabetical) {
        std::sort(m_rows.begin(), m_rows.end(),
                  [](const Entry &a, const Entry &b) { return a.rank < b.rank; });
    } else {
        std::sort(m_rows.begin(), m_rows.end(), [](const Entry &a, const Entry &b) {
            return a.count != b.count ? a.count > b.count : a.rank < b.rank;
        });
    }
    m_order = order;
}

qsizetype WordList::rowOf(QStringView form) const
{
    for (qsizetype row = 0; row < size(); ++row) {
        if (this->form(row) == form)
            return row;
    }
    return -1;
}

qsizetype WordList::firstRowStartingWith(QStringView prefix) const
{
    for (qsizetype row = 0; row < size(); ++row) {
        if (form(row).startsWith(prefix, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

} // namespace lexalon
