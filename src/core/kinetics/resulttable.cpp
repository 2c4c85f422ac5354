#include "core/kinetics/resulttable.h"

#include <array>

#include "core/shell/error.h"
#include "core/shell/numtext.h"

namespace kinhom {

namespace {

// One value column of the table: the species name in the header and the
// species slot (1 to 5 = SimCA..SimCQ / SimRA..SimRQ) it is read from; slot 0
// is a blank column.
struct Column {
    const char* name;
    int slot;
};
using Layout = std::array<Column, 4>; // cells 2 to 5

Layout LayoutOf(int model)
{
    constexpr Column blank{"", 0};
    switch (model) {
    case 1: case 2: case 3: case 5: case 8: case 20:
        return {Column{"A", 1}, blank, blank, Column{"P", 4}};
    case 4: case 12: case 17:
        return {Column{"A", 1}, Column{"B", 2}, blank, Column{"P", 4}};
    case 6: case 14: case 15:
        return {Column{"A", 1}, blank, Column{"C", 3}, Column{"P", 4}};
    case 7: case 9: case 13: case 18:
        return {Column{"A", 1}, Column{"B", 2}, Column{"C", 3}, Column{"P", 4}};
    case 10: // the enzyme model: E, S, ES in the slots of A, B, C
        return {Column{"E", 1}, Column{"S", 2}, Column{"ES", 3}, Column{"P", 4}};
    case 11: case 16:
        return {Column{"A", 1}, blank, Column{"P", 4}, Column{"Q", 5}};
    default: // no model: the time column only
        return {blank, blank, blank, blank};
    }
}



template <typename V>
void RequireRows(const V& column, int rows, const char* name)
{
    if (static_cast<int>(column.size()) < rows)
        throw KinError(std::string("The simulated table ") + name + " holds " + std::to_string(column.size()) +
                       " rows, " + std::to_string(rows) + " are needed.");
}

// Appends CR LF, six blanks and the five cells joined by Tabs.
void AppendLine(std::string& out, const std::array<std::string, 5>& cells)
{
    out += "\r\n      ";
    for (int i = 0; i < 5; ++i) {
        if (i > 0) out += '\t';
        out += SimTableCell(cells[i]);
    }
}

} // namespace

SimTableKind SimTableKindOf(const Declare& d)
{
    if (d.ModellNr == 10 && d.MMDiagramm) return SimTableKind::MichaelisMenten;
    if (d.RateDiagramm) return SimTableKind::Rate;
    return SimTableKind::Konzentration;
}

std::string SimTableCell(std::string_view text)
{
    // Cut after 14 characters (UTF-8 sequences counted as one character).
    std::string out;
    int chars = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = 1;
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0xF0) len = 4;
        else if (b >= 0xE0) len = 3;
        else if (b >= 0xC0) len = 2;
        if (chars == kSimTableCellWidth) break;
        out.append(text.substr(i, len));
        i += len;
        ++chars;
    }
    out.append(static_cast<std::size_t>(kSimTableCellWidth - chars), ' ');
    return out;
}

std::string BuildSimTable(const Declare& d, char dec)
{
    const SimTableKind kind = SimTableKindOf(d);
    const int rows = d.SimAnzahl >= 0 ? d.SimAnzahl + 1 : 0;
    const Layout layout = LayoutOf(d.ModellNr);

    std::array<std::string, 5> header;
    if (kind == SimTableKind::MichaelisMenten) {
        header = {d.MMNormiert ? "S(0)/KM" : "S(0)/ (mol/l)", "", "", "", "rP/rP,max"};
    } else {
        header[0] = " t/" + d.Zeiteinheit;
        for (int c = 0; c < 4; ++c) {
            if (layout[c].slot == 0) continue;
            header[c + 1] = kind == SimTableKind::Rate
                                ? std::string("r") + layout[c].name + "/(mol/l/" + d.Zeiteinheit + ")"
                                : std::string("c") + layout[c].name + "/(mol/l)";
        }
    }

    RequireRows(d.SimT, rows, "SimT");
    if (kind == SimTableKind::MichaelisMenten) {
        RequireRows(d.SimRP, rows, "SimRP");
    } else {
        for (const Column& col : layout) {
            if (col.slot == 0) continue;
            if (kind == SimTableKind::Rate) RequireRows(d.SimR(col.slot), rows, "of rates");
            else RequireRows(d.SimC(col.slot), rows, "of concentrations");
        }
    }

    std::string out;
    out.reserve(static_cast<std::size_t>(rows + 4) * 84);
    AppendLine(out, header);
    out += kind == SimTableKind::Konzentration ? "\r\n" : "\r\n\r\n";

    for (int i = 0; i < rows; ++i) {
        std::array<std::string, 5> cells;
        cells[0] = FormatPattern(d.SimT[i], "#####0.00", dec);
        if (kind == SimTableKind::MichaelisMenten) {
            cells[4] = GenSingle(d.SimRP[i], dec);
        } else {
            for (int c = 0; c < 4; ++c) {
                const int slot = layout[c].slot;
                if (slot == 0) continue;
                cells[c + 1] = kind == SimTableKind::Rate
                                   ? GenSingle(d.SimR(slot)[i], dec)
                                   : GenSingle(static_cast<float>(d.SimC(slot)[i]), dec);
            }
        }
        AppendLine(out, cells);
    }
    return out;
}

std::string SimTableFileContent(std::string_view tableText)
{
    std::string out;
    out.reserve(tableText.size() + 3);
    out += '"';
    out.append(tableText);
    out += "\"\r\n";
    return out;
}

} // namespace kinhom
