#include "core/dataedit/gridtable.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "core/shell/fieldline.h"
#include "core/shell/numtext.h"

namespace kinhom {

namespace {

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The shortest text that reads back as exactly the same value.
template <class T>
std::string ExactText(T v)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string FitWidth(std::string s, int width)
{
    const auto w = static_cast<std::size_t>(std::max(width, 0));
    if (s.size() > w) s.resize(w);
    else s.append(w - s.size(), ' ');
    return s;
}

} // namespace

bool ReadCellText(std::string_view text, CellKind kind, double& value, std::string& why)
{
    if (kind == CellKind::RowNumber) {
        why = "the row number cannot be changed";
        return false;
    }
    std::string s(TrimBlanks(text));
    std::replace(s.begin(), s.end(), ',', '.');
    double v = 0;
    if (!s.empty() && !ParseDoubleField(s, v, why)) {
        // The file reader's words name the fault's kind; the cell's text says enough.
        for (const char* kind : {"Type mismatch: ", "Overflow: "})
            if (why.rfind(kind, 0) == 0) why.erase(0, std::char_traits<char>::length(kind));
        return false;
    }
    if (kind == CellKind::Single && !FitsSingle(v)) {
        why = "\"" + s + "\" is too large for single precision";
        return false;
    }
    if (kind == CellKind::Exclude) v = (v == 0) ? 0 : -1;
    value = v;
    return true;
}

std::string CellDisplayText(double value, CellKind kind, int rowNumber, int width)
{
    switch (kind) {
    case CellKind::RowNumber: return FitWidth(std::to_string(rowNumber), width);
    case CellKind::Exclude: return FitWidth(value != 0 ? "-1" : "0", width);
    case CellKind::Single: return FitWidth(FormatPatternSingle(static_cast<float>(value), "0.000000E+00"), width);
    case CellKind::Double: break;
    }
    return FitWidth(FormatPattern(value, "0.000000E+00"), width);
}

std::vector<std::vector<std::string>> SplitClipboardText(std::string_view text)
{
    std::vector<std::vector<std::string>> rows;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            fields.emplace_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
            if (tab == std::string_view::npos) break;
            start = tab + 1;
        }
        rows.push_back(std::move(fields));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return rows;
}

std::string JoinClipboardText(const std::vector<std::vector<std::string>>& rows)
{
    std::string out;
    for (const auto& fields : rows) {
        for (std::size_t j = 0; j < fields.size(); ++j) {
            if (j) out += '\t';
            out += fields[j];
        }
        out += kCRLF;
    }
    return out;
}

// ---- GridTable ------------------------------------------------------------------------

GridTable::GridTable(std::vector<GridColumn> columns, int maxRows)
    : columns_(std::move(columns)), maxRows_(std::max(maxRows, 0))
{
}

int GridTable::excludeColumn() const
{
    for (int c = 0; c < columnCount(); ++c)
        if (columns_[static_cast<std::size_t>(c)].kind == CellKind::Exclude) return c;
    return -1;
}

bool GridTable::excluded(int r) const
{
    const int c = excludeColumn();
    return c >= 0 && value(r, c) != 0;
}

void GridTable::setRows(std::vector<GridRow> rows)
{
    for (GridRow& row : rows) row.v.resize(columns_.size(), 0.0);
    rows_ = std::move(rows);
}

void GridTable::renumberKeys()
{
    for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i].key = static_cast<int>(i) + 1;
}

std::string GridTable::cellName(int r, int c) const
{
    std::string name = "Row " + std::to_string(r + 1);
    if (c >= 0 && c < columnCount()) name += ", column \"" + columns_[static_cast<std::size_t>(c)].caption + "\"";
    return name;
}

bool GridTable::appendRow(std::string& error)
{
    if (rowCount() >= maxRows_) {
        error = cellName(rowCount(), -1) + ": the table holds at most " + std::to_string(maxRows_) + " points.";
        return false;
    }
    rows_.push_back(GridRow{std::vector<double>(columns_.size(), 0.0), -1});
    return true;
}

bool GridTable::appendRow(GridRow row)
{
    if (rowCount() >= maxRows_) return false;
    row.v.resize(columns_.size(), 0.0);
    rows_.push_back(std::move(row));
    return true;
}

bool GridTable::setCellText(int r, int c, std::string_view text, std::string& error)
{
    if (r < 0 || r > rowCount() || c < 0 || c >= columnCount()) {
        error = cellName(r, c) + ": there is no such cell.";
        return false;
    }
    double v = 0;
    std::string why;
    if (!ReadCellText(text, columns_[static_cast<std::size_t>(c)].kind, v, why)) {
        error = cellName(r, c) + ": " + why + ".";
        return false;
    }
    if (r == rowCount() && !appendRow(error)) {
        error = cellName(r, c) + ": the table holds at most " + std::to_string(maxRows_) + " points.";
        return false;
    }
    rows_[static_cast<std::size_t>(r)].v[static_cast<std::size_t>(c)] = v;
    return true;
}

void GridTable::setExcluded(int r, bool isExcluded)
{
    const int c = excludeColumn();
    if (c >= 0 && r >= 0 && r < rowCount()) rows_[static_cast<std::size_t>(r)].v[static_cast<std::size_t>(c)] = isExcluded ? -1 : 0;
}

bool GridTable::isHeaderLine(int c, const std::vector<std::string>& fields) const
{
    bool text = false;
    for (std::size_t j = 0; j < fields.size(); ++j) {
        const int cc = c + static_cast<int>(j);
        if (cc >= columnCount()) break;
        if (columns_[static_cast<std::size_t>(cc)].kind == CellKind::RowNumber) continue;
        if (TrimBlanks(fields[j]).empty()) continue;
        double v = 0;
        std::string why;
        if (ReadCellText(fields[j], CellKind::Double, v, why)) return false; // a number: a data line
        text = true;
    }
    return text;
}

bool GridTable::paste(int r, int c, std::string_view text, std::string& error, std::string& note)
{
    note.clear();
    if (r < 0 || r > rowCount() || c < 0 || c >= columnCount()) {
        error = cellName(r, c) + ": there is no such cell to paste into.";
        return false;
    }
    auto lines = SplitClipboardText(text);
    if (lines.empty()) {
        error = "The clipboard holds no text rows to paste.";
        return false;
    }
    std::string header;
    if (lines.size() > 1 && isHeaderLine(c, lines.front())) {
        for (const std::string& field : lines.front()) {
            const std::string_view f = TrimBlanks(field);
            if (f.empty()) continue;
            header += (header.empty() ? "\"" : ", \"") + std::string(f.substr(0, 40)) + "\"";
        }
        lines.erase(lines.begin());
    }
    const long long lastRow = static_cast<long long>(r) + static_cast<long long>(lines.size()) - 1;
    if (lastRow >= maxRows_) {
        error = cellName(static_cast<int>(std::min<long long>(lastRow, maxRows_)), -1) +
                ": the table holds at most " + std::to_string(maxRows_) + " points.";
        return false;
    }
    // Read the whole block before anything changes.
    struct Cell {
        int r, c;
        double v;
    };
    std::vector<Cell> cells;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t j = 0; j < lines[i].size(); ++j) {
            const int rr = r + static_cast<int>(i);
            const int cc = c + static_cast<int>(j);
            if (cc >= columnCount()) break;
            const CellKind kind = columns_[static_cast<std::size_t>(cc)].kind;
            if (kind == CellKind::RowNumber) continue;
            double v = 0;
            std::string why;
            if (!ReadCellText(lines[i][j], kind, v, why)) {
                error = cellName(rr, cc) + ": " + why + ".";
                return false;
            }
            cells.push_back({rr, cc, v});
        }
    }
    while (rowCount() <= lastRow) rows_.push_back(GridRow{std::vector<double>(columns_.size(), 0.0), -1});
    for (const Cell& cell : cells) rows_[static_cast<std::size_t>(cell.r)].v[static_cast<std::size_t>(cell.c)] = cell.v;
    if (!header.empty())
        note = "The first line of the pasted text (" + header + ") holds column captions, not numbers: it was left out. " +
               std::to_string(lines.size()) + (lines.size() == 1 ? " line was" : " lines were") + " pasted.";
    return true;
}

std::string GridTable::copyText(int r0, int c0, int r1, int c1) const
{
    r0 = std::max(r0, 0);
    c0 = std::max(c0, 0);
    r1 = std::min(r1, rowCount() - 1);
    c1 = std::min(c1, columnCount() - 1);
    std::vector<std::vector<std::string>> out;
    for (int r = r0; r <= r1; ++r) {
        std::vector<std::string> fields;
        for (int c = c0; c <= c1; ++c) {
            switch (columns_[static_cast<std::size_t>(c)].kind) {
            case CellKind::RowNumber: fields.push_back(std::to_string(r + 1)); break;
            case CellKind::Exclude: fields.push_back(value(r, c) != 0 ? "-1" : "0"); break;
            case CellKind::Single: fields.push_back(ExactText(static_cast<float>(value(r, c)))); break;
            case CellKind::Double: fields.push_back(ExactText(value(r, c))); break;
            }
        }
        out.push_back(std::move(fields));
    }
    return JoinClipboardText(out);
}

void GridTable::zeroCells(const std::vector<std::pair<int, int>>& cells)
{
    for (const auto& [r, c] : cells) {
        if (r < 0 || r >= rowCount() || c < 0 || c >= columnCount()) continue;
        if (columns_[static_cast<std::size_t>(c)].kind == CellKind::RowNumber) continue;
        rows_[static_cast<std::size_t>(r)].v[static_cast<std::size_t>(c)] = 0;
    }
}

void GridTable::removeRows(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (*it >= 0 && *it < rowCount()) rows_.erase(rows_.begin() + *it);
}

void GridTable::sortByColumn(int c)
{
    if (c < 0 || c >= columnCount() || columns_[static_cast<std::size_t>(c)].kind == CellKind::RowNumber) return;
    const auto col = static_cast<std::size_t>(c);
    std::stable_sort(rows_.begin(), rows_.end(), [col](const GridRow& a, const GridRow& b) { return a.v[col] < b.v[col]; });
}

} // namespace kinhom
