#pragma once
// The result table of a simulation run as fixed-pitch text: the concentration
// courses, the rate courses or the Michaelis-Menten rate table, one row per
// simulated time.
//
// Layout: every cell is exactly 14 characters (the text left-aligned and padded
// with blanks, or cut to its first 14 characters; a blank cell is 14 blanks); a
// line is six blanks and five cells joined by Tabs. The text starts with CR LF,
// every further line is preceded by CR LF, and it ends after the last cell of
// the last row. After the header line follow one empty line (concentrations) or
// two (rates, Michaelis-Menten), then SimAnzahl + 1 rows.

#include <string>
#include <string_view>

#include "core/shell/declare.h"

namespace kinhom {

constexpr int kSimTableCellWidth = 14;

enum class SimTableKind { Konzentration, Rate, MichaelisMenten };

// Michaelis-Menten when model 10 runs in its diagram mode, otherwise the rate
// table when rates are shown, otherwise the concentration table.
SimTableKind SimTableKindOf(const Declare& d);

// One cell: text cut or padded to 14 characters.
std::string SimTableCell(std::string_view text);

// The table text of the last run. dec is the locale's decimal sign, used in the
// time cells ("#####0.00") and the value cells (the general form of a Single).
// The simulated columns must hold SimAnzahl + 1 entries; a shorter column is a
// KinError.
std::string BuildSimTable(const Declare& d, char dec = '.');

// The content of the saved table file: the table text between double quotes
// (nothing inside escaped) followed by CR LF, as a quoted text write produces it.
std::string SimTableFileContent(std::string_view tableText);

} // namespace kinhom
