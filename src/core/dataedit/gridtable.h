#pragma once
// The rules of the data editors' grids, without a screen: a table of number
// rows with typed columns, reading what the user types or pastes, the
// clipboard's text rows in and out, marking cells zero, removing rows and
// sorting by a column.
//
// A cell is a number when its whole text (blanks around it allowed, "," read
// as ".") is one number by the leading-numeric-part rule: an optional sign,
// digits with an optional fraction, an optional exponent; "inf", "nan" and
// hexadecimal forms are not numbers. An empty cell reads as 0. A value that
// its column cannot hold (beyond double range, or beyond single precision in a
// Single column) is refused. Every refusal names the row (counted from 1, as
// the grid numbers its rows) and the column's caption, and nothing changes.

#include <string>
#include <string_view>
#include <vector>

namespace kinhom {

enum class CellKind {
    RowNumber, // shows the row's number; not stored, never typed into
    Double,    // any finite number
    Single,    // a number that fits single precision
    Exclude,   // the exclude mark: 0 active, -1 excluded (any other number marks excluded)
};

struct GridColumn {
    std::string caption;
    CellKind kind = CellKind::Double;
};

// One row: one value per column (0 in a RowNumber column; 0 or -1 in an
// Exclude column) and a key the owner of the data uses to find the record
// the row came from (-1 for a row the grid created).
struct GridRow {
    std::vector<double> v;
    int key = -1;

    bool operator==(const GridRow&) const = default;
};

// Reads a cell's text for a column of that kind; false with the reason when
// the text is not a number or does not fit the column (a RowNumber column
// accepts nothing).
bool ReadCellText(std::string_view text, CellKind kind, double& value, std::string& why);

// The text a cell shows: the row's number (1-based) in a RowNumber column,
// "0.000000E+00" otherwise; every cell padded or cut to width characters.
std::string CellDisplayText(double value, CellKind kind, int rowNumber, int width);

// The clipboard's text as rows of fields: lines end with CR LF or LF, fields
// are separated by Tab; a last line ending the text is not a row.
std::vector<std::vector<std::string>> SplitClipboardText(std::string_view text);

// Rows of fields as clipboard text: Tab between fields, CR LF after each row.
std::string JoinClipboardText(const std::vector<std::vector<std::string>>& rows);

class GridTable {
public:
    GridTable(std::vector<GridColumn> columns, int maxRows);

    const std::vector<GridColumn>& columns() const { return columns_; }
    int columnCount() const { return static_cast<int>(columns_.size()); }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    int maxRows() const { return maxRows_; }
    const std::vector<GridRow>& rows() const { return rows_; }
    const GridRow& row(int r) const { return rows_.at(static_cast<std::size_t>(r)); }
    double value(int r, int c) const { return row(r).v.at(static_cast<std::size_t>(c)); }
    bool excluded(int r) const;
    // The first Exclude column, or -1.
    int excludeColumn() const;

    // Replaces every row (short rows are filled with 0, long ones cut).
    void setRows(std::vector<GridRow> rows);
    void clear() { rows_.clear(); }
    // Renumbers the keys 1, 2, 3, ... in row order (after the owner stored
    // the rows back into its records).
    void renumberKeys();

    // Appends a row of zeros; false with a message when the table is full.
    bool appendRow(std::string& error);
    // Appends the row (filled with 0 or cut to the columns); false when the table is full.
    bool appendRow(GridRow row);

    // What the user typed into cell (r, c); r == rowCount() types into a new
    // row at the end. False with a message naming the cell when the text is
    // refused; the table is then unchanged.
    bool setCellText(int r, int c, std::string_view text, std::string& error);

    // Sets a row's exclude mark (in the first Exclude column).
    void setExcluded(int r, bool excluded);

    // Pastes clipboard text from cell (r, c) on: field j of line i goes to
    // cell (r + i, c + j); fields beyond the last column are dropped; a
    // RowNumber column takes no value (its field is skipped); the table grows
    // when the block runs past its end. The whole block is read first: a
    // field that is refused, or a block that would grow the table beyond
    // maxRows, refuses the paste with a message naming the cell, and the table
    // is unchanged. r may be rowCount() (paste below the last row).
    // A first line of column captions, as a spreadsheet copies them (no field
    // it pastes is a number, at least one is text, and lines follow), is left
    // out: the lines below it go from row r on, and note says what was left
    // out. note is empty when the block was pasted whole.
    bool paste(int r, int c, std::string_view text, std::string& error, std::string& note);

    // The clipboard text of the cells r0..r1, c0..c1 (inclusive), each number
    // in the shortest form that a paste reads back as exactly the same value.
    std::string copyText(int r0, int c0, int r1, int c1) const;

    // Sets the given cells (row, column pairs) to 0; an Exclude cell becomes
    // active; RowNumber cells and cells outside the table are left alone.
    void zeroCells(const std::vector<std::pair<int, int>>& cells);

    // Removes the given rows (indices outside the table are ignored).
    void removeRows(std::vector<int> rows);

    // Sorts the rows by the values of column c, ascending; rows with equal
    // values keep their order.
    void sortByColumn(int c);

private:
    std::string cellName(int r, int c) const;
    // Whether a pasted line from column c on is a line of captions.
    bool isHeaderLine(int c, const std::vector<std::string>& fields) const;

    std::vector<GridColumn> columns_;
    int maxRows_;
    std::vector<GridRow> rows_;
};

} // namespace kinhom
