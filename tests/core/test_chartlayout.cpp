// Layout of a chart: where series, grid lines, labels and the legend land, and
// what lies under a position.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "builders.h"
#include "core/chart/chart2d.h"
#include "core/chart/chartlayout.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A 600 x 400 chart showing 0..10 on both axes.
void Window(Chart2D& c, double lo = 0, double hi = 10)
{
    c.setSize(600, 400);
    for (const char* a : {"X", "Y"}) {
        c.ChartArea().Axes(a).setMin(lo);
        c.ChartArea().Axes(a).setMax(hi);
    }
}

PointF Px(const ChartLayout& L, double x, double y)
{
    PointF p;
    EXPECT_TRUE(L.toPixel(x, y, p));
    return p;
}

} // namespace

TEST(ChartLayout, LinesAreClippedToTheWindowAndBrokenAtMissingPoints)
{
    Chart2D c;
    Window(c);
    const double inf = std::numeric_limits<double>::infinity();
    SetCurve(c, {.group = 1, .series = 1, .x = {-10, 20}, .y = {-10, 20}}); // crosses the whole window
    SetCurve(c, {.group = 1, .series = 2, .x = {1, 2, kNaN, 4, 5, 6}, .y = {1, 2, 3, 4, 5, inf}});
    SetCurve(c, {.group = 1, .series = 3, .x = {1, 2, 3, 4}, .y = {1, 20, 20, 1}}); // leaves the window and comes back
    const ChartLayout& L = c.Layout();
    ASSERT_EQ(L.series.size(), 3u);
    const RectF& p = L.plot;

    const auto& r1 = L.series[0].runs;
    ASSERT_EQ(r1.size(), 1u);
    ASSERT_EQ(r1[0].size(), 2u);
    EXPECT_NEAR(r1[0][0].x, p.x, 1e-9);
    EXPECT_NEAR(r1[0][0].y, p.bottom(), 1e-9);
    EXPECT_NEAR(r1[0][1].x, p.right(), 1e-9);
    EXPECT_NEAR(r1[0][1].y, p.y, 1e-9);

    const auto& r2 = L.series[1].runs; // (1,1)-(2,2) | gap | (4,4)-(5,5) | gap
    ASSERT_EQ(r2.size(), 2u);
    EXPECT_EQ(r2[0].size(), 2u);
    EXPECT_EQ(r2[1].size(), 2u);
    EXPECT_NEAR(r2[1][0].x, Px(L, 4, 4).x, 1e-9);

    const auto& r3 = L.series[2].runs; // up to the top edge, and down again from it
    ASSERT_EQ(r3.size(), 2u);
    EXPECT_NEAR(r3[0].back().y, p.y, 1e-9);
    EXPECT_NEAR(r3[0].back().x, Px(L, 1 + 9.0 / 19.0, 10).x, 1e-9);
    EXPECT_NEAR(r3[1].front().y, p.y, 1e-9);
    EXPECT_NEAR(r3[1].back().x, Px(L, 4, 1).x, 1e-9);

    // a hidden or excluded series is not laid out; an empty one neither
    c.ChartGroups(1).Data().setDisplay(1, DisplayState::Hidden);
    c.ChartGroups(1).Data().setDisplay(2, DisplayState::Excluded);
    c.ChartGroups(1).Data().setNumSeries(4);
    ASSERT_EQ(c.Layout().series.size(), 1u);
    EXPECT_EQ(c.Layout().series[0].series, 3);
}

// On a logarithmic axis points at or below zero are not drawn; a line running to
// one ends at the edge of the window, so the half-life mark from -10000 to 10000
// still crosses the whole plot.
TEST(ChartLayout, LogarithmicAxisSkipsNonPositivePointsAndKeepsMarks)
{
    Chart2D c;
    Window(c);
    Axis& y = c.ChartArea().Axes("Y");
    y.setIsLogarithmic(true);
    y.setMin(0); // reaches 0: shows decades of its positive part
    y.setMax(100);
    SetCurve(c, {.group = 1, .series = 26, .x = {4, 4}, .y = {-10000, 10000}});
    c.ChartGroups(1).Styles(26).LineStyle().setPattern(LinePattern::LongDash);
    SetCurve(c, {.group = 2, .series = 1, .x = {1, 2, 3}, .y = {0, -1, 10}});
    const ChartLayout& L = c.Layout();
    EXPECT_GT(L.axis(AxisId::Y).scale.min, 0);
    ASSERT_EQ(L.series.size(), 2u);
    const SeriesLayout& mark = L.series[0];
    ASSERT_EQ(mark.runs.size(), 1u);
    EXPECT_NEAR(mark.runs[0][0].y, L.plot.bottom(), 1e-9);
    EXPECT_NEAR(mark.runs[0][1].y, L.plot.y, 1e-9);
    EXPECT_NEAR(mark.runs[0][0].x, Px(L, 4, 1).x, 1e-9);
    const SeriesLayout& pts = L.series[1];
    ASSERT_EQ(pts.symbols.size(), 1u); // only (3, 10)
    EXPECT_NEAR(pts.symbols[0].y, Px(L, 3, 10).y, 1e-9);
}

// A segment is straight on screen, so its visible part is the piece of that
// straight line inside the window, also where it leaves a logarithmic window.
TEST(ChartLayout, SegmentsAreClippedWhereTheyAreDrawnOnLogarithmicAxes)
{
    struct Case {
        bool logX, logY;
        double x1, y1, x2, y2;
        double fx1, fy1, fx2, fy2; // expected ends as fractions of the plot
    };
    // Y log 1e-4..1: from 1e-6 (two decades below) to 1: log y runs -6..0 and
    // reaches -4 a third of the way, at x = 10/3. X log 0.01..100: from 1e-4 to
    // 100, log x runs -4..2 and enters at -2 a third of the way, at y = 10/3.
    const Case cases[] = {
        {false, true, 0, 1e-6, 10, 1, 1.0 / 3, 0, 1, 1},
        {false, true, 0, 1, 10, 1e-6, 0, 1, 2.0 / 3, 0},
        {true, false, 1e-4, 0, 100, 10, 0, 1.0 / 3, 1, 1},
        // running to zero on a logarithmic axis: the line leaves at the window's
        // lower edge where the segment, in data units, passes its minimum
        {false, true, 0, 1, 10, 0, 0, 1, 10 * (1 - 1e-4) / 10, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.x1 << "," << k.y1 << " - " << k.x2 << "," << k.y2);
        Chart2D c;
        c.setSize(600, 400);
        Axis& ax = c.ChartArea().Axes("X");
        Axis& ay = c.ChartArea().Axes("Y");
        ax.setIsLogarithmic(k.logX);
        ay.setIsLogarithmic(k.logY);
        ax.setMin(k.logX ? 0.01 : 0);
        ax.setMax(k.logX ? 100 : 10);
        ay.setMin(k.logY ? 1e-4 : 0);
        ay.setMax(k.logY ? 1 : 10);
        SetCurve(c, {.group = 1, .series = 1, .x = {k.x1, k.x2}, .y = {k.y1, k.y2}});
        const ChartLayout& L = c.Layout();
        ASSERT_EQ(L.series.size(), 1u);
        ASSERT_EQ(L.series[0].runs.size(), 1u);
        const auto& run = L.series[0].runs[0];
        ASSERT_EQ(run.size(), 2u);
        const RectF& p = L.plot;
        EXPECT_NEAR(run[0].x, p.x + k.fx1 * p.w, 1e-6);
        EXPECT_NEAR(run[0].y, p.bottom() - k.fy1 * p.h, 1e-6);
        EXPECT_NEAR(run[1].x, p.x + k.fx2 * p.w, 1e-6);
        EXPECT_NEAR(run[1].y, p.bottom() - k.fy2 * p.h, 1e-6);
    }
    // a segment wholly at or below zero on a logarithmic axis draws nothing, and the
    // line starts afresh at the next positive point
    Chart2D c;
    c.setSize(600, 400);
    c.ChartArea().Axes("Y").setIsLogarithmic(true);
    c.ChartArea().Axes("Y").setMin(0.1);
    c.ChartArea().Axes("Y").setMax(10);
    c.ChartArea().Axes("X").setMin(0);
    c.ChartArea().Axes("X").setMax(4);
    SetCurve(c, {.group = 1, .series = 1, .x = {0, 1, 2, 3, 4}, .y = {1, -1, -2, 1, 2}});
    const auto& runs = c.Layout().series[0].runs;
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].size(), 2u); // 1 down to the bottom edge
    EXPECT_EQ(runs[1].size(), 3u); // from the bottom edge up to 1, then to 2
}

TEST(ChartLayout, LogarithmicDecadesAreEquallySpaced)
{
    Chart2D c;
    Window(c);
    Axis& y = c.ChartArea().Axes("Y");
    y.setIsLogarithmic(true);
    y.setMin(1);
    y.setMax(1e5);
    const AxisLayout& a = c.Layout().axis(AxisId::Y);
    ASSERT_EQ(a.grid.size(), 6u);
    ASSERT_EQ(a.numbers.size(), 6u);
    const double step = a.grid[0] - a.grid[1];
    EXPECT_NEAR(step, c.Layout().plot.h / 5, 1e-9);
    for (std::size_t i = 1; i < a.grid.size(); ++i) EXPECT_NEAR(a.grid[i - 1] - a.grid[i], step, 1e-9);
    EXPECT_EQ(a.numbers[5].text, "1E+05");
    // the minor ticks of 2..9 crowd towards the next decade
    ASSERT_GE(a.minorTicks.size(), 8u);
    EXPECT_GT(a.minorTicks[0] - a.minorTicks[1], a.minorTicks[6] - a.minorTicks[7]);
}

TEST(ChartLayout, NumbersAreThinnedOutWhenTheyWouldTouch)
{
    Chart2D c;
    c.setSize(120, 400);
    c.ChartArea().Axes("X").setMin(-1000000);
    c.ChartArea().Axes("X").setMax(1000000);
    const AxisLayout& a = c.Layout().axis(AxisId::X);
    ASSERT_GE(a.numbers.size(), 1u);
    EXPECT_LT(a.numbers.size(), a.scale.numbers.size());
    for (std::size_t i = 1; i < a.numbers.size(); ++i) EXPECT_LT(a.numbers[i - 1].rect.right(), a.numbers[i].rect.x);
    bool zero = false;
    for (const auto& n : a.numbers) zero = zero || n.text == "0";
    EXPECT_TRUE(zero);
}

// Numbers beside axis lines that cross the plot stay inside the plot box, also
// the first and last ones and numbers turned upright.
TEST(ChartLayout, NumbersAtAnAxisInsideThePlotStayInsideIt)
{
    Chart2D c;
    Window(c, -4, 12);
    for (const char* a : {"X", "Y"}) {
        c.ChartArea().Axes(a).setOriginPlacement(OriginPlacement::Zero);
        c.ChartArea().Axes(a).setNumberingPlacement(NumberingPlacement::AtAxis);
    }
    c.ChartArea().Axes("Y").setNumberingRotation(Rotation::Up);
    const ChartLayout& L = c.Layout();
    const RectF& p = L.plot;
    const AxisLayout& x = L.axis(AxisId::X);
    const AxisLayout& y = L.axis(AxisId::Y);
    ASSERT_GE(x.numbers.size(), 3u);
    ASSERT_GE(y.numbers.size(), 3u);
    EXPECT_EQ(x.numbers.front().text, "-4");
    EXPECT_EQ(y.numbers.back().text, "12");
    for (const auto& n : x.numbers) {
        EXPECT_GE(n.rect.x, p.x) << n.text;
        EXPECT_LE(n.rect.right(), p.right()) << n.text;
    }
    for (const auto& n : y.numbers) {
        EXPECT_GE(n.rect.y, p.y) << n.text;
        EXPECT_LE(n.rect.bottom(), p.bottom()) << n.text;
    }
}

TEST(ChartLayout, LabelsFollowTheirPointAndStayAtTheEndsOfTheSeries)
{
    Chart2D c;
    Window(c);
    SetCurve(c, {.group = 1, .series = 1, .x = {1, 2, 3, 4, 5}, .y = {1, 2, 3, 4, 5}});
    c.ChartLabels().setCount(3);
    for (int n = 1; n <= 3; ++n) {
        ChartLabel& l = c.ChartLabels(n);
        l.setText("c(A)");
        l.setAttachMethod(AttachMethod::DataIndex);
        l.setAttachSeries(1);
        l.setAnchor(Anchor::Center);
    }
    c.ChartLabels(1).setAttachPoint(3);
    c.ChartLabels(2).setAttachPoint(-47); // before the first point
    c.ChartLabels(3).setAttachPoint(999); // after the last point
    const ChartLayout& L = c.Layout();
    ASSERT_EQ(L.labels.size(), 3u);
    auto centre = [](const LabelLayout& l) { return PointF{l.box.x + l.box.w / 2, l.box.y + l.box.h / 2}; };
    EXPECT_NEAR(centre(L.labels[0]).x, Px(L, 3, 3).x, 1e-9);
    EXPECT_NEAR(centre(L.labels[1]).x, Px(L, 1, 1).x, 1e-9);
    EXPECT_NEAR(centre(L.labels[2]).y, Px(L, 5, 5).y, 1e-9);

    // moving the point moves the label
    c.ChartGroups(1).Data().setY(1, 3, 7);
    EXPECT_NEAR(centre(c.Layout().labels[0]).y, Px(c.Layout(), 3, 7).y, 1e-9);
    // a label of a hidden series, of an empty series or outside the window is not drawn
    c.ChartGroups(1).Data().setX(1, 5, 50);
    EXPECT_EQ(c.Layout().labels.size(), 2u);
    c.ChartGroups(1).Data().setDisplay(1, DisplayState::Hidden);
    EXPECT_TRUE(c.Layout().labels.empty());
    c.ChartGroups(1).Data().setDisplay(1, DisplayState::Shown);
    c.ChartGroups(1).Data().setNumPoints(1, 0);
    EXPECT_TRUE(c.Layout().labels.empty());
    // a free label stays inside the chart
    ChartLabel& free = c.ChartLabels(1);
    free.setAttachMethod(AttachMethod::Coord);
    free.setAttachCoordX(5000);
    free.setAttachCoordY(-300);
    ASSERT_EQ(c.Layout().labels.size(), 1u);
    EXPECT_LE(c.Layout().labels[0].box.right(), 600);
    EXPECT_GE(c.Layout().labels[0].box.y, 0);
}

TEST(ChartLayout, LegendListsShownSeriesWithText)
{
    Chart2D c;
    Window(c);
    for (int s = 1; s <= 3; ++s) SetCurve(c, {.group = 1, .series = s, .x = {1, 2}, .y = {1, 2}});
    SetCurve(c, {.group = 2, .series = 1, .x = {1}, .y = {1}});
    SeriesLabelList& t1 = c.ChartGroups(1).SeriesLabels();
    t1.Add("c(A) ");
    t1.Add("  ");     // blank: no entry
    t1.Add("c(C) ");
    c.ChartGroups(2).SeriesLabels().Add("measured");
    c.ChartGroups(1).Data().setDisplay(3, DisplayState::Hidden);
    const LegendLayout& lg = c.Layout().legend;
    ASSERT_TRUE(lg.shown);
    ASSERT_EQ(lg.entries.size(), 2u);
    EXPECT_EQ(lg.entries[0].group, 1);
    EXPECT_EQ(lg.entries[0].series, 1);
    EXPECT_EQ(lg.entries[1].group, 2);
    EXPECT_LT(lg.entries[0].row.y, lg.entries[1].row.y); // vertical
    // the automatic legend stands right of the chart area
    EXPECT_GE(lg.box.x, c.Layout().chartArea.right());
    // a horizontal one lists its entries in a row below the chart area, which
    // keeps (nearly) the whole width of the chart
    c.Legend().setOrientation(Orientation::Horizontal);
    {
        const ChartLayout& H = c.Layout();
        EXPECT_EQ(H.legend.entries[0].row.y, H.legend.entries[1].row.y);
        EXPECT_GE(H.legend.box.y, H.chartArea.bottom());
        EXPECT_LE(H.legend.box.bottom(), 400);
        EXPECT_GT(H.chartArea.w, 0.95 * 600 - 20);
        EXPECT_NEAR(H.legend.box.x + H.legend.box.w / 2, 300, 1);
    }
    // no texts: no legend
    t1.RemoveAll();
    c.ChartGroups(2).SeriesLabels().setItem(1, "");
    EXPECT_FALSE(c.Layout().legend.shown);
}

// The chart window sets the chart area to 84 % x 89 % of the chart and puts the
// legend at the area's right edge: the plot keeps clear of the legend and the
// area ends above the footer.
TEST(ChartLayout, SetAreaSizeAndLegendPlaceLeaveEveryElementItsRoom)
{
    Chart2D c;
    Window(c);
    c.setSize(900, 620);
    c.Header().setText("Header\nsecond line");
    c.Footer().setText("Footer");
    c.ChartArea().Axes("X").Title().setText("t/s");
    SetCurve(c, {.group = 1, .series = 1, .x = {0, 10}, .y = {0, 10}});
    c.ChartGroups(1).SeriesLabels().Add("c(A) ");
    c.ChartArea().Location().setWidth(756);
    c.ChartArea().Location().setHeight(552);
    c.Legend().Location().setLeft(746);
    c.Legend().Location().setTop(276);
    const ChartLayout& L = c.Layout();
    EXPECT_EQ(c.ChartArea().Location().Height(), 552); // reads back as set
    EXPECT_NEAR(L.chartArea.w, 756, 1e-9);
    EXPECT_LT(L.chartArea.bottom(), L.footer.box.y);
    EXPECT_GE(L.chartArea.y, L.header.box.bottom());
    const TextBlock& xt = L.axis(AxisId::X).title;
    EXPECT_LE(xt.box.bottom(), L.footer.box.y);
    EXPECT_LT(L.plot.right(), L.legend.box.x);
    EXPECT_NEAR(L.legend.box.x, 746, 1e-9);
}

// A legend placed for a larger chart (a diagram saved in a larger window, an
// image smaller than the screen) stays inside the chart's frame at every size,
// a legend larger than the chart starting at its top left corner.
TEST(ChartLayout, PlacedLegendStaysInsideTheChartAtEverySize)
{
    Chart2D c;
    Window(c);
    SetCurve(c, {.group = 1, .series = 1, .x = {0, 10}, .y = {0, 10}});
    c.ChartGroups(1).SeriesLabels().Add("c(A) ");
    c.Border().setType(BorderType::Plain);
    c.Border().setWidth(3);
    struct Case {
        int left, top;
        int orientation;
    } cases[] = {{1500, 900, Orientation::Vertical}, {-200, -50, Orientation::Vertical},
                 {1500, 900, Orientation::Horizontal}, {590, 10, Orientation::Vertical}};
    for (const Case& k : cases) {
        c.Legend().setOrientation(k.orientation);
        c.Legend().Location().setLeft(k.left);
        c.Legend().Location().setTop(k.top);
        for (const auto& [w, h] : {std::pair{600, 400}, {300, 200}, {1200, 900}}) {
            c.setSize(w, h);
            const ChartLayout& L = c.Layout();
            ASSERT_TRUE(L.legend.shown);
            const RectF& b = L.legend.box;
            EXPECT_GE(b.x, L.inner.x) << k.left << " at " << w;
            EXPECT_GE(b.y, L.inner.y) << k.top << " at " << h;
            EXPECT_LE(b.right(), L.inner.right() + 1e-9) << k.left << " at " << w;
            EXPECT_LE(b.bottom(), L.inner.bottom() + 1e-9) << k.top << " at " << h;
            // the entries move with the box
            EXPECT_TRUE(b.contains(L.legend.entries[0].text.x, L.legend.entries[0].text.y));
        }
    }
    // a place inside the chart is kept as it is
    c.setSize(600, 400);
    c.Legend().setOrientation(Orientation::Vertical);
    c.Legend().Location().setLeft(100);
    c.Legend().Location().setTop(120);
    EXPECT_EQ(c.Layout().legend.box.x, 100);
    EXPECT_EQ(c.Layout().legend.box.y, 120);
    // a legend larger than the chart starts at its top left corner
    c.setSize(40, 30);
    EXPECT_EQ(c.Layout().legend.box.x, c.Layout().inner.x);
    EXPECT_EQ(c.Layout().legend.box.y, c.Layout().inner.y);
}

// A layout computed into one that held another chart (a view keeps one for its
// memory) is the layout computed afresh: nothing of the earlier one is left.
TEST(ChartLayout, LayoutIntoAnEarlierOneEqualsAFreshOne)
{
    Chart2D many;
    Window(many);
    for (int s = 1; s <= 4; ++s) // in and out of the window: several runs each
        SetCurve(many, {.group = 1, .series = s, .x = {-5, 1, 2, 15, 3, 4, -1, 5}, .y = {1, 2, 3, 4, 50, 6, 7, 8}});
    SetCurve(many, {.group = 2, .series = 1, .x = {1, 2, 3}, .y = {1, 2, 3}});
    Chart2D few;
    Window(few);
    SetCurve(few, {.group = 1, .series = 1, .x = {1, 2, 30, 4}, .y = {1, 2, 3, 4}});
    SetCurve(few, {.group = 1, .series = 2, .x = {1, 2}, .y = {2, 1}});
    few.ChartGroups(1).Styles(2).LineStyle().setPattern(LinePattern::None);
    few.ChartGroups(1).Styles(2).SymbolStyle().setShape(SymbolShape::Dot);
    auto same = [](const ChartLayout& a, const ChartLayout& b) {
        ASSERT_EQ(a.series.size(), b.series.size());
        for (std::size_t i = 0; i < a.series.size(); ++i) {
            EXPECT_EQ(a.series[i].group, b.series[i].group);
            EXPECT_EQ(a.series[i].series, b.series[i].series);
            ASSERT_EQ(a.series[i].runs.size(), b.series[i].runs.size()) << i;
            for (std::size_t r = 0; r < a.series[i].runs.size(); ++r) {
                ASSERT_EQ(a.series[i].runs[r].size(), b.series[i].runs[r].size());
                for (std::size_t k = 0; k < a.series[i].runs[r].size(); ++k) {
                    EXPECT_EQ(a.series[i].runs[r][k].x, b.series[i].runs[r][k].x);
                    EXPECT_EQ(a.series[i].runs[r][k].y, b.series[i].runs[r][k].y);
                }
            }
            ASSERT_EQ(a.series[i].symbols.size(), b.series[i].symbols.size()) << i;
        }
        EXPECT_EQ(a.labels.size(), b.labels.size());
        EXPECT_EQ(a.legend.entries.size(), b.legend.entries.size());
    };
    ChartLayout kept;
    ComputeLayout(many, 600, 400, {}, kept);
    ASSERT_EQ(kept.series.size(), 5u);
    ASSERT_GE(kept.series[0].runs.size(), 2u);
    ComputeLayout(few, 600, 400, {}, kept);
    same(kept, ComputeLayout(few, 600, 400, {}));
    ComputeLayout(many, 600, 400, {}, kept);
    same(kept, ComputeLayout(many, 600, 400, {}));
    // too small for a plot: no series pieces are left over
    ComputeLayout(many, 10, 10, {}, kept);
    EXPECT_TRUE(kept.series.empty());
}

TEST(ChartLayout, HitTest)
{
    Chart2D c;
    Window(c);
    c.Header().setText("Header");
    c.Footer().setText("Footer");
    c.ChartArea().Axes("X").Title().setText("t/s");
    c.ChartArea().Axes("Y").Title().setText("c/(mol/l)");
    SetCurve(c, {.group = 1, .series = 1, .x = {0, 10}, .y = {0, 10}});
    SetCurve(c, {.group = 1, .series = 2, .x = {0, 10}, .y = {8, 8}});
    c.ChartGroups(1).Data().setNumSeries(3);
    SetCurve(c, {.group = 2, .series = 1, .x = {2}, .y = {6}});
    c.ChartGroups(2).Styles(1).SymbolStyle().setSize(8);
    c.ChartGroups(1).SeriesLabels().Add("diagonal");
    const ChartLayout& L = c.Layout();
    struct Case {
        PointF at;
        HitResult::Kind kind;
        int group, series;
    };
    const PointF diag = Px(L, 5, 5);
    const Case cases[] = {
        {{diag.x + 2, diag.y}, HitResult::Kind::Curve, 1, 1},
        {Px(L, 3, 8), HitResult::Kind::Curve, 1, 2},
        {{Px(L, 2, 6).x + 3, Px(L, 2, 6).y}, HitResult::Kind::PointSet, 2, 1},
        {Px(L, 8, 2), HitResult::Kind::PlotArea, 0, 0},
        {{L.header.box.x + 3, L.header.box.y + 3}, HitResult::Kind::Header, 0, 0},
        {{L.footer.box.x + 3, L.footer.box.y + 3}, HitResult::Kind::Footer, 0, 0},
        {{L.legend.entries[0].row.x + 2, L.legend.entries[0].row.y + 2}, HitResult::Kind::Legend, 1, 1},
        {{L.axis(AxisId::X).numbers[1].rect.x + 1, L.axis(AxisId::X).numbers[1].rect.y + 1}, HitResult::Kind::Axis, 0, 0},
        {{1, 399}, HitResult::Kind::None, 0, 0},
    };
    for (const auto& k : cases) {
        const HitResult r = HitTest(c, L, k.at.x, k.at.y);
        EXPECT_EQ(r.kind, k.kind) << k.at.x << "," << k.at.y;
        EXPECT_EQ(r.group, k.group);
        EXPECT_EQ(r.series, k.series);
    }
    const TextBlock& yt = L.axis(AxisId::Y).title;
    const HitResult r = HitTest(c, L, yt.box.x + yt.box.w / 2, yt.box.y + yt.box.h / 2);
    EXPECT_EQ(r.kind, HitResult::Kind::AxisTitle);
    EXPECT_EQ(r.axis, AxisId::Y);
    // a series that is not shown cannot be hit
    c.ChartGroups(1).Data().setDisplay(1, DisplayState::Hidden);
    EXPECT_EQ(HitTest(c, c.Layout(), diag.x + 2, diag.y).kind, HitResult::Kind::PlotArea);
    // the hit names the data point nearest to the position
    SetCurve(c, {.group = 1, .series = 3, .x = {1, 3, 5, 7, 9}, .y = {4, 4, 4, 4, 4}});
    const ChartLayout& L2 = c.Layout();
    const PointF near7 = Px(L2, 6.6, 4);
    const HitResult h = HitTest(c, L2, near7.x, near7.y + 1);
    EXPECT_EQ(h.kind, HitResult::Kind::Curve);
    EXPECT_EQ(h.series, 3);
    EXPECT_EQ(h.point, 4);
}

TEST(ChartLayout, PixelAndDataCoordinatesAreInverse)
{
    Chart2D c;
    Window(c, -3, 7);
    c.ChartArea().Axes("X").setIsLogarithmic(true);
    c.ChartArea().Axes("X").setMin(0.01);
    c.ChartArea().Axes("X").setMax(100);
    const ChartLayout& L = c.Layout();
    for (double x : {0.01, 0.5, 3.0, 100.0}) {
        for (double y : {-3.0, 0.0, 6.5}) {
            PointF p = Px(L, x, y);
            double bx = 0, by = 0;
            ASSERT_TRUE(L.toData(p.x, p.y, bx, by));
            EXPECT_NEAR(bx, x, x * 1e-9);
            EXPECT_NEAR(by, y, 1e-9);
        }
    }
    PointF p;
    EXPECT_FALSE(L.toPixel(-1, 0, p)); // not on a logarithmic axis
    EXPECT_FALSE(L.toPixel(kNaN, 0, p));
}

TEST(ChartLayout, FontSizesThatAreNotNumbersAreMeasuredAtAUsualSize)
{
    for (float size : {std::nanf(""), std::numeric_limits<float>::infinity()}) {
        Chart2D c;
        c.setSize(600, 400);
        FontSpec f;
        f.Size = size;
        c.Header().setText("Header");
        c.Header().setFont(f);
        const ChartLayout& L = c.Layout();
        ASSERT_TRUE(L.header.shown);
        EXPECT_GT(L.header.box.h, 10);
        EXPECT_LT(L.header.box.h, 40);
        EXPECT_GT(L.header.box.w, 30);
        EXPECT_TRUE(L.hasPlot());
    }
}

TEST(ChartLayout, TinyAndEmptyChartsLayOutWithoutAPlot)
{
    for (int size : {0, 1, 10, 40}) {
        Chart2D c;
        c.setSize(size, size);
        c.Header().setText("A header wider than the chart");
        SetCurve(c, {.group = 1, .series = 1, .x = {0, 1}, .y = {0, 1}});
        const ChartLayout& L = c.Layout();
        EXPECT_FALSE(L.hasPlot()) << size;
        EXPECT_TRUE(L.series.empty());
        EXPECT_EQ(HitTest(c, L, size / 2.0, size / 2.0).kind == HitResult::Kind::Curve, false);
    }
}
