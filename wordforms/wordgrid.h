#pragma once

#include "wordforms/textstore.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace lexalon {

class SortKeys;

// A table of text cells with a current cell, a selection and a sort: the store
// behind the word list and the token list. It knows no widget; a table model
// presents it. Millions of cells cost little: the texts stand end to end in
// one character store, and a count is kept as its number.
class WordGrid
{
public:
    enum class SortMode { GenericAscending = 1, GenericDescending = 2 };

    WordGrid(int rows, int cols, int fixedRows, int fixedCols);

    int Rows() const { return m_rows; }
    // A larger value appends empty rows; a smaller one drops rows from the end.
    void setRows(int rows);
    int Cols() const { return m_cols; }
    void setCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    int FixedCols() const { return m_fixedCols; }

    int Row() const { return m_row; }
    int Col() const { return m_col; }
    int RowSel() const { return m_rowSel; }
    int ColSel() const { return m_colSel; }
    // Moving the current cell collapses the selection onto it along that axis.
    void setRow(int row);
    void setCol(int col);
    void setRowSel(int row);
    void setColSel(int col);

    // The current cell.
    QString Text() const;
    void setText(QStringView text);
    void setCellFontBold(bool bold);

    // Any cell, by address; the current cell does not move. The text is made
    // on demand.
    QString cellText(int row, int col) const;
    // Its first `length` characters at most.
    QString cellText(int row, int col, qsizetype length) const;
    void setCellText(int row, int col, QStringView text);
    // The same as setCellText with the count's decimal digits.
    void setCellCount(int row, int col, std::uint64_t count);
    // Takes a store of texts whole, so that cells show its texts without a
    // copy; it replaces any store taken before.
    void adoptTexts(TextStore texts);
    // The same as setCellText with that text of the store taken.
    void setCellAdoptedText(int row, int col, TextStore::Index index);
    bool cellFontBold(int row, int col) const;

    // Empties every cell and gives back the memory of their texts; Rows and
    // Cols stay.
    void Clear();

    int ColWidth(int col) const;
    void setColWidth(int col, int twips);

    // Sorts at once the rows from Row to RowSel (all non-fixed rows when they
    // are equal), keyed on the columns from Col to ColSel.
    void setSort(SortMode mode);

private:
    // A cell is one word: a bold flag, and a count or the number of its text
    // in one of the stores, plus one (0 for no text).
    using Cell = std::uint64_t;

    Cell &cell(int row, int col);
    Cell cell(int row, int col) const;
    QStringView textOf(Cell cell) const;
    std::optional<long double> numberOf(Cell cell) const;
    int compareCells(SortKeys &texts, Cell a, Cell b) const;
    void clampCursor();

    int m_rows;
    int m_cols;
    int m_fixedRows;
    int m_fixedCols;
    int m_row;
    int m_col;
    int m_rowSel;
    int m_colSel;
    std::vector<Cell> m_cells; // row-major
    TextStore m_texts; // written cell by cell
    TextStore m_adopted;
    std::vector<int> m_colWidths; // twips; -1 when not set
};

} // namespace lexalon
