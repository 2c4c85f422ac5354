#pragma once
// The chart component's object model: everything a chart shows, held without a
// screen. The chart window reads and writes it; ChartView (src/ui/chart/chartview.h)
// owns one (ChartView::chart()) and draws it on screen, into image files and onto
// paper (chartoutput.h); the diagram file (diagramfile.h) stores and restores it;
// chartlayout.h says where everything lies and what is under a position.
//
//   Chart2D
//   ├─ IsBatched              batch switch: changes are announced once, at its end
//   ├─ Border(), Interior()   the chart's own frame and background
//   ├─ Header(), Footer()     TitleBox: text (several lines), font, frame, colours, location
//   ├─ Legend()               LegendBox: shown, orientation, frame, colours, font, location
//   ├─ ChartArea()            ChartAreaBox: location, frame, colours
//   │   ├─ PlotArea()         PlotAreaBox: box flag, background, four margins (each automatic or not)
//   │   └─ Axes("X"/"Y"/"Y2") Axis: limits, title, numbering, origin, log flag, grid, spacings
//   ├─ ChartGroups(1), (2)    ChartGroup: 1 = curves, 2 = point sets
//   │   ├─ Data()             ChartData: NumSeries, NumPoints(s), X(s, p), Y(s, p), Display(s), IsBatched
//   │   ├─ Styles(s)          SeriesStyle: LineStyle() (Pattern, Color, Width), SymbolStyle() (Shape, Color, Size)
//   │   └─ SeriesLabels()     legend texts of the series
//   └─ ChartLabels()          LabelList of ChartLabel: free or attached to a data point
//
// Rules that hold everywhere:
// - A property Name is read with Name() and written with setName(value); parts
//   are reached by reference (chart.Header().Border().setType(BorderType::Plain)).
// - Indices start at 1: series 1..NumSeries, points 1..NumPoints, labels 1..Count,
//   groups 1 and 2. An index outside its range never crashes: reading gives 0 (or
//   the default), writing is ignored, and Styles(s), ChartGroups(g), Axes(name)
//   and ChartLabels(n) hand out a detached scratch object whose writes go nowhere.
// - Every property reads back exactly as it was set (codes outside the known
//   ranges included; the view draws unknown codes in a sound default way). The
//   exceptions are the automatic values: a location, margin, axis limit, spacing
//   or origin whose automatic flag is on reads as the value the chart computes.
// - Each change tells the chart's listeners, at once when no batch is open, or
//   once when the outermost batch (the chart's IsBatched or a group's data batch
//   switch) ends. Listeners run on the caller's thread (the chart is not shared
//   between threads).
//
// A new chart: white backgrounds, no chart border, header (DejaVu Sans 12 bold)
// and footer (9) on a transparent background, X and Y axes shown (Y2 hidden)
// with light grey solid grids, automatic limits, spacings, locations and margins,
// origins and numbering at the axis minimum, the plot area boxed, the legend
// framed at the right edge, no series and no labels.
//
// Codes (int properties) are those of the structs LinePattern, SymbolShape,
// DisplayState, BorderType, Orientation, Rotation, NumberingPlacement,
// OriginPlacement, AttachMethod, Anchor and Adjust below.
//
// Example (the drawing of one curve into series 3 of the curve group):
//   Chart2D::Batch batch(chart);                 // one repaint at the end
//   ChartData& d = chart.ChartGroups(1).Data();
//   d.setNumPoints(3, n);
//   for (int i = 1; i <= n; ++i) { d.setX(3, i, x[i]); d.setY(3, i, y[i]); }
//   d.setDisplay(3, DisplayState::Shown);
//   chart.ChartGroups(1).Styles(3).LineStyle().setColor(RGB(0, 0, 255));

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/shell/rgb.h"

namespace kinhom {

// ---- codes ---------------------------------------------------------------------

// Line patterns of series lines and grid lines.
struct LinePattern {
    enum : int { None = 1, Solid = 2, Dashed = 3, Dotted = 4, LongDash = 5, ShortDash = 6, DashDot = 7 };
};

// Symbol shapes. Dot, Box, Triangle and Diamond are filled; Circle and Square are
// open outlines; Star, VerticalLine, HorizontalLine and Cross (x) are strokes.
struct SymbolShape {
    enum : int {
        None = 1, Dot = 2, Box = 3, Triangle = 4, Diamond = 5, Star = 6,
        VerticalLine = 7, HorizontalLine = 8, Cross = 9, Circle = 10, Square = 11
    };
};

// Display state of a series. Shown: drawn and listed in the legend. Hidden: not
// drawn and not listed, but its points still count for automatic axis limits.
// Excluded: not drawn, not listed, not counted.
struct DisplayState {
    enum : int { Shown = 1, Hidden = 2, Excluded = 3 };
};

// Frame of the chart, the chart area, header, footer, legend and labels.
// Codes other than these are drawn as Plain.
struct BorderType {
    enum : int { None = 0, Raised3D = 1, Lowered3D = 2, Shadow = 3, Plain = 4, Etched = 9 };
};

// Legend orientation.
struct Orientation {
    enum : int { Vertical = 1, Horizontal = 2 };
};

// Rotation of axis titles and axis numbering: Horizontal, Up (turned a quarter
// left, read from bottom to top), Down (turned a quarter right).
struct Rotation {
    enum : int { Horizontal = 1, Up = 2, Down = 3 };
};

// Where an axis carries its numbers: beside the axis line (wherever the axis
// crosses), at the minimum side of the plot (below it for X, left of it for Y)
// or at the maximum side (above / right).
struct NumberingPlacement {
    enum : int { AtAxis = 1, Minimum = 2, Maximum = 3 };
};

// Where the crossing axis stands on this axis: at zero (clamped into the axis
// window), at the axis minimum, at the maximum, or at the axis's Origin value.
// For axis X the origin is the x at which the Y axis line stands.
struct OriginPlacement {
    enum : int { Zero = 1, Minimum = 2, Maximum = 3, Value = 4 };
};

// How a chart label is placed: at a pixel position of the chart (AttachCoordX/Y,
// from the chart's top left corner), at a data position (AttachDataX/Y, in axis
// units of X and Y), or at a point of a series (AttachGroup/Series/Point).
struct AttachMethod {
    enum : int { Coord = 1, DataCoord = 2, DataIndex = 3 };
};

// Where a label's box sits relative to its attachment point.
struct Anchor {
    enum : int { North = 1, NorthEast, East, SouthEast, South, SouthWest, West, NorthWest, Center };
};

// Alignment of the lines of a multi-line text.
struct Adjust {
    enum : int { Left = 1, Center = 2, Right = 3 };
};

// A font as the chart stores it (size in points). Families that are not
// installed fall back to the look's sans-serif family when drawn.
struct FontSpec {
    std::string Name = "DejaVu Sans";
    float Size = 10.0f;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    bool operator==(const FontSpec&) const = default;
};

class Chart2D;
class DiagramCodec;
struct ChartLayout;
struct AxisScale;
struct TextSize;

// ---- base of all parts -------------------------------------------------------------

// A part of a chart that reports its changes to the chart. Copying or moving a
// part copies its values but never its binding: the chart binds its own parts.
class ChartNode {
public:
    ChartNode() = default;
    ChartNode(const ChartNode&) {}
    ChartNode(ChartNode&&) noexcept {}
    ChartNode& operator=(const ChartNode&) { return *this; }
    ChartNode& operator=(ChartNode&&) noexcept { return *this; }
    bool operator==(const ChartNode&) const { return true; }

protected:
    ~ChartNode() = default;
    void changed() const;
    Chart2D* chart_ = nullptr;
    friend class Chart2D;
};

// A plain property: getter Name(), setter setName(value). Setting an equal value
// changes nothing and tells nobody.
#define KINHOM_CHART_PROPERTY(Type, Name, Init)                                                   \
public:                                                                                           \
    const Type& Name() const { return Name##_; }                                                  \
    void set##Name(const Type& value)                                                             \
    {                                                                                             \
        if (!(Name##_ == value)) {                                                                \
            Name##_ = value;                                                                      \
            changed();                                                                            \
        }                                                                                         \
    }                                                                                             \
                                                                                                  \
private:                                                                                          \
    Type Name##_ = Init;                                                                          \
                                                                                                  \
public:

// ---- small formats ---------------------------------------------------------------

// A frame: its type (BorderType) and width in pixels.
class BorderFormat : public ChartNode {
    KINHOM_CHART_PROPERTY(int, Type, BorderType::None)
    KINHOM_CHART_PROPERTY(int, Width, 1)
public:
    bool operator==(const BorderFormat&) const = default;
private:
    friend class DiagramCodec;
};

// Colours of an element's inside: background and foreground (text, lines). A
// transparent background lets what lies below show through; setting a background
// colour makes the background opaque again. The colour stays readable while the
// background is transparent.
class InteriorFormat : public ChartNode {
public:
    const Rgb& BackgroundColor() const { return BackgroundColor_; }
    void setBackgroundColor(const Rgb& c);
    bool IsTransparent() const { return IsTransparent_; }
    void setTransparent(bool on);
    KINHOM_CHART_PROPERTY(Rgb, ForegroundColor, RGB(0, 0, 0))
public:
    bool operator==(const InteriorFormat&) const = default;
private:
    Rgb BackgroundColor_ = RGB(255, 255, 255);
    bool IsTransparent_ = false;
    friend class DiagramCodec;
    friend class Chart2D;
};

// Style of a line (series line or grid line): pattern (LinePattern), colour,
// width in pixels.
class LineFormat : public ChartNode {
    KINHOM_CHART_PROPERTY(int, Pattern, LinePattern::Solid)
    KINHOM_CHART_PROPERTY(Rgb, Color, RGB(0, 0, 0))
    KINHOM_CHART_PROPERTY(int, Width, 1)
public:
    bool operator==(const LineFormat&) const = default;
private:
    friend class DiagramCodec;
};

// Style of a series' symbols: shape (SymbolShape), colour, size in pixels (drawn
// at least 3 pixels wide so that a symbol never vanishes).
class SymbolFormat : public ChartNode {
    KINHOM_CHART_PROPERTY(int, Shape, SymbolShape::None)
    KINHOM_CHART_PROPERTY(Rgb, Color, RGB(0, 0, 0))
    KINHOM_CHART_PROPERTY(int, Size, 6)
public:
    bool operator==(const SymbolFormat&) const = default;
private:
    friend class DiagramCodec;
};

// An int value that is either set or computed by the chart.
struct AutoInt {
    int value = 0;
    bool isAuto = true;
    bool operator==(const AutoInt&) const = default;
};

// A double value that is either set or computed by the chart.
struct AutoDouble {
    double value = 0;
    bool isAuto = true;
    bool operator==(const AutoDouble& o) const
    {
        return isAuto == o.isAuto && (value == o.value || (value != value && o.value != o.value));
    }
};

// Position and size in pixels of header, footer, legend or chart area, measured
// from the chart's top left corner. Each of the four is automatic (laid out by
// the chart, the value read is the one of the current layout) until it is set;
// setting a value switches its automatic flag off, setting the flag on again
// gives the coordinate back to the layout.
class LocationFormat : public ChartNode {
public:
    enum class Owner { None, Header, Footer, Legend, ChartArea };

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int v) { set(Left_, v); }
    void setTop(int v) { set(Top_, v); }
    void setWidth(int v) { set(Width_, v); }
    void setHeight(int v) { set(Height_, v); }
    bool LeftAuto() const { return Left_.isAuto; }
    bool TopAuto() const { return Top_.isAuto; }
    bool WidthAuto() const { return Width_.isAuto; }
    bool HeightAuto() const { return Height_.isAuto; }
    void setLeftAuto(bool on) { setAuto(Left_, on); }
    void setTopAuto(bool on) { setAuto(Top_, on); }
    void setWidthAuto(bool on) { setAuto(Width_, on); }
    void setHeightAuto(bool on) { setAuto(Height_, on); }

    // The stored values (what was last set), whatever the automatic flags say.
    const AutoInt& StoredLeft() const { return Left_; }
    const AutoInt& StoredTop() const { return Top_; }
    const AutoInt& StoredWidth() const { return Width_; }
    const AutoInt& StoredHeight() const { return Height_; }

    bool operator==(const LocationFormat& o) const
    {
        return Left_ == o.Left_ && Top_ == o.Top_ && Width_ == o.Width_ && Height_ == o.Height_;
    }

private:
    void set(AutoInt& a, int v);
    void setAuto(AutoInt& a, bool on);
    int computed(int which) const;
    AutoInt Left_, Top_, Width_, Height_;
    Owner owner_ = Owner::None;
    friend class DiagramCodec;
    friend class Chart2D;
};

// ---- header, footer, legend --------------------------------------------------------

// Header or footer: a text of one or more lines (separated by CR LF, LF or CR),
// shown when IsShowing and the text is not empty. Automatic location: the header
// centred at the top, the footer centred at the bottom of the chart.
class TitleBox : public ChartNode {
    KINHOM_CHART_PROPERTY(std::string, Text, "")
    KINHOM_CHART_PROPERTY(bool, IsShowing, true)
    KINHOM_CHART_PROPERTY(int, Adjust, ::kinhom::Adjust::Center)
    KINHOM_CHART_PROPERTY(FontSpec, Font, FontSpec{})
public:
    BorderFormat& Border() { return border_; }
    const BorderFormat& Border() const { return border_; }
    InteriorFormat& Interior() { return interior_; }
    const InteriorFormat& Interior() const { return interior_; }
    LocationFormat& Location() { return location_; }
    const LocationFormat& Location() const { return location_; }
    bool operator==(const TitleBox&) const = default;

private:
    BorderFormat border_;
    InteriorFormat interior_;
    LocationFormat location_;
    friend class DiagramCodec;
    friend class Chart2D;
};

// The legend: one entry per shown series whose legend text (series label) is not
// blank, curves (group 1) first, each drawn as a line sample (and its symbol when
// it has one), point sets as their symbol. Text is an optional title line.
// Automatic location: a vertical legend at the right edge, centred vertically; a
// horizontal one (entries in rows) centred at the bottom, above a footer there.
// A legend without entries is not drawn.
class LegendBox : public ChartNode {
    KINHOM_CHART_PROPERTY(bool, IsShowing, true)
    KINHOM_CHART_PROPERTY(std::string, Text, "")
    KINHOM_CHART_PROPERTY(int, Orientation, ::kinhom::Orientation::Vertical)
    KINHOM_CHART_PROPERTY(FontSpec, Font, FontSpec{})
public:
    BorderFormat& Border() { return border_; }
    const BorderFormat& Border() const { return border_; }
    InteriorFormat& Interior() { return interior_; }
    const InteriorFormat& Interior() const { return interior_; }
    LocationFormat& Location() { return location_; }
    const LocationFormat& Location() const { return location_; }
    bool operator==(const LegendBox&) const = default;

private:
    BorderFormat border_;
    InteriorFormat interior_;
    LocationFormat location_;
    friend class DiagramCodec;
    friend class Chart2D;
};

// ---- axes -------------------------------------------------------------------------

enum class AxisId { X = 0, Y = 1, Y2 = 2 };

// A grid, tick or numbering spacing of an axis (in axis units on a linear axis, in
// decades on a logarithmic one). While IsAuto, Value() is the spacing the chart
// computes from the axis window (1, 2 or 5 times a power of ten giving about 5 to
// 10 numbered values; whole decades on a logarithmic axis), and setValue() stores
// the value but keeps the automatic flag. Switching the flag off keeps the
// computed value as the set one (the chart looks the same until a value is set).
// A set value that is 0, negative, not finite or so small that it would give more
// than about 1000 lines reads back as set but is drawn as the automatic spacing.
class AxisSpacing : public ChartNode {
public:
    enum class Kind { Grid, Tick, Numbering };
    double Value() const;
    void setValue(double v);
    bool IsAuto() const { return v_.isAuto; }
    void setAuto(bool on);
    const AutoDouble& Stored() const { return v_; }
    bool operator==(const AxisSpacing& o) const { return v_ == o.v_; }

private:
    AutoDouble v_;
    AxisId axis_ = AxisId::X;
    Kind kind_ = Kind::Grid;
    friend class DiagramCodec;
    friend class Chart2D;
    friend class Axis;
};

// An axis title: text (several lines allowed), font, rotation (Rotation).
class AxisTitle : public ChartNode {
    KINHOM_CHART_PROPERTY(std::string, Text, "")
    KINHOM_CHART_PROPERTY(FontSpec, Font, FontSpec{})
    KINHOM_CHART_PROPERTY(int, Rotation, ::kinhom::Rotation::Horizontal)
public:
    bool operator==(const AxisTitle&) const = default;
private:
    friend class DiagramCodec;
};

// One axis of the chart area.
//
// Limits: two pairs. Min/Max is the window the axis shows. DataMin/DataMax is the
// data range that an automatic window is made from: automatic DataMin/DataMax are
// the extents of the points of all series that are not excluded (positive points
// only on a logarithmic axis), and an automatic Min/Max is DataMin/DataMax widened
// to whole numbering steps. Setting any of the four switches its automatic flag
// off; switching a flag off keeps the value in effect as the set one. The Y2 axis
// has no series of its own: its automatic Min/Max is the Y axis's window.
//
// A window that cannot be shown as set is shown as the nearest sound one (the
// values still read back as set): not finite -> the other limit's neighbourhood or
// 0..1; inverted -> swapped; empty -> widened; on a logarithmic axis a window that
// reaches 0 or below shows the decades of its positive part (from the smallest
// positive data value, at most 12 decades below the maximum), or 1..10 when it
// has none. Scale() of the chart gives the window and spacings actually drawn.
class Axis : public ChartNode {
public:
    explicit Axis(AxisId id = AxisId::X);

    double Min() const;
    double Max() const;
    void setMin(double v) { setAutoDouble(Min_, v); }
    void setMax(double v) { setAutoDouble(Max_, v); }
    bool MinAuto() const { return Min_.isAuto; }
    bool MaxAuto() const { return Max_.isAuto; }
    void setMinAuto(bool on) { setAutoFlag(Min_, on); }
    void setMaxAuto(bool on) { setAutoFlag(Max_, on); }

    double DataMin() const;
    double DataMax() const;
    void setDataMin(double v) { setAutoDouble(DataMin_, v); }
    void setDataMax(double v) { setAutoDouble(DataMax_, v); }
    bool DataMinAuto() const { return DataMin_.isAuto; }
    bool DataMaxAuto() const { return DataMax_.isAuto; }
    void setDataMinAuto(bool on) { setAutoFlag(DataMin_, on); }
    void setDataMaxAuto(bool on) { setAutoFlag(DataMax_, on); }

    KINHOM_CHART_PROPERTY(bool, IsShowing, true)
    KINHOM_CHART_PROPERTY(bool, IsLogarithmic, false)
    KINHOM_CHART_PROPERTY(FontSpec, NumberingFont, FontSpec{})
    KINHOM_CHART_PROPERTY(int, NumberingRotation, ::kinhom::Rotation::Horizontal)
    KINHOM_CHART_PROPERTY(int, NumberingPlacement, ::kinhom::NumberingPlacement::Minimum)
    KINHOM_CHART_PROPERTY(int, OriginPlacement, ::kinhom::OriginPlacement::Minimum)
public:
    // The value on this axis where the crossing axis stands. With the placement
    // Value it is the value set here; otherwise it reads as the position the
    // placement gives (minimum, maximum or zero clamped into the window).
    // setOrigin stores the value and leaves the placement as it is.
    double Origin() const;
    void setOrigin(double v);

    AxisTitle& Title() { return title_; }
    const AxisTitle& Title() const { return title_; }
    // Pattern, colour and width of the grid lines drawn across the plot area at
    // the grid spacing (lines perpendicular to this axis). Pattern None: no grid.
    // An axis that is not showing draws no grid either.
    LineFormat& GridStyle() { return grid_; }
    const LineFormat& GridStyle() const { return grid_; }
    AxisSpacing& GridSpacing() { return gridSpacing_; }
    const AxisSpacing& GridSpacing() const { return gridSpacing_; }
    AxisSpacing& TickSpacing() { return tickSpacing_; }
    const AxisSpacing& TickSpacing() const { return tickSpacing_; }
    AxisSpacing& NumSpacing() { return numSpacing_; }
    const AxisSpacing& NumSpacing() const { return numSpacing_; }

    AxisId Id() const { return id_; }
    const AutoDouble& StoredMin() const { return Min_; }
    const AutoDouble& StoredMax() const { return Max_; }
    const AutoDouble& StoredDataMin() const { return DataMin_; }
    const AutoDouble& StoredDataMax() const { return DataMax_; }
    double StoredOrigin() const { return Origin_; }

    bool operator==(const Axis& o) const;

private:
    void setAutoDouble(AutoDouble& a, double v);
    void setAutoFlag(AutoDouble& a, bool on);
    AxisId id_;
    AutoDouble Min_, Max_, DataMin_, DataMax_;
    double Origin_ = 0;
    AxisTitle title_;
    LineFormat grid_;
    AxisSpacing gridSpacing_, tickSpacing_, numSpacing_;
    friend class DiagramCodec;
    friend class Chart2D;
};

// ---- chart area and plot area ------------------------------------------------------

// The four margins in pixels between the chart area's edge and the plot area (the
// data rectangle); they hold the axis numbering and titles. Each is automatic
// (fitted to the numbering and titles; the value read is the current layout's)
// until it is set; setting a margin switches its automatic flag off.
class MarginSet : public ChartNode {
public:
    int Top() const { return value(Top_, 0); }
    int Bottom() const { return value(Bottom_, 1); }
    int Left() const { return value(Left_, 2); }
    int Right() const { return value(Right_, 3); }
    void setTop(int v) { set(Top_, v); }
    void setBottom(int v) { set(Bottom_, v); }
    void setLeft(int v) { set(Left_, v); }
    void setRight(int v) { set(Right_, v); }
    bool TopAuto() const { return Top_.isAuto; }
    bool BottomAuto() const { return Bottom_.isAuto; }
    bool LeftAuto() const { return Left_.isAuto; }
    bool RightAuto() const { return Right_.isAuto; }
    void setTopAuto(bool on) { setAuto(Top_, on); }
    void setBottomAuto(bool on) { setAuto(Bottom_, on); }
    void setLeftAuto(bool on) { setAuto(Left_, on); }
    void setRightAuto(bool on) { setAuto(Right_, on); }
    const AutoInt& StoredTop() const { return Top_; }
    const AutoInt& StoredBottom() const { return Bottom_; }
    const AutoInt& StoredLeft() const { return Left_; }
    const AutoInt& StoredRight() const { return Right_; }

    bool operator==(const MarginSet& o) const
    {
        return Top_ == o.Top_ && Bottom_ == o.Bottom_ && Left_ == o.Left_ && Right_ == o.Right_;
    }

private:
    int value(const AutoInt& a, int which) const;
    void set(AutoInt& a, int v);
    void setAuto(AutoInt& a, bool on);
    AutoInt Top_, Bottom_, Left_, Right_;
    friend class DiagramCodec;
};

// The plot area: the data rectangle. IsBoxed draws a frame around it in the chart
// area's foreground colour. Its interior's background fills it (its foreground is
// not used).
class PlotAreaBox : public ChartNode {
    KINHOM_CHART_PROPERTY(bool, IsBoxed, true)
public:
    InteriorFormat& Interior() { return interior_; }
    const InteriorFormat& Interior() const { return interior_; }
    MarginSet& Margins() { return margins_; }
    const MarginSet& Margins() const { return margins_; }
    bool operator==(const PlotAreaBox&) const = default;

private:
    InteriorFormat interior_;
    MarginSet margins_;
    friend class DiagramCodec;
    friend class Chart2D;
};

// The chart area: the plot area with its margins (axes, numbering, titles). Its
// interior's foreground colours the axis lines, ticks, numbers, titles and the
// plot-area box. Automatic location: the chart without header, footer and
// (automatically placed) legend.
class ChartAreaBox : public ChartNode {
public:
    ChartAreaBox();
    BorderFormat& Border() { return border_; }
    const BorderFormat& Border() const { return border_; }
    InteriorFormat& Interior() { return interior_; }
    const InteriorFormat& Interior() const { return interior_; }
    LocationFormat& Location() { return location_; }
    const LocationFormat& Location() const { return location_; }
    PlotAreaBox& PlotArea() { return plot_; }
    const PlotAreaBox& PlotArea() const { return plot_; }

    // "X", "Y" or "Y2" (case does not matter); any other name gives a detached
    // scratch axis.
    Axis& Axes(std::string_view name);
    const Axis& Axes(std::string_view name) const;
    Axis& Axes(AxisId id) { return axes_[static_cast<int>(id)]; }
    const Axis& Axes(AxisId id) const { return axes_[static_cast<int>(id)]; }

    bool operator==(const ChartAreaBox& o) const
    {
        return border_ == o.border_ && interior_ == o.interior_ && location_ == o.location_ && plot_ == o.plot_ &&
               axes_[0] == o.axes_[0] && axes_[1] == o.axes_[1] && axes_[2] == o.axes_[2];
    }

private:
    BorderFormat border_;
    InteriorFormat interior_;
    LocationFormat location_;
    PlotAreaBox plot_;
    Axis axes_[3];
    mutable Axis scratch_;
    friend class DiagramCodec;
    friend class Chart2D;
};

// ---- series ------------------------------------------------------------------------

// The style of one series: its line and its symbols.
class SeriesStyle : public ChartNode {
public:
    LineFormat& LineStyle() { return line_; }
    const LineFormat& LineStyle() const { return line_; }
    SymbolFormat& SymbolStyle() { return symbol_; }
    const SymbolFormat& SymbolStyle() const { return symbol_; }
    bool operator==(const SeriesStyle&) const = default;

private:
    LineFormat line_;
    SymbolFormat symbol_;
    friend class DiagramCodec;
    friend class Chart2D;
};

// Limits of the object model (larger requests are clamped to them).
constexpr int kChartMaxSeries = 1000;
constexpr int kChartMaxPoints = 1 << 22;
constexpr int kChartMaxLabels = 1000;

// The data of a chart group: NumSeries series of NumPoints(s) points each. The
// chart shows exactly the points 1..NumPoints(s) of a series; points whose x or
// y is not finite (and, on a logarithmic axis, not positive) are skipped and
// break the series' line there.
class ChartData : public ChartNode {
public:
    int NumSeries() const { return static_cast<int>(series_.size()); }
    // Adds series (with the group's default style, shown, no points) or removes
    // them from the end. Clamped to 0..kChartMaxSeries.
    void setNumSeries(int n);

    int NumPoints(int s) const;
    // Lengthens the series with points (0, 0) or shortens it from the end; the
    // values of the points kept are kept. Clamped to 0..kChartMaxPoints.
    void setNumPoints(int s, int n);

    double X(int s, int p) const;
    double Y(int s, int p) const;
    // The x (y) values of points 1..NumPoints(s) of series s as one array, for
    // readers of whole series; null when s is not a series.
    const double* XValues(int s) const { return valid(s) ? series_[s - 1].x.data() : nullptr; }
    const double* YValues(int s) const { return valid(s) ? series_[s - 1].y.data() : nullptr; }
    void setX(int s, int p, double v);
    void setY(int s, int p, double v);
    // All points of series s at once: NumPoints(s) := n, X and Y from the arrays.
    void setPoints(int s, const double* x, const double* y, int n);

    // DisplayState of series s (1 shown, 2 hidden, 3 excluded).
    int Display(int s) const;
    void setDisplay(int s, int state);

    // The data batch switch: like the chart's IsBatched, it holds the change
    // announcements back until it (and every other open batch) ends.
    bool IsBatched() const { return batchDepth_ > 0; }
    void setIsBatched(bool on);

    bool operator==(const ChartData& o) const;

private:
    struct Series {
        std::vector<double> x, y;
        int display = DisplayState::Shown;
        SeriesStyle style;
        bool operator==(const Series& o) const;
    };
    bool valid(int s) const { return s >= 1 && s <= NumSeries(); }
    bool valid(int s, int p) const { return valid(s) && p >= 1 && p <= static_cast<int>(series_[s - 1].x.size()); }
    std::vector<Series> series_;
    int group_ = 1;
    int batchDepth_ = 0;
    friend class ChartGroup;
    friend class DiagramCodec;
    friend class Chart2D;
};

// The legend texts of a group's series: item n is the legend text of series n.
// The list is kept apart from the series, as the chart window keeps it (it adds
// an empty item per new curve slot); a series beyond the list has no legend text.
class SeriesLabelList : public ChartNode {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Text of item n; "" outside 1..Count.
    const std::string& Item(int n) const;
    // Ignored outside 1..Count.
    void setItem(int n, const std::string& text);
    // Appends an item (up to kChartMaxSeries items) and returns its index, or 0.
    int Add(const std::string& text = "");
    void Remove(int n);
    void RemoveAll();
    bool operator==(const SeriesLabelList& o) const { return items_ == o.items_; }

private:
    std::vector<std::string> items_;
    friend class DiagramCodec;
};

// A chart group: 1 holds the curves, 2 the point sets. New series of group 1 get
// a solid line and no symbol, those of group 2 no line and a symbol; both in a
// colour of the default palette.
class ChartGroup : public ChartNode {
public:
    ChartData& Data() { return data_; }
    const ChartData& Data() const { return data_; }
    // Style of series s (1..NumSeries); a detached scratch style outside.
    SeriesStyle& Styles(int s);
    const SeriesStyle& Styles(int s) const;
    SeriesLabelList& SeriesLabels() { return labels_; }
    const SeriesLabelList& SeriesLabels() const { return labels_; }
    int Index() const { return data_.group_; }
    bool operator==(const ChartGroup& o) const { return data_ == o.data_ && labels_ == o.labels_; }

private:
    ChartData data_;
    SeriesLabelList labels_;
    mutable SeriesStyle scratch_;
    friend class DiagramCodec;
    friend class Chart2D;
};

// ---- chart labels ------------------------------------------------------------------

// A text label. Attached to a series point (AttachMethod DataIndex) it follows
// that point; a point index outside the series is taken as its first or last
// point, and a label whose series is not shown, has no points or whose point lies
// outside the axis window is not drawn. Anchor says where the box sits relative
// to the attachment point, Offset its distance in pixels, IsConnected draws a
// thin line from the point to the box.
class ChartLabel : public ChartNode {
    KINHOM_CHART_PROPERTY(std::string, Text, "")
    KINHOM_CHART_PROPERTY(bool, IsShowing, true)
    KINHOM_CHART_PROPERTY(int, AttachMethod, ::kinhom::AttachMethod::Coord)
    KINHOM_CHART_PROPERTY(int, AttachCoordX, 0)
    KINHOM_CHART_PROPERTY(int, AttachCoordY, 0)
    KINHOM_CHART_PROPERTY(double, AttachDataX, 0.0)
    KINHOM_CHART_PROPERTY(double, AttachDataY, 0.0)
    KINHOM_CHART_PROPERTY(int, AttachGroup, 1)
    KINHOM_CHART_PROPERTY(int, AttachSeries, 1)
    KINHOM_CHART_PROPERTY(int, AttachPoint, 1)
    KINHOM_CHART_PROPERTY(int, Anchor, ::kinhom::Anchor::NorthEast)
    KINHOM_CHART_PROPERTY(int, Offset, 8)
    KINHOM_CHART_PROPERTY(bool, IsConnected, true)
    KINHOM_CHART_PROPERTY(int, Adjust, ::kinhom::Adjust::Left)
    KINHOM_CHART_PROPERTY(FontSpec, Font, FontSpec{})
public:
    ChartLabel();
    BorderFormat& Border() { return border_; }
    const BorderFormat& Border() const { return border_; }
    InteriorFormat& Interior() { return interior_; }
    const InteriorFormat& Interior() const { return interior_; }
    bool operator==(const ChartLabel& o) const;

private:
    BorderFormat border_;
    InteriorFormat interior_;
    friend class DiagramCodec;
    friend class Chart2D;
};

// The chart's labels, 1..Count. Item(n) outside 1..Count gives a detached scratch
// label: create labels first with setCount or Add.
class LabelList : public ChartNode {
public:
    int Count() const { return static_cast<int>(labels_.size()); }
    // Adds default labels or removes labels from the end (0..kChartMaxLabels).
    void setCount(int n);
    // Appends a default label and returns it (the scratch label when full).
    ChartLabel& Add();
    void Remove(int n);
    void RemoveAll() { setCount(0); }
    ChartLabel& Item(int n);
    const ChartLabel& Item(int n) const;
    bool operator==(const LabelList& o) const { return labels_ == o.labels_; }

private:
    std::vector<ChartLabel> labels_;
    mutable ChartLabel scratch_;
    friend class DiagramCodec;
    friend class Chart2D;
};

// ---- the chart ---------------------------------------------------------------------

// Measures one line of text in a font: width and line height in pixels (96 per
// inch). The view installs one that asks the real fonts; without it the chart
// estimates from the font size.
struct TextSize {
    double width = 0;
    double height = 0;
};
using TextMeasurer = std::function<TextSize(std::string_view line, const FontSpec& font)>;

class Chart2D {
public:
    Chart2D();
    ~Chart2D();
    Chart2D(const Chart2D&) = delete;
    Chart2D& operator=(const Chart2D&) = delete;

    // ---- batch switch and change announcements ------------------------------
    // IsBatched: true while a batch is open. Batches nest: each setIsBatched(true)
    // opens one, each setIsBatched(false) closes one (a close with none open does
    // nothing). When the last open batch (of the chart or of a group's data)
    // closes and something changed inside, the listeners are told once.
    bool IsBatched() const { return batchDepth_ > 0; }
    void setIsBatched(bool on);

    // Opens a batch for its lifetime.
    class Batch {
    public:
        explicit Batch(Chart2D& c) : c_(c) { c_.setIsBatched(true); }
        ~Batch() { c_.setIsBatched(false); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Chart2D& c_;
    };

    using Listener = std::function<void()>;
    // Returns an id for removeListener. A listener may read and change the chart;
    // changes it makes are announced once more after all listeners have run.
    int addListener(Listener listener);
    void removeListener(int id);

    // Counts every change (also those inside batches); a reader can tell whether
    // anything changed since it last looked.
    std::uint64_t Revision() const { return revision_; }

    // ---- parts ----------------------------------------------------------------
    BorderFormat& Border() { return c_.border; }
    const BorderFormat& Border() const { return c_.border; }
    InteriorFormat& Interior() { return c_.interior; }
    const InteriorFormat& Interior() const { return c_.interior; }
    TitleBox& Header() { return c_.header; }
    const TitleBox& Header() const { return c_.header; }
    TitleBox& Footer() { return c_.footer; }
    const TitleBox& Footer() const { return c_.footer; }
    LegendBox& Legend() { return c_.legend; }
    const LegendBox& Legend() const { return c_.legend; }
    ChartAreaBox& ChartArea() { return c_.area; }
    const ChartAreaBox& ChartArea() const { return c_.area; }
    // Group 1 (curves) or 2 (point sets); a detached scratch group otherwise.
    ChartGroup& ChartGroups(int g);
    const ChartGroup& ChartGroups(int g) const;
    LabelList& ChartLabels() { return c_.labels; }
    const LabelList& ChartLabels() const { return c_.labels; }
    ChartLabel& ChartLabels(int n) { return c_.labels.Item(n); }
    const ChartLabel& ChartLabels(int n) const { return c_.labels.Item(n); }

    // ---- size and layout --------------------------------------------------------
    // The chart's size in pixels, as the view shows it (the automatic locations and
    // margins read back are those of a chart of this size). Default 640 x 480.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void setSize(int width, int height);
    void setTextMeasurer(TextMeasurer measurer);
    const TextMeasurer& Measurer() const { return measurer_; }

    // The layout of the chart at its size (computed when first asked after a
    // change; the reference is good until the next change).
    const ChartLayout& Layout() const;
    // The window, spacings and numbered values an axis is drawn with.
    const AxisScale& Scale(AxisId axis) const;

    // The point index a label attached to a series point is drawn at: its
    // AttachPoint clamped to 1..NumPoints of its series; 0 when the label is not
    // attached to a point or its series does not exist or has no points.
    int LabelPointIndex(int label) const;

    // ---- whole content ----------------------------------------------------------
    // Replaces everything the chart shows (data and design) by other's, as one
    // change. Listeners, batches, size and measurer stay.
    void assignContent(const Chart2D& other);
    // Back to a new chart's content.
    void resetContent();
    // True when data and design are the same (points compared exactly; NaN equals NaN).
    bool sameContent(const Chart2D& other) const { return c_ == other.c_; }

    // Called by the parts when a value changes.
    void noteChange();
    // Called by the data batch switches.
    void openDeferral() { ++deferDepth_; }
    void closeDeferral();

private:
    struct Content {
        BorderFormat border;
        InteriorFormat interior;
        TitleBox header, footer;
        LegendBox legend;
        ChartAreaBox area;
        ChartGroup groups[2];
        LabelList labels;
        bool operator==(const Content&) const = default;
    };
    struct Extents {
        double min = std::numeric_limits<double>::quiet_NaN();
        double max = std::numeric_limits<double>::quiet_NaN();
        double posMin = std::numeric_limits<double>::quiet_NaN();
        double posMax = std::numeric_limits<double>::quiet_NaN();
    };
    Extents dataExtents(bool onX) const;
    void initContent();
    void bindAll();
    void bind(ChartNode& n) { n.chart_ = this; }
    void bindSeries(ChartData& d);
    void bindLabels(LabelList& l);
    void announce();

    Content c_;
    mutable ChartGroup scratchGroup_;
    int batchDepth_ = 0;
    int deferDepth_ = 0;
    bool pending_ = false;
    bool announcing_ = false;
    std::uint64_t revision_ = 0;
    int nextListenerId_ = 1;
    std::vector<std::pair<int, Listener>> listeners_;
    int width_ = 640;
    int height_ = 480;
    TextMeasurer measurer_;

    mutable std::uint64_t layoutRevision_ = ~std::uint64_t(0);
    mutable std::unique_ptr<ChartLayout> layout_;
    mutable std::uint64_t scaleRevision_[3] = {~std::uint64_t(0), ~std::uint64_t(0), ~std::uint64_t(0)};
    mutable std::unique_ptr<AxisScale> scales_[3];

    friend class DiagramCodec;
    friend class ChartData;
    friend class LabelList;
    friend class LocationFormat;
    friend class MarginSet;
    friend class Axis;
};

// The default colour of series n of a group (a palette of ten clear colours).
Rgb DefaultSeriesColor(int group, int series);

} // namespace kinhom
