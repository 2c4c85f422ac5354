#pragma once
// DataGrid: the grid of the data editors. Rows of number cells and an
// optional exclude check cell, shown from a GridTable (core/dataedit) that
// holds the values and applies the rules.
//
//   DataGrid grid({{"No.", CellKind::RowNumber}, {"x", CellKind::Double},
//                  {"y", CellKind::Double}, {"excl.", CellKind::Exclude}}, 2000);
//   grid.setRows(rows);                      // shows them
//   connect(&grid, &DataGrid::edited, ...);  // after every change the user made
//
// The user types into a cell (a refused text is named in a message and the
// cell keeps its value), types into the empty row below the last one to add a
// row, ticks the exclude cell, selects cells, copies (Ctrl+C) and pastes
// (Ctrl+V) Tab-separated text rows. A right click emits contextMenuRequested,
// for the window to pop up its menu. Messages go through the message service.

#include <vector>

#include <QString>
#include <QTableWidget>

#include "core/dataedit/gridtable.h"

namespace kinhom {

class DataGrid : public QTableWidget {
    Q_OBJECT
public:
    DataGrid(std::vector<GridColumn> columns, int maxRows, QWidget* parent = nullptr);

    const GridTable& table() const { return table_; }
    int pointCount() const { return table_.rowCount(); }

    // Replaces the rows and shows them (no edited signal).
    void setRows(std::vector<GridRow> rows);
    // Empties the grid (no edited signal).
    void clearRows();
    // Appends one row and shows it (no edited signal); false when the table is full.
    bool appendRow(GridRow row);
    // Ticks or clears a row's exclude cell (no edited signal).
    void setExcluded(int row, bool excluded);
    // Selects a whole row and makes it current.
    void selectRow(int row);
    // Renumbers the rows' keys 1, 2, 3, ... (the owner stored them back).
    void renumberKeys() { table_.renumberKeys(); }

    // A column's caption in the header.
    void setColumnCaption(int column, const QString& caption);
    QString columnCaption(int column) const;
    // Width of a cell's text in characters (number cells 14, the number column 4).
    void setCellWidth(int column, int characters);
    // The title of the box that names a refused cell.
    void setMessageTitle(const QString& title) { messageTitle_ = title; }

    // ---- what the user does (each emits edited when something changed) ---------------
    // Types text into cell (row, column); row == pointCount() adds a row. A
    // refusal is shown at once, or from the event loop when messageLater is set
    // (while the cell's editor closes).
    bool typeIntoCell(int row, int column, const QString& text, bool messageLater = false);
    // The selected cells (bounding rectangle of the selection) as text rows.
    QString selectionText() const;
    // Puts selectionText() on the clipboard; false when nothing is selected.
    bool copySelection();
    // Pastes text rows from the current cell on (below the last row when there
    // is none); a first line of column captions is left out, with a note.
    bool pasteText(const QString& text);
    // Pastes the clipboard's text.
    bool pasteClipboard();
    // Marked cells := 0; false when none is marked.
    bool zeroSelectedCells();
    // The rows that hold a marked cell, ascending.
    std::vector<int> markedRows() const;
    // Removes the marked rows; false when none is marked.
    bool removeMarkedRows();
    // Sorts the rows by a column, ascending.
    void sortRowsBy(int column);

signals:
    // After every change the user made to the values or the rows.
    void edited();
    // A right click on the grid, at this screen position.
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    friend class DataGridDelegate;
    // Shows the table: one line per row, plus the empty line for a new row.
    void refresh();
    void showRow(int row);
    void showNewRowLine();
    void refuse(const std::string& message);
    void fitColumnWidth(int column);
    void onItemChanged(QTableWidgetItem* item);

    GridTable table_;
    std::vector<int> widths_;
    QString messageTitle_ = "Input not accepted";
    bool updating_ = false;
};

} // namespace kinhom
