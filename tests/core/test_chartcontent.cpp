#include <gtest/gtest.h>

#include <cmath>

#include "builders.h"
#include "core/chart/chartcontent.h"

using namespace kinhom;
using namespace kinhom::test;

TEST(ChartContent, SetupGivesTheFixedLayout)
{
    for (bool wide : {false, true}) {
        Chart2D c;
        ChartContentOptions o;
        o.vorwahlfarbe = RGB(10, 20, 30);
        o.wideScreen = wide;
        o.titel = "A + B => C => P";
        o.xTitel = "t/s";
        o.yTitel = "c/(mol/l)";
        SetupChartContent(c, o);

        const ChartGroup& g1 = c.ChartGroups(1);
        EXPECT_EQ(g1.Data().NumSeries(), 27);
        EXPECT_EQ(g1.SeriesLabels().Count(), 24);
        for (int i = 1; i <= 24; ++i) {
            EXPECT_EQ(g1.Data().NumPoints(i), 0);
            EXPECT_EQ(g1.Styles(i).LineStyle().Pattern(), LinePattern::Solid);
            EXPECT_EQ(g1.Styles(i).LineStyle().Color(), RGB(10, 20, 30));
            EXPECT_EQ(g1.Styles(i).SymbolStyle().Shape(), SymbolShape::None);
            EXPECT_EQ(g1.Styles(i).SymbolStyle().Size(), 1);
        }
        const ChartGroup& g2 = c.ChartGroups(2);
        EXPECT_EQ(g2.Data().NumSeries(), 7);
        EXPECT_EQ(g2.SeriesLabels().Count(), 7);
        // dots, circles, triangles, squares, stars, crosses, boxes
        const int shapes[8] = {0, 2, 10, 4, 11, 6, 9, 3};
        for (int j = 1; j <= 7; ++j) {
            EXPECT_EQ(g2.Styles(j).SymbolStyle().Shape(), shapes[j]) << j;
            EXPECT_EQ(g2.Styles(j).SymbolStyle().Size(), 6);
            EXPECT_EQ(g2.Styles(j).SymbolStyle().Color(), RGB(10, 20, 30));
            EXPECT_EQ(g2.Styles(j).LineStyle().Pattern(), LinePattern::None);
        }

        EXPECT_EQ(c.Header().Text(), "A + B => C => P");
        EXPECT_EQ(c.ChartArea().Axes(AxisId::X).Title().Text(), "t/s");
        EXPECT_EQ(c.ChartArea().Axes(AxisId::Y).Title().Text(), "c/(mol/l)");
        EXPECT_FALSE(c.ChartArea().Axes(AxisId::Y2).IsShowing());
        EXPECT_TRUE(c.ChartArea().Axes(AxisId::X).IsShowing());
        EXPECT_EQ(c.ChartArea().Axes(AxisId::X).Title().Font().Size, wide ? 11.0f : 10.0f);
        EXPECT_EQ(c.Border().Width(), 1);

        ASSERT_EQ(c.ChartLabels().Count(), 27);
        const ChartLabel& l5 = c.ChartLabels(5);
        EXPECT_EQ(l5.AttachMethod(), AttachMethod::DataIndex);
        EXPECT_EQ(l5.AttachGroup(), 1);
        EXPECT_EQ(l5.AttachSeries(), 5);
        EXPECT_EQ(l5.Font().Size, wide ? 10.0f : 9.0f);
        EXPECT_FALSE(l5.Font().Bold);
        const ChartLabel& l26 = c.ChartLabels(26);
        EXPECT_TRUE(l26.Font().Bold);
        EXPECT_EQ(l26.Font().Size, wide ? 11.0f : 9.0f);
        EXPECT_EQ(l26.Interior().ForegroundColor(), RGB(255, 0, 0));
        EXPECT_FALSE(l26.IsShowing());

        EXPECT_EQ(c.Legend().Orientation(), Orientation::Vertical);
        EXPECT_EQ(c.Legend().Border().Type(), BorderType::Plain);
        EXPECT_EQ(c.Legend().Font().Size, 8.0f);
    }
}

TEST(ChartContent, SetupOnAUsedChartEmptiesIt)
{
    Chart2D c;
    SetupChartContent(c, {});
    const double x[3] = {0, 1, 2}, y[3] = {1, 2, 3};
    c.ChartGroups(1).Data().setPoints(4, x, y, 3);
    c.ChartGroups(2).Data().setPoints(2, x, y, 3);
    SetupChartContent(c, {});
    EXPECT_EQ(c.ChartGroups(1).Data().NumPoints(4), 0);
    EXPECT_EQ(c.ChartGroups(2).Data().NumPoints(2), 0);
    EXPECT_EQ(c.ChartGroups(1).SeriesLabels().Count(), 24);
}

TEST(ChartContent, HeaderCentringAndSizeRule)
{
    EXPECT_EQ(CenteredHeaderLeft(500, 100), 200);
    EXPECT_EQ(CenteredHeaderLeft(103, 100), 2); // 1.5 rounds to even
    EXPECT_EQ(CenteredHeaderLeft(105, 100), 2); // 2.5 rounds to even
    EXPECT_EQ(CenteredHeaderLeft(100, 300), 1); // wider than the area: at least 1

    const ChartSizeRule narrow = ChartSizeFor(350, 681, 300);
    EXPECT_EQ(narrow.chartWidth, 0);
    EXPECT_EQ(narrow.areaWidth, -1);
    EXPECT_EQ(narrow.chartHeight, 381);

    const ChartSizeRule r = ChartSizeFor(351, 680, 300);
    EXPECT_EQ(r.chartWidth, 351);
    EXPECT_EQ(r.areaWidth, 20); // 351 * 0.84 / 15 = 19.656
    EXPECT_EQ(r.legendLeft, 10);
    EXPECT_EQ(r.chartHeight, 0);
    EXPECT_EQ(r.legendTop, -1);

    const ChartSizeRule big = ChartSizeFor(15000, 9000, 300);
    EXPECT_EQ(big.areaWidth, 840);
    EXPECT_EQ(big.areaHeight, 516); // 8700 * 0.89 / 15 = 516.2
    EXPECT_EQ(big.legendTop, 258);
}

TEST(ChartContent, AxisWindowIntoTheChart)
{
    Chart2D c;
    SetupChartContent(c, {});
    DiagrammInfo g;
    g.xMin = 0;
    g.xMax = 20;
    g.yMin = -1;
    g.yMax = 2.5f;
    ApplyAxisWindow(c, g);
    const Axis& x = c.ChartArea().Axes(AxisId::X);
    const Axis& y = c.ChartArea().Axes(AxisId::Y);
    const Axis& y2 = c.ChartArea().Axes(AxisId::Y2);
    EXPECT_EQ(x.Min(), 0);
    EXPECT_EQ(x.Max(), 20);
    EXPECT_EQ(x.DataMax(), 20);
    EXPECT_EQ(y.Min(), -1);
    EXPECT_EQ(y.DataMin(), -1);
    EXPECT_EQ(y.Max(), 2.5);
    EXPECT_EQ(y2.Max(), 2.5);
    const ChartData& d = c.ChartGroups(1).Data();
    ASSERT_EQ(d.NumPoints(25), 2);
    EXPECT_EQ(d.X(25, 1), 0);
    EXPECT_EQ(d.Y(25, 1), -1);
    EXPECT_EQ(d.X(25, 2), 20);
    EXPECT_EQ(d.Y(25, 2), 2.5);
    EXPECT_NE(d.Display(25), DisplayState::Shown);
}

TEST(ChartContent, MeasuredPointsKeepTheManualSet)
{
    Chart2D c;
    SetupChartContent(c, {});
    const double mx[2] = {1, 2}, my[2] = {3, 4};
    c.ChartGroups(2).Data().setPoints(7, mx, my, 2);
    c.ChartGroups(2).Data().setPoints(2, mx, my, 2); // stale set c(B)

    Declare d;
    SetMeasuredPoints(d, {CtPoint({.t = 1, .A = 1.0}), CtPoint({.t = 2, .A = 1.0 / 2}), CtPoint({.t = 3, .A = 1.0 / 3})});
    d.DiagrammTyp = -1;
    d.Diagramm.xMin = 0;
    d.Diagramm.xMax = 10;
    d.Diagramm.yMin = 0;
    d.Diagramm.yMax = 1;
    EXPECT_TRUE(ShowMeasuredPoints(c, d));
    const ChartData& pd = c.ChartGroups(2).Data();
    ASSERT_EQ(pd.NumPoints(1), 3);
    EXPECT_DOUBLE_EQ(pd.Y(1, 3), 1.0 / 3);
    EXPECT_EQ(pd.NumPoints(2), 0);
    EXPECT_EQ(pd.NumPoints(7), 2);

    d.Diagramm.yMin = 2; // every point below the window
    d.Diagramm.yMax = 3;
    EXPECT_FALSE(ShowMeasuredPoints(c, d));
    EXPECT_EQ(pd.NumPoints(1), 0);
}

TEST(ChartContent, MeasuredPointsFitTheDiagram)
{
    struct Row {
        const char* muster;
        bool kT;
        bool lambdaAusw;
        bool lambdaDaten;
        int vorhanden; // species slot with data, 0 none
        bool fits;
    };
    const Row rows[] = {
        {"10010", false, false, false, 1, true},  // A in use and measured
        {"10010", false, false, false, 2, false}, // B measured, not in use
        {"11111", false, false, false, 5, true},
        {"00000", true, false, false, 0, true},   // k-T diagram: no check
        {"10010", false, true, true, 0, true},    // lambda evaluation with lambda data
        {"10010", false, true, false, 0, false},
        {"00002", false, false, false, 0, true},  // linearised concentration charts
        {"00000", false, false, false, 3, false},
    };
    for (const Row& r : rows) {
        Declare d;
        d.Stoffmuster = r.muster;
        d.kTDiagramm = r.kT;
        d.LambdaAuswertung = r.lambdaAusw;
        d.LambdaDaten = r.lambdaDaten;
        if (r.vorhanden) d.DatenVorhanden[r.vorhanden] = true;
        EXPECT_EQ(MeasuredPointsFitDiagram(d), r.fits) << r.muster << " " << r.vorhanden;
    }
}

TEST(ChartContent, FixedPlacesFollowAnotherOutputSize)
{
    Chart2D c;
    c.ChartArea().Location().setWidth(400);
    c.ChartArea().Location().setHeight(300);
    c.Legend().Location().setLeft(390);
    c.Header().Location().setLeft(101);
    c.ChartLabels().setCount(2);
    c.ChartLabels(1).setAttachMethod(AttachMethod::Coord);
    c.ChartLabels(1).setAttachCoordX(50);
    c.ChartLabels(1).setAttachCoordY(20);
    c.ChartLabels(2).setAttachMethod(AttachMethod::DataIndex);
    c.ChartLabels(2).setAttachCoordX(50);

    ScaleFixedLocations(c, 0.5, 1.5);
    EXPECT_EQ(c.ChartArea().Location().Width(), 200);
    EXPECT_EQ(c.ChartArea().Location().Height(), 450);
    EXPECT_EQ(c.Legend().Location().Left(), 195);
    EXPECT_EQ(c.Header().Location().Left(), 51); // 50.5 rounds away from zero
    EXPECT_TRUE(c.Legend().Location().TopAuto()); // automatic places stay automatic
    EXPECT_TRUE(c.ChartArea().Location().LeftAuto());
    EXPECT_EQ(c.ChartLabels(1).AttachCoordX(), 25);
    EXPECT_EQ(c.ChartLabels(1).AttachCoordY(), 30);
    EXPECT_EQ(c.ChartLabels(2).AttachCoordX(), 50); // attached to a point: unchanged

    // unusable factors change nothing
    ScaleFixedLocations(c, 0, 1);
    ScaleFixedLocations(c, NAN, 1);
    EXPECT_EQ(c.ChartArea().Location().Width(), 200);
}

TEST(ChartContent, PrintedChartKeepsItsHeaderCentredAndItsLegendInside)
{
    // A 1000 x 570 chart on screen, printed 15 x 10 cm (567 x 378 pixels at 96
    // dots per inch): the texts keep their size, the plot area shrinks.
    Chart2D c;
    c.setSize(1000, 570);
    c.Header().setText("simulation of the concentrations: A + B => C => P");
    c.Header().setFont(FontSpec{"ARIAL", 11});
    c.ChartArea().Location().setWidth(840);
    c.ChartArea().Location().setHeight(500);
    const int headerWidth = c.Header().Location().Width();
    ASSERT_GT(headerWidth, 200);
    c.Header().Location().setLeft(CenteredHeaderLeft(840, headerWidth));
    c.ChartGroups(1).Data().setNumSeries(1);
    const double xs[2] = {0, 1}, ys[2] = {0, 1};
    c.ChartGroups(1).Data().setPoints(1, xs, ys, 2);
    c.ChartGroups(1).SeriesLabels().Add("a legend text of some length");
    c.Legend().setIsShowing(true);
    c.Legend().Location().setLeft(838);
    c.Legend().Location().setTop(250);
    const int legendWidth = c.Legend().Location().Width();
    ASSERT_GT(legendWidth, 100);

    c.setSize(567, 378);
    ScaleFixedLocations(c, 567.0 / 1000, 378.0 / 570);
    EXPECT_EQ(c.ChartArea().Location().Width(), 476);
    // the header's centre over the centre of the plot area
    const Chart2D& cc = c;
    EXPECT_EQ(cc.Header().Location().Width(), headerWidth);
    EXPECT_NEAR(cc.Header().Location().Left() + headerWidth / 2.0, 476 / 2.0, 1.0);
    // the legend beside the plot area as far as it fits, never beyond the chart
    EXPECT_EQ(cc.Legend().Location().Left(), 567 - legendWidth);
    EXPECT_EQ(cc.Legend().Location().Top(), 166);

    // a header wider than the chart starts at its left edge
    Chart2D narrow;
    narrow.setSize(800, 400);
    narrow.Header().setText(std::string(60, 'W'));
    narrow.Header().Location().setLeft(20);
    narrow.setSize(100, 80);
    ScaleFixedLocations(narrow, 0.125, 0.2);
    EXPECT_EQ(narrow.Header().Location().Left(), 0);
}
