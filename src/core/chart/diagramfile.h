#pragma once
// The diagram file (*.oc2): a whole chart, data and design, as text.
//
// Format (version 1), UTF-8, one entry per line, lines ending in CR LF:
//
//   KINHOM-DIAGRAM 1
//   chart.border.type 4                 key, a blank, the value
//   header.text "Model 2\nA => P"       texts quoted; \" \\ \n \r \t and \xHH escaped
//   header.font "DejaVu Sans" 12 1 0 0  font: name, size in points, bold, italic, underline
//   chart.interior.background #FFFFFF   colours as #RRGGBB
//   area.axis.x.min 0 0                 automatic values: value, then 1 = automatic
//   ...
//   group 1                             then per chart group: its number,
//   group.numseries 27                    its number of series, and per series
//   series 1                              its number, display state and styles,
//   series.display 1
//   series.line.pattern 2
//   ...
//   series.points 201                     its number of points, then one line "x y" per point
//   0 1
//   ...
//   group.legendtexts 27                  the legend texts of the group, one line each
//   legendtext "c(A) "
//   ...
//   labels 27                           the chart labels, each starting with "label n"
//   label 1
//   label.text "c(A) "
//   ...
//   end
//
// The entries come in a fixed order; the reader expects exactly that order.
// Numbers are written in their shortest form that reads back to the identical
// double (or float) value; "nan", "inf" and "-inf" stand for values that are not
// finite, so every point and property round-trips exactly. Where the chart needs
// a finite value (font sizes, the axis origin, a label's data position) a value
// that is not finite is refused as malformed content.
//
// A file that is not a diagram file, has another version, is truncated or holds
// anything unexpected is refused as a whole with a message naming the file, the
// line and what was expected there; the chart is then left as it was.

#include <filesystem>
#include <string>
#include <vector>

#include "core/chart/chart2d.h"

namespace kinhom {

constexpr int kDiagramFileVersion = 1;

// The file's text for a chart (every line, the last included, ends in CR LF).
std::string DiagramText(const Chart2D& chart);

// Reads the lines of a diagram file (without their line ends) into chart, as one
// change. On failure returns false with error "line N: ..." and leaves chart as
// it was.
bool ParseDiagramText(const std::vector<std::string>& lines, Chart2D& chart, std::string& error);

// Writes the chart to a diagram file through a temporary file in the same folder
// (a failed save leaves an older file intact). False with a description on failure.
bool SaveDiagram(const Chart2D& chart, const std::filesystem::path& path, std::string& error);

// Loads a diagram file into chart; on failure returns false, leaves the chart as
// it was and says why ("<file>: line N: expected ...").
bool LoadDiagram(Chart2D& chart, const std::filesystem::path& path, std::string& error);

} // namespace kinhom
