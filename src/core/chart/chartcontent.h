#pragma once
// The content layout of the chart window's chart, fixed for every chart the
// window shows:
//
//   group 1, series 1 to 24   curve slots (label i belongs to curve i)
//   group 1, series 25        two invisible points spanning the axis window
//   group 1, series 26, 27    half-life marks of A and B (labels 26, 27: their texts)
//   group 2, series 1 to 7    point sets c(A), c(B), c(C), c(P), c(Q), k-T, manual
//
// SetupChartContent gives a new chart this layout with its start styles; the
// other functions are the window's size and axis-window rules.

#include <string>

#include "core/chart/chart2d.h"
#include "core/shell/declare.h"
#include "core/shell/rgb.h"

namespace kinhom {

constexpr int kCurveSeries = 27;       // series of the curve group
constexpr int kAxisWindowSeries = 25;  // the series that spans the axis window
constexpr int kChartLabelCount = 27;   // labels 1..24 curves, 25 free text, 26/27 half-life texts

struct ChartContentOptions {
    Rgb vorwahlfarbe = RGB(0, 0, 255); // colour of every curve slot and point set
    bool wideScreen = true;            // screen at least 800 pixels wide: larger fonts
    std::string titel;                 // header
    std::string xTitel;
    std::string yTitel;
};

// The list position of point set j's style at the start: dots, circles,
// triangles, squares, stars, crosses, boxes for the sets 1 to 7.
constexpr int StartPointStyle(int set) { return set - 1; }

// Gives the chart its content layout and start design: 27 empty curve series
// (solid lines in the preset colour, no symbols, one empty legend text per curve
// slot), 7 empty point sets (no line, symbol size 6, the start symbols, one
// empty legend text each), border width 1, X and Y shown with their titles and
// Y2 hidden, white backgrounds, the labels 1 to 24 (black on white, attached to
// their curve) and 25 to 27 (bold, light red, hidden), the legend (vertical,
// framed) and the fonts ("ARIAL"; sizes by screen width).
void SetupChartContent(Chart2D& chart, const ChartContentOptions& options);

// The left position of a header `headerWidth` pixels wide centred over a plot
// area `areaWidth` pixels wide: rounded, at least 1.
int CenteredHeaderLeft(int areaWidth, int headerWidth);

// The window's size rule, in twips for the chart and pixels for the chart area
// and legend. A window 350 twips wide or less (680 high or less) shows no chart:
// that dimension is 0 and the area and legend values are not set (-1).
struct ChartSizeRule {
    int chartWidth = 0;   // twips
    int chartHeight = 0;  // twips
    int areaWidth = -1;   // pixels
    int legendLeft = -1;  // pixels
    int areaHeight = -1;  // pixels
    int legendTop = -1;   // pixels
};
ChartSizeRule ChartSizeFor(int windowWidth, int windowHeight, int statusBarHeight);

// The axis window of the diagram into the chart: both limit pairs of X and Y,
// the displayed window of Y2, and series 25 of the curve group with the two
// corner points (xMin, yMin) and (xMax, yMax).
void ApplyAxisWindow(Chart2D& chart, const DiagrammInfo& diagramm);

// Fits the places that were set in pixels (header, footer, legend and chart
// area locations, labels placed at a pixel position) to a chart drawn fx times
// as wide and fy times as high as the one they were set for, so that a chart
// printed or saved at another size keeps its arrangement: the chart area and
// pixel-placed labels scale; header, footer and legend keep the size of their
// text, the header and footer their horizontal centre in proportion (a header
// centred over the plot area stays centred), the legend its left edge, and none
// of them leaves the chart (chart.Width() and Height() are the new size).
// Automatic places are left to the layout. Factors that are not positive and
// finite change nothing.
void ScaleFixedLocations(Chart2D& chart, double fx, double fy);

// The measured point sets of the current diagram into group 2 (core/chart/exppoints.h):
// the sets 1 to 6 are refilled (those without points emptied), the manually
// added points of set 7 stay. Returns whether a point lies inside the axis window.
bool ShowMeasuredPoints(Chart2D& chart, const Declare& d);

// Whether measured data fit the current diagram for Add > Experimental points:
// a k-T diagram always; else a species in use (Stoffmuster "1") whose data
// exist, a lambda evaluation with lambda data, or a linearised concentration
// chart (Stoffmuster character 5 = "2").
bool MeasuredPointsFitDiagram(const Declare& d);

} // namespace kinhom
