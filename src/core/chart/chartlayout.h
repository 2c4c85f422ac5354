#pragma once
// Where every element of a chart lies at a given size: header, footer, legend,
// chart area and plot area, the axes with their numbers, ticks, grid lines and
// titles, the visible pieces of every series and the labels. The view draws from
// it and finds what lies under the mouse in it; the chart reads its automatic
// locations and margins from it. Coordinates are pixels (96 per inch) from the
// chart's top left corner, y downwards.

#include <string>
#include <string_view>
#include <vector>

#include "core/chart/axisscale.h"
#include "core/chart/chart2d.h"

namespace kinhom {

struct PointF {
    double x = 0;
    double y = 0;
};

struct RectF {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
    double right() const { return x + w; }
    double bottom() const { return y + h; }
    bool empty() const { return !(w > 0 && h > 0); }
    bool contains(double px, double py) const { return px >= x && px <= x + w && py >= y && py <= y + h; }
};

// Lines of text in a box. The lines fill a textWidth x textHeight block (before
// rotation) centred in the box; for a turned text (Rotation Up or Down) the box is
// the block turned a quarter.
struct TextBlock {
    bool shown = false;
    RectF box;
    std::vector<std::string> lines;
    double textWidth = 0;
    double textHeight = 0;
    double lineHeight = 0;
    int rotation = Rotation::Horizontal;
    int adjust = Adjust::Center;
};

struct AxisNumber {
    double value = 0;
    double pos = 0; // pixel position along the axis (x for X, y for Y and Y2)
    std::string text;
    RectF rect;
};

struct AxisLayout {
    bool shown = false;
    bool vertical = false; // Y and Y2
    AxisScale scale;
    double linePos = 0;    // the axis line: its y for X, its x for Y and Y2
    double numberLine = 0; // where the ticks and numbers stand (y for X, x for Y)
    double tickDir = 1;    // +1: ticks point down (X) or right (Y); -1: up or left
    std::vector<AxisNumber> numbers;
    std::vector<double> majorTicks; // pixel positions along the axis
    std::vector<double> minorTicks;
    std::vector<double> grid;
    TextBlock title;
};

// The visible part of one shown series.
struct SeriesLayout {
    int group = 1;
    int series = 1;
    std::vector<std::vector<PointF>> runs; // connected line pieces, clipped to the axis window
    std::vector<PointF> symbols;           // symbol centres inside the axis window
};

struct LegendEntry {
    int group = 1;
    int series = 1;
    RectF row;    // the whole entry
    RectF sample; // line sample / symbol
    RectF text;
    std::string label;
};

struct LegendLayout {
    bool shown = false;
    RectF box;
    TextBlock title;
    double lineHeight = 0;
    std::vector<LegendEntry> entries;
};

struct LabelLayout {
    int index = 0;
    RectF box;
    std::vector<std::string> lines;
    double lineHeight = 0;
    bool connected = false;
    PointF point; // the attachment point
};

struct ChartLayout {
    double width = 0;
    double height = 0;
    RectF inner; // inside the chart's border
    TextBlock header;
    TextBlock footer;
    RectF chartArea;
    RectF plot;             // the plot area (its margins as laid out even when it is too small)
    bool plotValid = false; // false when the chart is too small for a plot: nothing of it is drawn
    AxisLayout axes[3]; // X, Y, Y2
    std::vector<SeriesLayout> series; // in drawing order: group 1, then group 2
    LegendLayout legend;
    std::vector<LabelLayout> labels;
    std::vector<double> work; // working memory of ComputeLayout, kept for the next layout

    const AxisLayout& axis(AxisId id) const { return axes[static_cast<int>(id)]; }
    bool hasPlot() const { return plotValid; }
    // Pixel position of a data point on the X and Y axes; false when it cannot be
    // shown (not finite, not positive on a logarithmic axis, or no plot).
    bool toPixel(double x, double y, PointF& p) const;
    // Data coordinates (X and Y axes) of a pixel position; false without a plot.
    bool toData(double px, double py, double& x, double& y) const;
};

// Splits a text at CR LF, LF or CR.
std::vector<std::string> SplitLines(std::string_view text);
// True when the text holds something other than blanks and line breaks.
bool HasVisibleText(std::string_view text);
// A measure from the font size alone, for charts without a screen.
TextSize EstimateTextSize(std::string_view line, const FontSpec& font);

// Lays the chart out at width x height pixels. A measurer that is empty means
// EstimateTextSize.
ChartLayout ComputeLayout(const Chart2D& chart, double width, double height, const TextMeasurer& measure);
// The same into an existing layout, whose memory for the series' pieces is used
// again (a view that draws often keeps one layout and allocates no more for
// long curves).
void ComputeLayout(const Chart2D& chart, double width, double height, const TextMeasurer& measure, ChartLayout& into);

// What lies at a position.
struct HitResult {
    enum class Kind {
        None,      // outside the chart area and every element
        Curve,     // a series of group 1 (group, series, point: nearest point)
        PointSet,  // a series of group 2
        Header,
        Footer,
        AxisTitle, // axis says which
        Axis,      // the numbers or ticks of an axis
        Legend,    // group and series name the entry when the position is on one (else 0)
        Label,     // label says which
        PlotArea,
        ChartArea, // the chart area outside the plot area
    };
    Kind kind = Kind::None;
    int group = 0;
    int series = 0;
    int point = 0;
    AxisId axis = AxisId::X;
    int label = 0;
};

// Hit test on a layout; the chart gives the series styles (line widths, symbol sizes).
// Elements drawn on top win: legend, labels, header and footer, axis titles, then
// series (the nearest one within a few pixels of its line or symbol), the plot
// area, axis numbers, the chart area.
HitResult HitTest(const Chart2D& chart, const ChartLayout& layout, double x, double y);

} // namespace kinhom
