#pragma once
// The rules of the XY editor (curve points typed, pasted or loaded from a
// curve point file): its grid's columns and rows, the value operations on
// marked cells, the manual points handed to the chart window and the axis
// window of a chart opened for them.

#include <string>
#include <utility>
#include <vector>

#include "core/dataedit/gridtable.h"
#include "core/shell/declare.h"

namespace kinhom {

// The grid's columns: the row number, x, y (single precision) and the exclude cell.
constexpr int kManuColX = 1;
constexpr int kManuColY = 2;
constexpr int kManuColAus = 3;
std::vector<GridColumn> ManuGridColumns();

// Points (from index 0) as grid rows and back; an excluded point (Aus -1)
// ticks the exclude cell.
std::vector<GridRow> ManuRowsFromPoints(const std::vector<KurvenPunkt>& points);
std::vector<KurvenPunkt> ManuPointsFromRows(const std::vector<GridRow>& rows);

// The XY editor's points of the shared state (XYPunkte 1..AnzahlXYPunkte,
// as far as the table holds them), from index 0; and storing them back.
std::vector<KurvenPunkt> StoredXYPoints(const Declare& d);
void StoreXYPoints(Declare& d, const std::vector<KurvenPunkt>& points);

// The value operations of the editor's value box.
enum class ValueOp { Add, Subtract, Multiply, Divide };

// Applies op with value to the given cells (row, column) that are x or y
// cells; other cells are left alone. Refuses (false, message in error, rows
// unchanged) a division by 0 and a result that single precision cannot hold
// (naming the row and the column). Returns the number of cells changed in
// `changed` (0: no x or y cell was marked).
bool ApplyValueOp(std::vector<GridRow>& rows, const std::vector<std::pair<int, int>>& cells, ValueOp op,
                  double value, int& changed, std::string& error);

// The value box takes "." as its only decimal sign: digits, ".", "-", "+",
// "E", "e", Enter (13), Backspace (8) and Delete (127) pass; everything else,
// the "," included, is refused.
bool ValueBoxKeyAllowed(int keyCode);

// Reads the value box: the whole text one number with "." as decimal sign;
// false with a message otherwise.
bool ReadValueBox(const std::string& text, double& value, std::string& error);

// The manual points for the chart window: record 0 x = count, then the active
// points (Aus not -1) in their order.
std::vector<KurvenPunkt> ManuPunkteFrom(const std::vector<KurvenPunkt>& points);

// An axis window that covers the manual points (record 0 = count) with a
// twentieth of the spread as margin on each side; a spread of 0 gets a margin
// of a twentieth of the value (1 around 0). False when there is no point.
bool ManualAxisWindow(const std::vector<KurvenPunkt>& manuPunkte, DiagrammInfo& diagramm);

} // namespace kinhom
