#include "wordforms/wordgrid.h"

#include "wordforms/textorder.h"


#include <algorithm>
#include <cstdint>
#include <optional>

namespace lexalon {

namespace {

// A decimal number: optional sign, digits, optional fraction. Long double
// holds every 64-bit count exactly.
std::optional<long double> decimalValue(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long double value = 0;
    qsizetype digits = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i, ++digits)
        value = value * 10 + (text[i].unicode() - u'0');
    if (i < n && text[i] == u'.') {
        ++i;
        long double scale = 1;
        for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i, ++digits) {
            scale /= 10;
            value += (text[i].unicode() - u'0') * scale;
        }
    }
    if (digits == 0 || i != n)
        return std::nullopt;
    return negative ? -value : value;
}

// A count as the word list writes it: digits only, few enough to fit.
bool isCount(QStringView text)
{
    constexpr qsizetype maxDigits = 18;
    return text.size() <= maxDigits
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// One key of one row, prepared once so that the sort compares cheaply.
struct SortKey
{
    std::optional<long double> number;
    SortKeys::Key text; // for texts only
    const QString *cell = nullptr;
};

// Numbers compare as numbers and texts in the French order, made total by
// the code units. A number ranks before a text, as digits do before letters
// in that order; this keeps the order consistent when a column mixes both.
int compareKeys(const SortKeys &texts, const SortKey &a, const SortKey &b)
{
    if (a.number && b.number)
        return *a.number < *b.number ? -1 : (*b.number < *a.number ? 1 : 0);
    if (a.number)
        return -1;
    if (b.number)
        return 1;
    return texts.compare(a.text, *a.cell, b.text, *b.cell);
}

} // namespace

WordGrid::WordGrid(int rows, int cols, int fixedRows, int fixedCols)
    : m_rows(std::max(rows, 0))
    , m_cols(std::max(cols, 0))
    , m_fixedRows(std::clamp(fixedRows, 0, m_rows))
    , m_fixedCols(std::clamp(fixedCols, 0, m_cols))
    , m_row(m_fixedRows < m_rows ? m_fixedRows : 0)
    , m_col(m_fixedCols < m_cols ? m_fixedCols : 0)
    , m_rowSel(m_row)
    , m_colSel(m_col)
    , m_cells(size_t(m_rows) * size_t(m_cols))
    , m_colWidths(size_t(m_cols), -1)
{
}

void WordGrid::setRows(int rows)
{
    m_rows = std::max(rows, 0);
    m_cells.resize(size_t(m_rows) * size_t(m_cols));
    clampCursor();
}

void WordGrid::setCols(int cols)
{
    cols = std::max(cols, 0);
    std::vector<Cell> cells(size_t(m_rows) * size_t(cols));
    const int kept = std::min(cols, m_cols);
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < kept; ++c)
            cells[size_t(r) * size_t(cols) + size_t(c)] = std::move(cell(r, c));
    }
    m_cells = std::move(cells);
    m_cols = cols;
    m_colWidths.resize(size_t(cols), -1);
    clampCursor();
}

void WordGrid::setRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    m_row = row;
    m_rowSel = row;
}

void WordGrid::setCol(int col)
{
    if (col < 0 || col >= m_cols)
        return;
    m_col = col;
    m_colSel = col;
}

void WordGrid::setRowSel(int row)
{
    if (row >= 0 && row < m_rows)
        m_rowSel = row;
}

void WordGrid::setColSel(int col)
{
    if (col >= 0 && col < m_cols)
        m_colSel = col;
}

QString WordGrid::Text() const
{
    return cellText(m_row, m_col);
}

void WordGrid::setText(const QString &text)
{
    setCellText(m_row, m_col, text);
}

void WordGrid::setCellFontBold(bool bold)
{
    if (m_row < m_rows && m_col < m_cols)
        cell(m_row, m_col).bold = bold;
}

const QString &WordGrid::cellText(int row, int col) const
{
    static const QString none;
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return none;
    return cell(row, col).text;
}

void WordGrid::setCellText(int row, int col, const QString &text)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return;
    cell(row, col).text = text;
}

bool WordGrid::cellFontBold(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return false;
    return cell(row, col).bold;
}

void WordGrid::Clear()
{
    for (Cell &c : m_cells)
        c = Cell();
}

int WordGrid::ColWidth(int col) const
{
    if (col < 0 || col >= m_cols)
        return -1;
    return m_colWidths[size_t(col)];
}

void WordGrid::setColWidth(int col, int twips)
{
    if (col >= 0 && col < m_cols)
        m_colWidths[size_t(col)] = twips;
}

void WordGrid::setSort(SortMode mode)
{
    int first = std::min(m_row, m_rowSel);
    int last = std::max(m_row, m_rowSel);
    if (first == last) {
        first = m_fixedRows;
        last = m_rows - 1;
    }
    first = std::max(first, m_fixedRows);
    if (last - first < 1 || m_cols == 0)
        return;

    const int firstKey = std::min(m_col, m_colSel);
    const int keyCount = std::max(m_col, m_colSel) - firstKey + 1;
    const size_t rowCount = size_t(last - first + 1);

    SortKeys texts(TextOrder::french());
    std::vector<SortKey> keys(rowCount * size_t(keyCount));
    for (size_t i = 0; i < rowCount; ++i) {
        for (int k = 0; k < keyCount; ++k) {
            SortKey &key = keys[i * size_t(keyCount) + size_t(k)];
            key.cell = &cell(first + int(i), firstKey + k).text;
            key.number = decimalValue(*key.cell);
            if (!key.number)
                key.text = texts.add(*key.cell);
        }
    }

    // Most comparisons are settled by one integer per row, taken from the
    // first key, that orders rows as the full comparison does when it differs.
    struct Entry
    {
        std::uint64_t fast;
        std::uint32_t row;
    };
    const auto firstKeyOf = [&](size_t row) -> const SortKey & {
        return keys[row * size_t(keyCount)];
    };
    bool allCounts = true;
    bool allCoveredTexts = true;
    for (size_t i = 0; i < rowCount; ++i) {
        const SortKey &key = firstKeyOf(i);
        allCounts = allCounts && key.number && isCount(*key.cell);
        allCoveredTexts = allCoveredTexts && !key.number && key.text.covered;
    }
    std::vector<Entry> entries(rowCount);
    for (size_t i = 0; i < rowCount; ++i) {
        const SortKey &key = firstKeyOf(i);
        const std::uint64_t fast = allCounts ? std::uint64_t(*key.number)
                                   : allCoveredTexts ? key.text.prefix
                                                     : 0;
        entries[i] = {fast, std::uint32_t(i)};
    }

    const bool descending = mode == SortMode::GenericDescending;
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        if (a.fast != b.fast)
            return descending ? a.fast > b.fast : a.fast < b.fast;
        for (int k = 0; k < keyCount; ++k) {
            const int c = compareKeys(texts, keys[a.row * size_t(keyCount) + size_t(k)],
                                      keys[b.row * size_t(keyCount) + size_t(k)]);
            if (c != 0)
                return descending ? c > 0 : c < 0;
        }
        return false;
    });
    keys.clear();

    // Whole rows move, fixed-column cells included.
    const auto begin = m_cells.begin() + ptrdiff_t(first) * m_cols;
    std::vector<Cell> sorted;
    sorted.reserve(rowCount * size_t(m_cols));
    for (const Entry &entry : entries) {
        const auto row = begin + ptrdiff_t(entry.row) * m_cols;
        std::move(row, row + m_cols, std::back_inserter(sorted));
    }
    std::move(sorted.begin(), sorted.end(), begin);
}

WordGrid::Cell &WordGrid::cell(int row, int col)
{
    return m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
}

const WordGrid::Cell &WordGrid::cell(int row, int col) const
{
    return m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
}

void WordGrid::clampCursor()
{
    const int lastRow = std::max(m_rows - 1, 0);
    const int lastCol = std::max(m_cols - 1, 0);
    m_row = std::min(m_row, lastRow);
    m_rowSel = std::min(m_rowSel, lastRow);
    m_col = std::min(m_col, lastCol);
    m_colSel = std::min(m_colSel, lastCol);
}

} // namespace lexalon
