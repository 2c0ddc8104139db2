// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/listselection.h"

#include "platform/system/parallelfor.h"
#include "wordforms/stoplist.h"
#include "wordforms/wordlist.h"

#include <algorithm>
#include <iterator>
#include <thread>
#include <utility>

namespace lexalon {

namespace {

// Rows a thread filters at a time: enough to be worth starting it.
constexpr size_t rowsPerTask = 16384;

} // namespace

ListSelection::ListSelection(const WordList &list)
    : m_list(list)
    , m_excludedRows(size_t(list.size()))
    , m_shownRowOf(size_t(list.size()))
{
    m_folded.reserve(list.size(), 0);
    for (qsizetype row = 0; row < list.size(); ++row)
        m_folded.append(foldedForm(list.form(row)));
    sortBy(Key::Form);
}

// The forms left out are looked up once a list of them, not once a key
// typed.
void ListSelection::setFilter(ListFilter filter)
{
    if (filter.excluded != m_filter.excluded) {
        for (qsizetype row = 0; row < m_list.size(); ++row)
            m_excludedRows[size_t(row)] = filter.excluded && filter.excluded->contains(m_list.form(row));
    }
    m_filter = std::move(filter);
    select();
}

// The key's values stand beside the rows, so that comparisons read no
// column twice.
void ListSelection::sortBy(Key key, qsizetype text)
{
    m_key = key;
    m_keyText = key == Key::Text ? text : 0;
    struct Sorted
    {
        qint64 count;
        std::uint32_t rank;
        std::uint32_t row;
    };
    std::vector<Sorted> rows(size_t(m_list.size()));
    for (qsizetype row = 0; row < m_list.size(); ++row) {
        const qint64 count = key == Key::Form    ? 0
                             : key == Key::Total ? m_list.count(row)
                                                 : textCount(m_list, row, text);
        rows[size_t(row)] = {count, m_list.rank(row), std::uint32_t(row)};
    }
    std::sort(rows.begin(), rows.end(), [](const Sorted &a, const Sorted &b) {
        return a.count != b.count ? a.count > b.count : a.rank < b.rank;
    });
    m_sorted.resize(rows.size());
    std::transform(rows.begin(), rows.end(), m_sorted.begin(), [](const Sorted &sorted) { return sorted.row; });
    select();
}

qint64 ListSelection::textCount(const WordList &list, qsizetype row, qsizetype text)
{
    const std::span<const TextCount> counts = list.textCounts(row);
    const auto found = std::find_if(counts.begin(), counts.end(),
                                    [text](const TextCount &count) { return count.column == std::uint32_t(text); });
    return found == counts.end() ? 0 : found->count;
}

// The cheapest tests first: the expression is the dearest.
bool ListSelection::shows(std::uint32_t row) const
{
    return m_list.count(row) >= m_filter.minimumCount && !m_excludedRows[row]
           && m_filter.matcher.matches(m_list.form(row), m_folded.text(row));
}

// The rows are tested in the list's order, on all cores, then kept in the
// order shown.
void ListSelection::select()
{
    const size_t rows = m_sorted.size();
    std::vector<unsigned char> kept(rows);
    const size_t tasks = (rows + rowsPerTask - 1) / rowsPerTask;
    parallelFor(tasks, std::min<size_t>(tasks, std::max(1u, std::thread::hardware_concurrency())),
                [&](size_t task, size_t) {
                    const size_t end = std::min(rows, (task + 1) * rowsPerTask);
                    for (size_t row = task * rowsPerTask; row < end; ++row)
                        kept[row] = shows(std::uint32_t(row));
                });
    m_shown.clear();
    std::copy_if(m_sorted.begin(), m_sorted.end(), std::back_inserter(m_shown),
                 [&kept](std::uint32_t row) { return kept[row] != 0; });
    std::fill(m_shownRowOf.begin(), m_shownRowOf.end(), -1);
    for (size_t shown = 0; shown < m_shown.size(); ++shown)
        m_shownRowOf[m_shown[shown]] = std::int32_t(shown);
}

} // namespace lexalon
