// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/formmatcher.h"
#include "wordforms/textstore.h"

#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace lexalon {

class StopList;
class WordList;

// Which forms of a list are shown: never which are counted.
struct ListFilter
{
    FormMatcher matcher;
    qint64 minimumCount = 0; // on the total
    std::shared_ptr<const StopList> excluded; // may be null
};

// Which rows of a list (alphabetical, possibly with text columns) are shown
// and in which order. The folded forms are made once, at construction; each
// order sorts every row once, so that a new filter only walks the rows.
class ListSelection
{
public:
    enum class Key { Form, Total, Text }; // Text: one text's column

    // The list must outlive the selection; every row is shown, alphabetical.
    explicit ListSelection(const WordList &list);

    // The order is kept.
    void setFilter(ListFilter filter);
    // Form: the list's French order; counts decreasing, equal counts in
    // alphabetical order.
    void sortBy(Key key, qsizetype text = 0);
    Key key() const { return m_key; }
    qsizetype keyText() const { return m_keyText; }

    qsizetype size() const { return qsizetype(m_shown.size()); }
    qsizetype listRow(qsizetype shown) const { return m_shown[size_t(shown)]; }
    // -1 when the row is filtered out.
    qsizetype shownRow(qsizetype listRow) const { return m_shownRowOf[size_t(listRow)]; }
    std::span<const std::uint32_t> shownRows() const { return m_shown; }

    // The row's count in the text's column, 0 when the text lacks the form.
    static qint64 textCount(const WordList &list, qsizetype row, qsizetype text);

private:
    bool shows(std::uint32_t row) const;
    void select();

    const WordList &m_list;
    TextStore m_folded; // each row's folded form, by row
    ListFilter m_filter;
    std::vector<unsigned char> m_excludedRows; // by row: the filter's stop list holds its form
    Key m_key = Key::Form;
    qsizetype m_keyText = 0;
    std::vector<std::uint32_t> m_sorted; // every row, in the order
    std::vector<std::uint32_t> m_shown;
    std::vector<std::int32_t> m_shownRowOf; // by the list's row
};

} // namespace lexalon
