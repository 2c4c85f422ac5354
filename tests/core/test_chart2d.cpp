// The chart object model: properties, indices, batches and notifications,
// automatic values and degenerate input.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/chart/axisscale.h"
#include "builders.h"
#include "core/chart/chart2d.h"
#include "core/chart/chartlayout.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Counter {
    explicit Counter(Chart2D& c) : chart(c) { id = chart.addListener([this] { ++count; }); }
    ~Counter() { chart.removeListener(id); }
    Chart2D& chart;
    int id = 0;
    int count = 0;
};

} // namespace

// Every property reads back what was written, also codes outside the known
// ranges; the value written differs from the default, so a setter that does
// nothing fails.
TEST(Chart2D, PropertiesReadBackAsSet)
{
    Chart2D c;
    struct Prop {
        const char* name;
        std::function<void(Chart2D&)> set;
        std::function<bool(const Chart2D&)> check;
    };
    const FontSpec font{"ARIAL", 11.5f, true, true, true};
    const std::vector<Prop> props = {
        {"border type", [](Chart2D& c) { c.Border().setType(9); }, [](const Chart2D& c) { return c.Border().Type() == 9; }},
        {"border width", [](Chart2D& c) { c.Border().setWidth(3); }, [](const Chart2D& c) { return c.Border().Width() == 3; }},
        {"chart background", [](Chart2D& c) { c.Interior().setBackgroundColor(RGB(1, 2, 3)); },
         [](const Chart2D& c) { return c.Interior().BackgroundColor() == RGB(1, 2, 3); }},
        {"header text", [](Chart2D& c) { c.Header().setText("Line 1\r\nLine 2 "); },
         [](const Chart2D& c) { return c.Header().Text() == "Line 1\r\nLine 2 "; }},
        {"header font", [&](Chart2D& c) { c.Header().setFont(font); }, [&](const Chart2D& c) { return c.Header().Font() == font; }},
        {"header border", [](Chart2D& c) { c.Header().Border().setType(4); },
         [](const Chart2D& c) { return c.Header().Border().Type() == 4; }},
        {"header left", [](Chart2D& c) { c.Header().Location().setLeft(17); },
         [](const Chart2D& c) { return c.Header().Location().Left() == 17 && !c.Header().Location().LeftAuto(); }},
        {"footer adjust", [](Chart2D& c) { c.Footer().setAdjust(Adjust::Right); },
         [](const Chart2D& c) { return c.Footer().Adjust() == Adjust::Right; }},
        {"footer top", [](Chart2D& c) { c.Footer().Location().setTop(300); },
         [](const Chart2D& c) { return c.Footer().Location().Top() == 300; }},
        {"legend hidden", [](Chart2D& c) { c.Legend().setIsShowing(false); }, [](const Chart2D& c) { return !c.Legend().IsShowing(); }},
        {"legend orientation", [](Chart2D& c) { c.Legend().setOrientation(Orientation::Horizontal); },
         [](const Chart2D& c) { return c.Legend().Orientation() == Orientation::Horizontal; }},
        {"legend transparent", [](Chart2D& c) { c.Legend().Interior().setTransparent(true); },
         [](const Chart2D& c) { return c.Legend().Interior().IsTransparent(); }},
        {"legend foreground", [](Chart2D& c) { c.Legend().Interior().setForegroundColor(RGB(9, 8, 7)); },
         [](const Chart2D& c) { return c.Legend().Interior().ForegroundColor() == RGB(9, 8, 7); }},
        {"plot boxed", [](Chart2D& c) { c.ChartArea().PlotArea().setIsBoxed(false); },
         [](const Chart2D& c) { return !c.ChartArea().PlotArea().IsBoxed(); }},
        {"plot margin", [](Chart2D& c) { c.ChartArea().PlotArea().Margins().setLeft(33); },
         [](const Chart2D& c) { return c.ChartArea().PlotArea().Margins().Left() == 33; }},
        {"area width", [](Chart2D& c) { c.ChartArea().Location().setWidth(400); },
         [](const Chart2D& c) { return c.ChartArea().Location().Width() == 400; }},
        {"x min", [](Chart2D& c) { c.ChartArea().Axes("X").setMin(-7.25); },
         [](const Chart2D& c) { return c.ChartArea().Axes("X").Min() == -7.25; }},
        {"y max (inverted window kept as set)", [](Chart2D& c) { c.ChartArea().Axes("y").setMax(-100); },
         [](const Chart2D& c) { return c.ChartArea().Axes("Y").Max() == -100; }},
        {"y2 data min", [](Chart2D& c) { c.ChartArea().Axes("Y2").setDataMin(0.5); },
         [](const Chart2D& c) { return c.ChartArea().Axes("Y2").DataMin() == 0.5; }},
        {"y2 showing", [](Chart2D& c) { c.ChartArea().Axes("Y2").setIsShowing(true); },
         [](const Chart2D& c) { return c.ChartArea().Axes("Y2").IsShowing(); }},
        {"x log", [](Chart2D& c) { c.ChartArea().Axes("X").setIsLogarithmic(true); },
         [](const Chart2D& c) { return c.ChartArea().Axes("X").IsLogarithmic(); }},
        {"y title", [](Chart2D& c) { c.ChartArea().Axes("Y").Title().setText("c/(mol/l)"); },
         [](const Chart2D& c) { return c.ChartArea().Axes("Y").Title().Text() == "c/(mol/l)"; }},
        {"y title rotation", [](Chart2D& c) { c.ChartArea().Axes("Y").Title().setRotation(Rotation::Horizontal); },
         [](const Chart2D& c) { return c.ChartArea().Axes("Y").Title().Rotation() == Rotation::Horizontal; }},
        {"y numbering rotation", [](Chart2D& c) { c.ChartArea().Axes("Y").setNumberingRotation(Rotation::Up); },
         [](const Chart2D& c) { return c.ChartArea().Axes("Y").NumberingRotation() == Rotation::Up; }},
        {"x numbering placement", [](Chart2D& c) { c.ChartArea().Axes("X").setNumberingPlacement(NumberingPlacement::Maximum); },
         [](const Chart2D& c) { return c.ChartArea().Axes("X").NumberingPlacement() == NumberingPlacement::Maximum; }},
        {"origin placement (unknown code)", [](Chart2D& c) { c.ChartArea().Axes("X").setOriginPlacement(77); },
         [](const Chart2D& c) { return c.ChartArea().Axes("X").OriginPlacement() == 77; }},
        {"grid pattern", [](Chart2D& c) { c.ChartArea().Axes("Y").GridStyle().setPattern(LinePattern::Dotted); },
         [](const Chart2D& c) { return c.ChartArea().Axes("Y").GridStyle().Pattern() == LinePattern::Dotted; }},
        {"grid colour", [](Chart2D& c) { c.ChartArea().Axes("X").GridStyle().setColor(RGB(143, 143, 143)); },
         [](const Chart2D& c) { return c.ChartArea().Axes("X").GridStyle().Color() == RGB(143, 143, 143); }},
        {"manual tick spacing", [](Chart2D& c) { c.ChartArea().Axes("X").TickSpacing().setAuto(false); c.ChartArea().Axes("X").TickSpacing().setValue(0.05); },
         [](const Chart2D& c) { return c.ChartArea().Axes("X").TickSpacing().Value() == 0.05; }},
        {"series count", [](Chart2D& c) { c.ChartGroups(1).Data().setNumSeries(27); },
         [](const Chart2D& c) { return c.ChartGroups(1).Data().NumSeries() == 27; }},
        {"line pattern (unknown code)", [](Chart2D& c) { c.ChartGroups(1).Styles(3).LineStyle().setPattern(99); },
         [](const Chart2D& c) { return c.ChartGroups(1).Styles(3).LineStyle().Pattern() == 99; }},
        {"line width", [](Chart2D& c) { c.ChartGroups(1).Styles(4).LineStyle().setWidth(5); },
         [](const Chart2D& c) { return c.ChartGroups(1).Styles(4).LineStyle().Width() == 5; }},
        {"symbol shape", [](Chart2D& c) { c.ChartGroups(1).Styles(2).SymbolStyle().setShape(SymbolShape::Star); },
         [](const Chart2D& c) { return c.ChartGroups(1).Styles(2).SymbolStyle().Shape() == SymbolShape::Star; }},
        {"symbol size", [](Chart2D& c) { c.ChartGroups(1).Styles(2).SymbolStyle().setSize(13); },
         [](const Chart2D& c) { return c.ChartGroups(1).Styles(2).SymbolStyle().Size() == 13; }},
        {"display state", [](Chart2D& c) { c.ChartGroups(1).Data().setDisplay(26, DisplayState::Excluded); },
         [](const Chart2D& c) { return c.ChartGroups(1).Data().Display(26) == DisplayState::Excluded; }},
        {"legend text", [](Chart2D& c) { c.ChartGroups(1).SeriesLabels().Add(); c.ChartGroups(1).SeriesLabels().setItem(1, "c(A) "); },
         [](const Chart2D& c) { return c.ChartGroups(1).SeriesLabels().Item(1) == "c(A) "; }},
        {"label count", [](Chart2D& c) { c.ChartLabels().setCount(27); }, [](const Chart2D& c) { return c.ChartLabels().Count() == 27; }},
        {"label attach point (negative)", [](Chart2D& c) { c.ChartLabels(5).setAttachPoint(-40); },
         [](const Chart2D& c) { return c.ChartLabels(5).AttachPoint() == -40; }},
        {"label frame", [](Chart2D& c) { c.ChartLabels(2).Border().setType(BorderType::Plain); },
         [](const Chart2D& c) { return c.ChartLabels(2).Border().Type() == BorderType::Plain; }},
        {"label colours", [](Chart2D& c) { c.ChartLabels(26).Interior().setForegroundColor(RGB(255, 0, 0)); },
         [](const Chart2D& c) { return c.ChartLabels(26).Interior().ForegroundColor() == RGB(255, 0, 0); }},
        {"label font", [&](Chart2D& c) { c.ChartLabels(27).setFont(font); }, [&](const Chart2D& c) { return c.ChartLabels(27).Font() == font; }},
        {"label hidden", [](Chart2D& c) { c.ChartLabels(3).setIsShowing(false); }, [](const Chart2D& c) { return !c.ChartLabels(3).IsShowing(); }},
    };
    for (const auto& p : props) {
        EXPECT_FALSE(p.check(c)) << p.name << " already holds the value before it is set";
        p.set(c);
    }
    for (const auto& p : props) EXPECT_TRUE(p.check(c)) << p.name;
}

TEST(Chart2D, IndicesStartAtOneAndOutOfRangeIsHarmless)
{
    Chart2D c;
    ChartData& d = c.ChartGroups(1).Data();
    d.setNumSeries(2);
    d.setNumPoints(1, 3);
    d.setX(1, 1, 10);
    d.setY(1, 3, 30);
    EXPECT_EQ(d.X(1, 1), 10);
    EXPECT_EQ(d.Y(1, 3), 30);
    EXPECT_EQ(d.X(1, 2), 0); // new points are (0, 0)

    Counter n(c);
    // reads outside give 0, writes outside change nothing and tell nobody
    EXPECT_EQ(d.NumPoints(0), 0);
    EXPECT_EQ(d.NumPoints(3), 0);
    EXPECT_EQ(d.X(1, 0), 0);
    EXPECT_EQ(d.Y(1, 4), 0);
    EXPECT_EQ(d.Display(0), 0);
    d.setX(1, 4, 5);
    d.setY(0, 1, 5);
    d.setNumPoints(9, 10);
    d.setDisplay(-1, 2);
    c.ChartGroups(1).SeriesLabels().setItem(3, "x");
    EXPECT_EQ(n.count, 0);
    EXPECT_EQ(c.ChartGroups(1).SeriesLabels().Item(0), "");

    // scratch objects: writes go nowhere
    c.ChartGroups(1).Styles(7).LineStyle().setColor(RGB(1, 1, 1));
    EXPECT_NE(c.ChartGroups(1).Styles(7).LineStyle().Color(), RGB(1, 1, 1));
    c.ChartGroups(3).Data().setNumSeries(5);
    EXPECT_EQ(c.ChartGroups(3).Data().NumSeries(), 0);
    c.ChartArea().Axes("Z").setMin(5);
    EXPECT_FALSE(c.ChartArea().Axes("Z").Min() == 5 && !c.ChartArea().Axes("Z").MinAuto());
    c.ChartLabels(4).setText("nowhere");
    EXPECT_EQ(c.ChartLabels().Count(), 0);
    EXPECT_EQ(n.count, 0);

    // counts are clamped
    d.setNumPoints(1, -5);
    EXPECT_EQ(d.NumPoints(1), 0);
    d.setNumSeries(1 << 30);
    EXPECT_EQ(d.NumSeries(), kChartMaxSeries);
    d.setNumSeries(-1);
    EXPECT_EQ(d.NumSeries(), 0);
    c.ChartLabels().setCount(1 << 30);
    EXPECT_EQ(c.ChartLabels().Count(), kChartMaxLabels);

    // shortening keeps the first points, lengthening adds (0, 0)
    d.setNumSeries(1);
    const double xs[] = {1, 2, 3}, ys[] = {4, 5, 6};
    d.setPoints(1, xs, ys, 3);
    d.setNumPoints(1, 2);
    d.setNumPoints(1, 4);
    EXPECT_EQ(d.X(1, 2), 2);
    EXPECT_EQ(d.Y(1, 2), 5);
    EXPECT_EQ(d.X(1, 3), 0);
}

TEST(Chart2D, BatchesAnnounceOnceWhenTheOutermostEnds)
{
    Chart2D c;
    Counter n(c);
    c.Header().setText("a");
    EXPECT_EQ(n.count, 1); // no batch: at once
    c.Header().setText("a");
    EXPECT_EQ(n.count, 1); // no change, no announcement

    c.setIsBatched(true);
    c.setIsBatched(true);
    EXPECT_TRUE(c.IsBatched());
    ChartData& d = c.ChartGroups(1).Data();
    d.setIsBatched(true);
    EXPECT_TRUE(d.IsBatched());
    d.setNumSeries(24);
    for (int s = 1; s <= 24; ++s) d.setNumPoints(s, 10);
    c.Header().setText("b");
    c.setIsBatched(false);
    EXPECT_EQ(n.count, 1);
    c.setIsBatched(false);
    EXPECT_FALSE(c.IsBatched());
    EXPECT_EQ(n.count, 1); // the data batch is still open
    d.setIsBatched(false);
    EXPECT_FALSE(d.IsBatched());
    EXPECT_EQ(n.count, 2);

    // a batch without a change announces nothing; a close too many is ignored
    c.setIsBatched(true);
    c.setIsBatched(false);
    c.setIsBatched(false);
    d.setIsBatched(false);
    EXPECT_EQ(n.count, 2);
    { Chart2D::Batch b(c); c.Footer().setText("f"); c.Footer().setText("g"); }
    EXPECT_EQ(n.count, 3);
    EXPECT_FALSE(c.IsBatched());
}

TEST(Chart2D, ListenersMayChangeTheChartAndRemoveThemselves)
{
    Chart2D c;
    int seen = 0;
    int self = 0;
    std::vector<std::string> headers;
    self = c.addListener([&] {
        ++seen;
        headers.push_back(c.Header().Text());
        if (c.Header().Text() == "1") c.Header().setText("2"); // a change made while being told
    });
    int removed = 0;
    int other = 0;
    other = c.addListener([&] {
        ++removed;
        c.removeListener(other);
    });
    c.Header().setText("1");
    EXPECT_EQ(seen, 2); // told again about its own change
    EXPECT_EQ(headers, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(removed, 1);
    c.Header().setText("3");
    EXPECT_EQ(removed, 1);
    c.removeListener(self);
    c.Header().setText("4");
    EXPECT_EQ(seen, 3);
}

TEST(Chart2D, AutomaticSpacingsReadAsComputedAndKeepTheirFlag)
{
    Chart2D c;
    Axis& x = c.ChartArea().Axes("X");
    x.setMin(0);
    x.setMax(100);
    EXPECT_TRUE(x.GridSpacing().IsAuto());
    EXPECT_DOUBLE_EQ(x.GridSpacing().Value(), 20);
    EXPECT_DOUBLE_EQ(x.TickSpacing().Value(), 20);
    EXPECT_DOUBLE_EQ(x.NumSpacing().Value(), 20);

    // writing while automatic keeps the flag and the computed value
    x.GridSpacing().setValue(3);
    EXPECT_TRUE(x.GridSpacing().IsAuto());
    EXPECT_DOUBLE_EQ(x.GridSpacing().Value(), 20);
    EXPECT_DOUBLE_EQ(x.GridSpacing().Stored().value, 3);

    // switching the flag off keeps the computed value as the set one
    x.GridSpacing().setAuto(false);
    EXPECT_DOUBLE_EQ(x.GridSpacing().Value(), 20);
    x.GridSpacing().setValue(25);
    EXPECT_DOUBLE_EQ(c.Scale(AxisId::X).gridSpacing, 25);

    // a degenerate set value reads back as set but is drawn automatically
    for (double bad : {0.0, -5.0, 1e-9, kNaN}) {
        x.GridSpacing().setValue(bad);
        const double v = x.GridSpacing().Value();
        EXPECT_TRUE(v == bad || (std::isnan(v) && std::isnan(bad)));
        EXPECT_DOUBLE_EQ(c.Scale(AxisId::X).gridSpacing, 20) << bad;
        EXPECT_LE(c.Scale(AxisId::X).grid.size(), 11u);
    }
    // the automatic value follows the window
    x.setMax(1);
    EXPECT_DOUBLE_EQ(x.NumSpacing().Value(), 0.2);
}

TEST(Chart2D, AutomaticLimitsComeFromTheDataThatIsNotExcluded)
{
    Chart2D c;
    SetCurve(c, {.group = 1, .series = 1, .x = {0, 5, 10}, .y = {0.13, 0.5, 0.87}});
    SetCurve(c, {.group = 1, .series = 2, .x = {-50, 50}, .y = {-20, 20}});
    // a point that is not finite counts for nothing
    SetCurve(c, {.group = 2, .series = 1, .x = {2, 3}, .y = {kNaN, 0.4}});
    Axis& x = c.ChartArea().Axes("X");
    Axis& y = c.ChartArea().Axes("Y");
    EXPECT_DOUBLE_EQ(x.DataMin(), -50);
    EXPECT_DOUBLE_EQ(x.Min(), -60); // widened to the automatic step 20
    c.ChartGroups(1).Data().setDisplay(2, DisplayState::Hidden); // the hidden state still counts...
    EXPECT_DOUBLE_EQ(x.DataMin(), -50);
    c.ChartGroups(1).Data().setDisplay(2, DisplayState::Excluded); // ...the excluded one does not
    EXPECT_DOUBLE_EQ(x.DataMin(), 0);
    EXPECT_DOUBLE_EQ(x.DataMax(), 10);
    EXPECT_DOUBLE_EQ(y.DataMin(), 0.13);
    EXPECT_DOUBLE_EQ(y.DataMax(), 0.87);
    EXPECT_NEAR(y.Min(), 0.1, 1e-12);
    EXPECT_NEAR(y.Max(), 0.9, 1e-12);
    // a set data range replaces the data's
    y.setDataMin(0);
    EXPECT_NEAR(y.Min(), 0, 1e-12);
    // set limits are used as they are; the Y2 axis mirrors Y while automatic
    y.setMin(-1);
    y.setMax(3);
    EXPECT_DOUBLE_EQ(c.ChartArea().Axes("Y2").Min(), -1);
    EXPECT_DOUBLE_EQ(c.ChartArea().Axes("Y2").Max(), 3);
    // switching the flag back on gives the limits back to the data
    y.setMinAuto(true);
    EXPECT_NEAR(y.Min(), 0, 1e-12);
    // an empty chart shows 0..1
    Chart2D empty;
    EXPECT_DOUBLE_EQ(empty.ChartArea().Axes("X").Min(), 0);
    EXPECT_DOUBLE_EQ(empty.ChartArea().Axes("X").Max(), 1);
}

// Every degenerate window gives a sound scale at once.
TEST(Chart2D, DegenerateWindowsGiveSoundScales)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double min, max;
        bool log;
    };
    const Case cases[] = {{1, 1, false},  {5, -5, false}, {kNaN, 2, false}, {-inf, inf, false}, {0, 1, true},
                          {-1e4, 1e4, true}, {-3, -1, true}, {3.4e38, -3.4e38, false}, {1e-320, 2e-320, true}};
    for (const auto& k : cases) {
        Chart2D c;
        SetCurve(c, {.group = 1, .series = 1, .x = {0, 1, 2}, .y = {-1, 0.5, 2}});
        Axis& y = c.ChartArea().Axes("Y");
        y.setIsLogarithmic(k.log);
        y.setMin(k.min);
        y.setMax(k.max);
        y.GridSpacing().setAuto(false);
        y.GridSpacing().setValue(0);
        const AxisScale& s = c.Scale(AxisId::Y);
        SCOPED_TRACE(testing::Message() << k.min << ".." << k.max << (k.log ? " log" : ""));
        EXPECT_TRUE(std::isfinite(s.min) && std::isfinite(s.max));
        EXPECT_LT(s.min, s.max);
        if (k.log) {
            EXPECT_GT(s.min, 0);
        }
        EXPECT_GE(s.numbers.size(), 2u);
        EXPECT_LE(s.grid.size(), static_cast<std::size_t>(kMaxAxisLines) + 1);
        // and the layout of the whole chart is finite
        const ChartLayout& L = c.Layout();
        for (const auto& sl : L.series)
            for (const auto& run : sl.runs)
                for (const auto& p : run) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
}

TEST(Chart2D, LocationsAndMarginsAreLaidOutUntilSet)
{
    Chart2D c;
    c.setSize(600, 400);
    c.Header().setText("Title");
    LocationFormat& h = c.Header().Location();
    EXPECT_TRUE(h.LeftAuto());
    const int w = h.Width();
    EXPECT_GT(w, 0);
    EXPECT_NEAR(h.Left(), (600 - w) / 2.0, 1); // centred
    h.setLeft(10);
    EXPECT_FALSE(h.LeftAuto());
    EXPECT_EQ(h.Left(), 10);
    EXPECT_EQ(std::lround(c.Layout().header.box.x), 10);
    h.setLeftAuto(true);
    EXPECT_NEAR(h.Left(), (600 - w) / 2.0, 1);

    MarginSet& m = c.ChartArea().PlotArea().Margins();
    const RectF area = c.Layout().chartArea;
    const RectF plot = c.Layout().plot;
    EXPECT_EQ(m.Left(), std::lround(plot.x - area.x));
    EXPECT_EQ(m.Bottom(), std::lround(area.bottom() - plot.bottom()));
    EXPECT_GT(m.Left(), 0);
    m.setLeft(120);
    EXPECT_FALSE(m.LeftAuto());
    EXPECT_NEAR(c.Layout().plot.x - c.Layout().chartArea.x, 120, 1e-9);
    // switching a flag off keeps the laid-out value
    const int bottom = m.Bottom();
    m.setBottomAuto(false);
    EXPECT_EQ(m.Bottom(), bottom);
    EXPECT_EQ(m.StoredBottom().value, bottom);

    // the chart area as the window sets it: width and height in pixels
    c.ChartArea().Location().setWidth(504);
    EXPECT_EQ(c.ChartArea().Location().Width(), 504);
    EXPECT_NEAR(c.Layout().chartArea.w, 504, 1e-9);
}

// A label attached to a point outside its series stands at the nearest end.
TEST(Chart2D, LabelPointIsClampedToTheSeries)
{
    Chart2D c;
    SetCurve(c, {.group = 1, .series = 1, .x = {1, 2, 3, 4, 5}, .y = {1, 2, 3, 4, 5}});
    c.ChartGroups(1).Data().setNumSeries(2);
    c.ChartLabels().setCount(3);
    ChartLabel& l = c.ChartLabels(1);
    l.setAttachMethod(AttachMethod::DataIndex);
    l.setAttachGroup(1);
    l.setAttachSeries(1);
    struct Case {
        int point, want;
    };
    for (const Case k : {Case{3, 3}, Case{-40, 1}, Case{0, 1}, Case{6, 5}, Case{1 << 30, 5}}) {
        l.setAttachPoint(k.point);
        EXPECT_EQ(c.LabelPointIndex(1), k.want) << k.point;
        EXPECT_EQ(l.AttachPoint(), k.point); // the label keeps what was set
    }
    l.setAttachSeries(2); // a series without points
    EXPECT_EQ(c.LabelPointIndex(1), 0);
    l.setAttachSeries(9); // no such series
    EXPECT_EQ(c.LabelPointIndex(1), 0);
    l.setAttachGroup(5);
    EXPECT_EQ(c.LabelPointIndex(1), 0);
    c.ChartLabels(2).setAttachPoint(2); // a free label has no point
    EXPECT_EQ(c.LabelPointIndex(2), 0);
    EXPECT_EQ(c.LabelPointIndex(99), 0);
}

TEST(Chart2D, WholeContentIsReplacedAsOneChange)
{
    Chart2D a, b;
    SetCurve(b, {.group = 1, .series = 3, .x = {1, 2}, .y = {3, kNaN}});
    b.Header().setText("from b");
    b.ChartLabels().setCount(2);
    EXPECT_FALSE(a.sameContent(b));
    Counter n(a);
    a.assignContent(b);
    EXPECT_EQ(n.count, 1);
    EXPECT_TRUE(a.sameContent(b)); // NaN points compare equal
    // the copied parts belong to a: they announce their changes there
    a.ChartGroups(1).Styles(3).LineStyle().setColor(RGB(5, 5, 5));
    a.ChartLabels(2).setText("x");
    EXPECT_EQ(n.count, 3);
    EXPECT_FALSE(a.sameContent(b));
    a.resetContent();
    EXPECT_TRUE(a.sameContent(Chart2D()));
    EXPECT_EQ(a.ChartGroups(1).Data().NumSeries(), 0);
}
