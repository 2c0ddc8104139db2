#include "wordforms/wordgrid.h"

#include "wordforms/textorder.h"

#include <algorithm>
#include <cstdint>
#include <limits>
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

// A count is kept as its number when its digits are exactly the ones the
// number is written with, so that the text made on demand is the same.
std::optional<std::uint64_t> canonicalCount(QStringView text)
{
    if (text.isEmpty() || !isCount(text) || (text.size() > 1 && text[0] == u'0'))
        return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : text)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

constexpr std::uint64_t boldBit = std::uint64_t(1) << 63;
constexpr std::uint64_t countBit = std::uint64_t(1) << 62;
constexpr std::uint64_t adoptedBit = std::uint64_t(1) << 61;
constexpr std::uint64_t payload = adoptedBit - 1;

// Puts the block's row entries[i].row at place i, whole rows moving in place
// along the cycles of the permutation; each entry is marked done on the way.
// Nothing is allocated once a row has moved.
template <typename Entry>
void permuteRows(std::uint64_t *block, size_t cols, std::vector<Entry> &entries)
{
    std::vector<std::uint64_t> saved(cols);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].row == i)
            continue;
        std::copy_n(block + i * cols, cols, saved.begin());
        size_t place = i;
        while (entries[place].row != i) {
            const size_t from = entries[place].row;
            std::copy_n(block + from * cols, cols, block + place * cols);
            entries[place].row = std::uint32_t(place);
            place = from;
        }
        std::copy_n(saved.begin(), cols, block + place * cols);
        entries[place].row = std::uint32_t(place);
    }
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
            cells[size_t(r) * size_t(cols) + size_t(c)] = cell(r, c);
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

void WordGrid::setText(QStringView text)
{
    setCellText(m_row, m_col, text);
}

void WordGrid::setCellFontBold(bool bold)
{
    if (m_row < m_rows && m_col < m_cols)
        cell(m_row, m_col) = (cell(m_row, m_col) & ~boldBit) | (bold ? boldBit : 0);
}

QString WordGrid::cellText(int row, int col) const
{
    return cellText(row, col, std::numeric_limits<qsizetype>::max());
}

QString WordGrid::cellText(int row, int col, qsizetype length) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return QString();
    const Cell c = cell(row, col);
    if (c & countBit)
        return QString::number(c & payload);
    return textOf(c).left(length).toString();
}

void WordGrid::setCellText(int row, int col, QStringView text)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return;
    Cell &c = cell(row, col);
    const Cell bold = c & boldBit;
    if (const std::optional<std::uint64_t> count = canonicalCount(text))
        c = bold | countBit | *count;
    else if (text.isEmpty())
        c = bold;
    else
        c = bold | (Cell(m_texts.append(text)) + 1);
}

void WordGrid::setCellCount(int row, int col, std::uint64_t count)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return;
    Cell &c = cell(row, col);
    c = (c & boldBit) | countBit | count;
}

void WordGrid::adoptTexts(TextStore texts)
{
    m_adopted = std::move(texts);
}

void WordGrid::setCellAdoptedText(int row, int col, TextStore::Index index)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return;
    Cell &c = cell(row, col);
    c = (c & boldBit) | adoptedBit | (Cell(index) + 1);
}

bool WordGrid::cellFontBold(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return false;
    return (cell(row, col) & boldBit) != 0;
}

void WordGrid::Clear()
{
    std::fill(m_cells.begin(), m_cells.end(), Cell(0));
    m_texts = TextStore();
    m_adopted = TextStore();
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

    // Most comparisons are settled by one integer per row, taken from the
    // first key, that orders rows as the full comparison does when it differs:
    // the count, or the first bytes of the text's primary key.
    struct Entry
    {
        std::uint64_t fast;
        std::uint32_t row; // from `first`
    };
    std::vector<Entry> entries(rowCount);
    bool allCounts = true;
    bool allCoveredTexts = true;
    for (size_t i = 0; i < rowCount; ++i) {
        const Cell c = cell(first + int(i), firstKey);
        std::uint64_t fast = 0;
        if (const std::optional<long double> number = numberOf(c)) {
            allCoveredTexts = false;
            allCounts = allCounts && ((c & countBit) || isCount(textOf(c)));
            fast = allCounts ? std::uint64_t(*number) : 0;
        } else {
            allCounts = false;
            if (allCoveredTexts) {
                const SortKeys::Key key = texts.add(textOf(c));
                allCoveredTexts = key.covered;
                fast = key.prefix;
            }
        }
        entries[i] = {fast, std::uint32_t(i)};
    }
    if (!allCounts && !allCoveredTexts) {
        for (Entry &entry : entries)
            entry.fast = 0;
    }

    const bool descending = mode == SortMode::GenericDescending;
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        if (a.fast != b.fast)
            return descending ? a.fast > b.fast : a.fast < b.fast;
        for (int k = 0; k < keyCount; ++k) {
            const int c = compareCells(texts, cell(first + int(a.row), firstKey + k),
                                       cell(first + int(b.row), firstKey + k));
            if (c != 0)
                return descending ? c > 0 : c < 0;
        }
        return false;
    });
    // Whole rows move, fixed-column cells included.
    permuteRows(m_cells.data() + size_t(first) * size_t(m_cols), size_t(m_cols), entries);
}

std::optional<long double> WordGrid::numberOf(Cell cell) const
{
    if (cell & countBit)
        return static_cast<long double>(cell & payload);
    return decimalValue(textOf(cell));
}

// Numbers compare as numbers and texts in the French order. A number ranks
// before a text, as digits do before letters in that order; this keeps the
// order consistent when a column mixes both.
int WordGrid::compareCells(SortKeys &texts, Cell a, Cell b) const
{
    const std::optional<long double> x = numberOf(a);
    const std::optional<long double> y = numberOf(b);
    if (x && y)
        return *x < *y ? -1 : (*y < *x ? 1 : 0);
    if (x || y)
        return x ? -1 : 1;
    return texts.compare(texts.add(textOf(a)), textOf(a), texts.add(textOf(b)), textOf(b));
}

WordGrid::Cell &WordGrid::cell(int row, int col)
{
    return m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
}

WordGrid::Cell WordGrid::cell(int row, int col) const
{
    return m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
}

QStringView WordGrid::textOf(Cell cell) const
{
    if ((cell & countBit) || (cell & payload) == 0)
        return {};
    const auto index = TextStore::Index((cell & payload) - 1);
    return (cell & adoptedBit) ? m_adopted.text(index) : m_texts.text(index);
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
