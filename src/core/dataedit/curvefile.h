#pragma once
// Curve point files (.XY, and .LRG in the same format): the file that "Save
// Curve to File" of the chart window and the XY editor write
// (core/chart/curveexport.h, CurvePointFileText), read back.
//
//   line 1        a title (any text; the curve's legend when the chart wrote it)
//   line 2 ...    one point per line: x, separator, y
//
// The separator is ";", "," or Tab; the decimal sign "." or (when the separator
// is not ",") ",". Blanks around a number are allowed, blank lines are skipped.
// The whole file is parsed before anything is handed back: a file with one
// bad line gives no points at all and an error that names the file and the line.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

// The most points one curve point file may hold (the XY editor's rows are
// counted in a 16-bit integer).
constexpr int kMaxCurveFilePoints = 32767;

struct CurvePointFile {
    std::string title;
    // The separator found in the file (";" when it holds no point).
    std::string separator = ";";
    // The points, from index 0; each rounded to single precision. Aus is 0
    // (active): the file does not keep excluded marks.
    std::vector<KurvenPunkt> points;

    bool operator==(const CurvePointFile&) const = default;
};

// Parses the lines of a curve point file (without line ends). name is the file
// name used in the error text. On success fills out and returns true; on
// failure leaves out untouched, returns false and error says what is wrong,
// then "File: <name>, line <n>".
bool ParseCurvePointLines(const std::vector<std::string>& lines, const std::string& name, CurvePointFile& out,
                          std::string& error);

// The same for the content of a file as bytes (CR LF, LF or CR line ends; UTF-8,
// else Windows-1252).
bool ParseCurvePointText(std::string_view text, const std::string& name, CurvePointFile& out, std::string& error);

// Reads a curve point file from disk; a file that cannot be opened is an error
// naming the file.
bool ReadCurvePointFile(const std::filesystem::path& path, CurvePointFile& out, std::string& error);

// The text of a curve point file for the points: the title line, then one line
// per point (every point, excluded ones included), written as the chart's
// "Save Curve to File" writes them, with separator trennzeichen.
std::string CurvePointFileContent(const std::string& title, const std::vector<KurvenPunkt>& points,
                                  const std::string& trennzeichen);

} // namespace kinhom
