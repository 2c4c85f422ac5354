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
//   curve and point panels  colours, widths, symbol sizes, label positions, the Design menu
//   texts                header, additional text and axis titles: text, font, frame, place
//   labels and legend    shown, framed, colours, fonts, orientation
//   right click          which panel opens for what lies under the mouse; marker texts

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/chart/chart2d.h"
#include "core/chart/chartlayout.h"
#include "core/chart/curveprep.h"
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

// ---- Diagram Settings: log axes, spacing boxes, origins, frames, margins, colours -------

namespace kinhom {

// "  X-Axis" of the logarithmic axes: the X axis's logarithmic flag inverted.
void InvertLogX(Chart2D& chart);
// "  Y-Axis ": the logarithmic flags of Y and of Y2 each inverted by itself.
void InvertLogY(Chart2D& chart);

// The change handler of a spacing box while the scaling is manual or automatic.
// Like ApplySpacingText ("," becomes ".", the leading number is written); under
// manual scaling the box's spacing also stops being automatic, so that a value
// typed into a numbering box takes effect as the grid and tick boxes' values do.
// A value the chart cannot use (0, negative, not finite, or so fine that it
// would give more than about a thousand lines) is kept as typed but drawn as the
// automatic spacing of that axis. Returns the text with "," replaced.
std::string ApplySpacingBox(Chart2D& chart, SpacingBox box, std::string_view text, bool manual);

// The origin value box of an axis ("at X =", "at Y ="): "," becomes "."; the
// leading number (0 when there is none) becomes the axis's origin value. A value
// beyond the range of a double is not taken (the origin value stays). Returns
// the text with "," replaced.
std::string ApplyOriginText(Axis& axis, std::string_view text);

// The origin options of an axis: 0 at its minimum, 1 at zero, 2 at its maximum,
// 3 at the value in its box (read as ApplyOriginText reads it). Any other index
// changes nothing.
void ApplyOriginChoice(Axis& axis, int index, std::string_view valueText);

// The width of the chart's own frame, from the up-down beside "Frame Width":
// clamped to kMinFrameWidth..kMaxFrameWidth pixels; returns the width set.
constexpr int kMinFrameWidth = 1;
constexpr int kMaxFrameWidth = 20;
int ApplyFrameWidth(Chart2D& chart, int width);

// The frame of the chart area (the plot area with its numbering and titles):
// 0 "without", 1 "3D raised", 2 "3D lowered", 3 "Shadow", 4 "normal". Any other
// index changes nothing.
inline constexpr const char* kChartAreaFrameItems[5] = {"without", "3D raised", "3D lowered", "Shadow", "normal"};
void ApplyChartAreaFrame(Chart2D& chart, int index);

// The four margins between the chart area's edge and the plot area, set by the
// margin scroll bars (pixels, clamped to 0..kMaxMargin). Setting one switches
// only that margin from automatic to the value.
enum class MarginSide { Left, Right, Top, Bottom };
constexpr int kMaxMargin = 300;
int ApplyMargin(Chart2D& chart, MarginSide side, int pixels);
// The margin the chart has now (automatic or set), clamped to 0..kMaxMargin.
int CurrentMargin(const Chart2D& chart, MarginSide side);

// The background colour buttons: the whole chart, the chart area, the plot area.
// Each returns the colour the chart reports afterwards.
enum class Background { Chart, ChartArea, PlotArea };
Rgb ApplyBackgroundColor(Chart2D& chart, Background which, Rgb color);
Rgb BackgroundColorOf(const Chart2D& chart, Background which);

// "Grid Color": the grid colour of X and of Y; returns the X grid colour.
Rgb ApplyGridColor(Chart2D& chart, Rgb color);

} // namespace kinhom

// ---- curves and point sets, texts, labels and legend (the design panels) ----------------

namespace kinhom {

// The caption of the curve tab of a slot: "C." and the slot number ("C.7").
std::string CurveTabCaption(int slot);

// The colour button of a curve: the line colour, then the symbol colour of curve
// `series` of group 1 (a curve drawn as single points shows its dots in it).
void ApplyCurveColor(Chart2D& chart, int series, Rgb color);
// The colour button of a point set: the symbol colour of set `set` of group 2.
void ApplyPointColor(Chart2D& chart, int set, Rgb color);

// The line-width up-down of a curve and the symbol-size up-down of a point set
// (pixels). Values outside the range are clamped; each returns the value set.
constexpr int kMinCurveWidth = 1;
constexpr int kMaxCurveWidth = 10;
constexpr int kMinPointSize = 1;
constexpr int kMaxPointSize = 20;
int ApplyCurveWidth(Chart2D& chart, int series, int width);
int ApplyPointSize(Chart2D& chart, int set, int size);

// The label of curve `slot` (chart label `slot`) attached to point `point` of its
// curve; the label position scroll bar of the curve tab.
void ApplyCurveLabelPoint(Chart2D& chart, int slot, int point);

// The Design menu as it opens: "curves" is offered when at least one curve is
// on the chart; "Experimental points" in a k-T diagram exactly when k-T data
// exist, otherwise when one of the point sets 1 to 7 holds a point.
bool CurveDesignEnabled(int kurvenAnzahl);
bool PointDesignEnabled(const Chart2D& chart, bool kTDiagramm, bool kTDaten);

// The slot whose tab the curve panel opens on: the lowest slot that holds a
// curve; 0 when all are free.
int FirstUsedCurveSlot(const KurvenSlots& kurveFrei);

// ---- curve labels (chart labels 1 to 24) ---------------------------------------------------

// "all invisible" checked (shown = false) or unchecked (shown = true).
void ApplyCurveLabelsShown(Chart2D& chart, bool shown);
// "framed": a plain frame around every curve label, or none.
void ApplyCurveLabelFrame(Chart2D& chart, bool framed);
// The text (foreground) or background colour of every curve label.
void ApplyCurveLabelColor(Chart2D& chart, Rgb color, bool foreground);
// The font of every curve label: name, size, italic and bold of `chosen`.
void ApplyCurveLabelFont(Chart2D& chart, const FontSpec& chosen);

// A font dialog's choice taken into a font: name, size, italic and bold; the
// rest of `font` (underline) stays. A size that is not positive and finite
// keeps the old size.
void TakeDialogFont(FontSpec& font, const FontSpec& chosen);

// ---- legend ---------------------------------------------------------------------------------

// "with frame": a plain frame around the legend, or none.
void ApplyLegendFrame(Chart2D& chart, bool framed);
// "horizontal" (0) or "vertical" (1); any other index changes nothing.
void ApplyLegendOrientation(Chart2D& chart, int index);
// The legend "Background" button: the legend's background becomes the colour
// (opaque); returns the background the chart reports now (to be remembered).
Rgb ApplyLegendBackground(Chart2D& chart, Rgb color);
// The legend "Font" button.
void ApplyLegendFont(Chart2D& chart, const FontSpec& chosen);

// ---- the text design panel --------------------------------------------------------------------

// The element the text items of the Design menu choose.
struct TextElementId {
    enum : int { Header = 1, Footer = 2, XTitle = 3, YTitle = 4, LabelsLegend = 5 };
};

// How the text design panel is laid out for an element.
struct TextPanelSetup {
    bool known = false;          // an element 1 to 5
    bool setsCaption = false;    // false for 5: caption and text box stay as they are
    std::string caption;         // "Design Header" ...
    bool keepTrailingBlanks = false;
    bool shiftEnabled = true;    // the position scroll bars (header and additional text)
    bool frameEnabled = true;    // "framed"
    bool backColorEnabled = true;
    bool yOrientationEnabled = false;
    bool opensCurvePanel = false;
};
TextPanelSetup TextPanelFor(int element);

// The text with its trailing blanks removed (line breaks and tabs stay).
std::string TrimTrailingBlanks(std::string_view text);

// The text of an element as the text box shows it when the panel opens: the
// header, additional text and X-axis title without trailing blanks, the Y-axis
// title as it is; "" for other elements.
std::string TextElementText(const Chart2D& chart, int element);
// The text box's change: the text into the element (1 to 4; others nothing).
void SetTextElementText(Chart2D& chart, int element, std::string_view text);

// Font of an element 1 to 4 (a default font for others) and the font button.
FontSpec TextElementFont(const Chart2D& chart, int element);
void ApplyTextElementFont(Chart2D& chart, int element, const FontSpec& chosen);

// "framed" of the text panel: whether header (1) or additional text (2) has a
// plain frame; setting it changes nothing for the other elements.
bool TextElementFramed(const Chart2D& chart, int element);
void ApplyTextFrame(Chart2D& chart, int element, bool framed);

// The position scroll bars: the top and left location (pixels) of the header
// (1) or the additional text (2) as the chart reports it, and setting them;
// other elements have none (nullopt, and setting changes nothing).
std::optional<int> TextElementTop(const Chart2D& chart, int element);
std::optional<int> TextElementLeft(const Chart2D& chart, int element);
void MoveTextElementTop(Chart2D& chart, int element, int top);
void MoveTextElementLeft(Chart2D& chart, int element, int left);

// "Backgr. Color": the background of the header (1) or the additional text (2).
void ApplyTextBackground(Chart2D& chart, int element, Rgb color);

// ---- right click on the chart -----------------------------------------------------------------

// The panel a right click opens for what lies under the mouse.
struct DesignTarget {
    enum class Panel { None, Curves, Points, Text, Diagram };
    enum class Field { None, Label, Legend };
    Panel panel = Panel::None;
    int index = 0;              // curve slot (Curves), point set (Points), text element (Text)
    Field field = Field::None;  // the box to give the focus on the tab
};
// A curve (slots 1 to 24) opens the curve panel on its tab, a point set the
// point panel on its tab; the header, the additional text and the X and Y axis
// titles the text panel; a curve label the curve panel with its label text; the
// legend the legend texts (of the entry's curve or point set when one is hit,
// else of the curves); the plot area, the chart area and the axes the Diagram
// Settings. The half-life marks, their marker texts and everything else: none.
DesignTarget DesignTargetFor(const HitResult& hit);

// ---- marker texts of the half-life marks --------------------------------------------------------

// The marker text (label 26 or 27) that a press on a half-life mark or on its
// text moves; 0 for anything else.
int MarkerLabelFor(const HitResult& hit);
// The text of a half-life mark's marker: "tau(A) = 4.62 s" (B for label 27).
std::string HalfLifeMarkerText(float tau, bool speziesB, const std::string& zeiteinheit, char dec);
// Shows marker text `label` (26 or 27) with `text` beside data point (x, y);
// also used while it is dragged. Other labels and non-finite positions change
// nothing.
void PlaceMarkerText(Chart2D& chart, int label, double x, double y, const std::string& text);

} // namespace kinhom
