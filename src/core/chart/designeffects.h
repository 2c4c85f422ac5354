#pragma once
// What the chart window's design controls do to the chart. The window's load
// applies a set of them to give a new chart its look, and the design panels call
// the same functions when the user changes a control, so both share one rule.
//
//   grid choice          without / Y only / X only / full grid, dotted or solid
//   colour presets       "Chart Area=Black", "Chart Area=White", "Chart Border=Grey"
//   scaling              manual spacings from the boxes, or automatic spacings
//   legend transparency  transparent, or the remembered background
//   style lists          curve styles ("Curve solid" ...) and point symbols ("Dot" ...)
//   frame, plot box, margins, numbering and origin placement, Y-axis orientations

#include <array>
#include <string>
#include <string_view>

#include "core/chart/chart2d.h"
#include "core/shell/rgb.h"

namespace kinhom {

// ---- grid --------------------------------------------------------------------------

// The grid line pattern of the option "Curve dotted" (index 0, pattern 4) or
// "solid line" (index 1, pattern 2); any other index keeps `current`.
int GridLinePatternFor(int opt2Index, int current);

// Grid choice: 0 "without Grid", 1 "Y-Grid only", 2 "X-Grid only", 3 "Full grid".
// The axes that carry a grid get `linePattern`, the others pattern none. Any
// other index changes nothing.
void ApplyGridChoice(Chart2D& chart, int gitterModus, int linePattern);

// ---- colour presets -----------------------------------------------------------------

enum class ColorPreset { Black, White, Grey };

// Applies a preset in one batch. The white preset also shows the grid of both
// axes in `linePattern`, whatever the grid choice.
void ApplyColorPreset(Chart2D& chart, ColorPreset preset, int linePattern);

// The colour the preset gives the two border colour buttons (chart and chart area).
Rgb PresetButtonColor(ColorPreset preset);

// ---- scaling -------------------------------------------------------------------------

// The six spacing boxes, in the order the automatic scaling fills them.
enum class SpacingBox { GridX = 0, GridY, TickX, TickY, NumX, NumY };

// The text a spacing box shows for a value: "." as decimal sign and a blank
// before a value >= 0 (" 20", " 0.5", "-1").
std::string SpacingBoxText(double v);

// The change handler of a spacing box: "," becomes "."; the number at the start
// of the text (0 when there is none) becomes the spacing of the box's axis and
// kind. Returns the text with "," replaced. (While the spacing is automatic the
// chart keeps computing it; a set value that cannot be used is drawn as the
// automatic one.)
std::string ApplySpacingText(Chart2D& chart, SpacingBox box, std::string_view text);

// "manual": the grid and tick spacings of X and Y stop being automatic, and the
// grid spacings take the numbers of the two grid boxes.
void ApplyManualScaling(Chart2D& chart, std::string_view xGridText, std::string_view yGridText);

// "automat.": every spacing of X and Y becomes automatic; returns the spacings
// the chart now reports, in SpacingBox order, for the boxes.
std::array<double, 6> ApplyAutomaticScaling(Chart2D& chart);

// ---- legend ----------------------------------------------------------------------------

// "transparent" checked: the legend background becomes transparent; unchecked:
// it takes the remembered background colour.
void ApplyLegendTransparency(Chart2D& chart, bool transparent, Rgb hintergrund);

// ---- style lists -----------------------------------------------------------------------

// Curve style list: 0 "Single points only", 1 "Curve solid", 2 "Curve dotted",
// 3 "Curve dashed", 4 "Curve dash-dotted".
inline constexpr const char* kCurveStyleItems[5] = {"Single points only", "Curve solid", "Curve dotted",
                                                    "Curve dashed", "Curve dash-dotted"};
// Line pattern of a list position; 0 for a position outside the list.
int CurveStylePattern(int listPos);
// List position that shows a line pattern (patterns 5, 6 and unknown ones: 0).
int CurveStyleListPos(int pattern);
// Writes the style of list position `listPos` to curve `series` of group 1: its
// line pattern, and the dot symbol when the pattern is none (else no symbol).
// A position outside the list changes nothing.
void ApplyCurveStyle(Chart2D& chart, int series, int listPos);

// Point style list: "Dot", "Circle", "Triangle", "Square", "Star", "Cross",
// "Box", "Diamond", "Vertical line", "Horizontal line", "hidden".
inline constexpr const char* kPointStyleItems[11] = {"Dot",  "Circle", "Triangle",      "Square",
                                                     "Star", "Cross",  "Box",           "Diamond",
                                                     "Vertical line", "Horizontal line", "hidden"};
// Symbol shape of a list position; 0 for a position outside the list.
int PointStyleShape(int listPos);
// Writes the symbol of list position `listPos` to point set `set` of group 2.
void ApplyPointStyle(Chart2D& chart, int set, int listPos);

// ---- frame, box, margins, numbering, origin, orientation ---------------------------------

// Frame type 0 "without", 1 "3D", 2 "normal", 3 "Etched Type". Returns whether
// the frame width controls are enabled (the chart reports a frame).
bool ApplyFrameType(Chart2D& chart, int index);
// "Diagram framed": the box around the plot area.
void ApplyDiagramFrame(Chart2D& chart, bool framed);
// "Borders automatically" checked: the four plot-area margins become automatic.
void ApplyAutoBorders(Chart2D& chart);
// Position of axis numbering: 0 "in the minimum", 1 "at axis", 2 "in the maximum".
void ApplyNumberingPlacement(Axis& axis, int index);
// Origin of an axis: 0 at its minimum, 1 at zero, 2 at its maximum, 3 at the
// axis's origin value.
void ApplyOriginPlacement(Axis& axis, int index);
// "autom. in the minimum of axes": the origins of X and Y at their minimum.
void ApplyStandardOrigin(Chart2D& chart);
// "Y-Axis Text" and "Y-Numbers": 0 horizontal, 1 vertical.
void ApplyYTitleOrientation(Chart2D& chart, int index);
void ApplyYNumberOrientation(Chart2D& chart, int index);

} // namespace kinhom
