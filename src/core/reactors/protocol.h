#pragma once
// The protocol of reactor results: the table in memory (ProtMatrix, single
// precision, 20 columns, rows from 1; ProtZeilen rows; ProtDatenVorhanden while
// rows are not yet written) and its CSV text, one header row and one row per
// result, written as a file and put on the clipboard by the protocol window.

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

// Columns of a protocol row (ProtokollZeile).
constexpr int kProtSpalten = 20;

// An empty field of a protocol row: a value the model does not use (a rate
// constant or the concentration of a species outside the model). The CSV text
// and the protocol window leave it empty.
inline constexpr double kProtEmptyField = std::numeric_limits<double>::quiet_NaN();
inline bool IsProtEmptyField(double v) { return std::isnan(v); }

// The column headers, in the order of ProtokollZeile.
const std::vector<std::string>& ProtSpaltenNamen();

// Appends ProtokollZeile as a new row of ProtMatrix (values in single
// precision; the callers keep them within its range) and marks the protocol
// as holding unwritten rows.
void ProtZeileAnhaengen(Declare& d);

// Empties the table (a protocol file was closed).
void ProtLeeren(Declare& d);

// The CSV text of the table: the header row, then one row per recorded result,
// fields joined by the separator (an empty field holds nothing), lines ended by
// CR LF. Numbers are written in
// the general form with the decimal sign dec; when the separator is "," the
// decimal sign is "." whatever dec says.
std::string ProtCsvText(const Declare& d, const std::string& trennzeichen, char dec);

// The file of the protocol: ProtDateiName, in the program folder unless it
// names a folder itself.
std::filesystem::path ProtDateiPfad(const Declare& d, const std::filesystem::path& programFolder);

} // namespace kinhom
