// The design effects of the curve, point, text and labels/legend panels and the
// routing of a right click on the chart.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/chart/chartcontent.h"
#include "core/chart/designeffects.h"

using namespace kinhom;

namespace {

// A chart with the chart window's content layout (24 curve labels, 25..27 further texts).
void WindowChart(Chart2D& c)
{
    ChartContentOptions o;
    o.titel = "Header";
    o.xTitel = "t/s";
    o.yTitel = "c/(mol/l)";
    SetupChartContent(c, o);
}

HitResult Hit(HitResult::Kind kind, int group = 0, int series = 0, int label = 0, AxisId axis = AxisId::X)
{
    HitResult h;
    h.kind = kind;
    h.group = group;
    h.series = series;
    h.label = label;
    h.axis = axis;
    return h;
}

} // namespace

TEST(DesignPanels, RightClickOpensThePanelOfWhatLiesUnderTheMouse)
{
    using K = HitResult::Kind;
    using P = DesignTarget::Panel;
    using F = DesignTarget::Field;
    struct Row {
        const char* what;
        HitResult hit;
        P panel;
        int index;
        F field;
    };
    const Row rows[] = {
        {"curve 7", Hit(K::Curve, 1, 7), P::Curves, 7, F::None},
        {"curve 24", Hit(K::Curve, 1, 24), P::Curves, 24, F::None},
        {"axis window series", Hit(K::Curve, 1, 25), P::None, 0, F::None},
        {"half-life mark", Hit(K::Curve, 1, 26), P::None, 0, F::None},
        {"point set 3", Hit(K::PointSet, 2, 3), P::Points, 3, F::None},
        {"point set 8", Hit(K::PointSet, 2, 8), P::None, 0, F::None},
        {"header", Hit(K::Header), P::Text, 1, F::None},
        {"footer", Hit(K::Footer), P::Text, 2, F::None},
        {"x title", Hit(K::AxisTitle, 0, 0, 0, AxisId::X), P::Text, 3, F::None},
        {"y title", Hit(K::AxisTitle, 0, 0, 0, AxisId::Y), P::Text, 4, F::None},
        {"y2 title", Hit(K::AxisTitle, 0, 0, 0, AxisId::Y2), P::None, 0, F::None},
        {"curve label 5", Hit(K::Label, 0, 0, 5), P::Curves, 5, F::Label},
        {"marker text 26", Hit(K::Label, 0, 0, 26), P::None, 0, F::None},
        {"legend entry of curve 2", Hit(K::Legend, 1, 2), P::Curves, 2, F::Legend},
        {"legend entry of point set 4", Hit(K::Legend, 2, 4), P::Points, 4, F::Legend},
        {"legend outside its entries", Hit(K::Legend), P::Curves, 0, F::Legend},
        {"plot area", Hit(K::PlotArea), P::Diagram, 0, F::None},
        {"chart area", Hit(K::ChartArea), P::Diagram, 0, F::None},
        {"axis numbers", Hit(K::Axis), P::Diagram, 0, F::None},
        {"nothing", Hit(K::None), P::None, 0, F::None},
    };
    for (const Row& r : rows) {
        const DesignTarget t = DesignTargetFor(r.hit);
        EXPECT_EQ(t.panel, r.panel) << r.what;
        EXPECT_EQ(t.index, r.index) << r.what;
        EXPECT_EQ(t.field, r.field) << r.what;
    }
}

TEST(DesignPanels, MarkerTextsOfTheHalfLifeMarks)
{
    using K = HitResult::Kind;
    EXPECT_EQ(MarkerLabelFor(Hit(K::Curve, 1, 26)), 26);
    EXPECT_EQ(MarkerLabelFor(Hit(K::Curve, 1, 27)), 27);
    EXPECT_EQ(MarkerLabelFor(Hit(K::Label, 0, 0, 27)), 27);
    EXPECT_EQ(MarkerLabelFor(Hit(K::Label, 0, 0, 25)), 0);
    EXPECT_EQ(MarkerLabelFor(Hit(K::Curve, 1, 3)), 0);
    EXPECT_EQ(MarkerLabelFor(Hit(K::PointSet, 2, 26)), 0);

    // ln 2 / 0.15 s
    EXPECT_EQ(HalfLifeMarkerText(4.62098f, false, "s", '.'), "tau(A) = 4.62 s");
    EXPECT_EQ(HalfLifeMarkerText(1234.5f, true, "min", ','), "tau(B) = 1234,50 min");

    Chart2D c;
    WindowChart(c);
    PlaceMarkerText(c, 26, 4.62, 0.37, "tau(A) = 4.62 s");
    const ChartLabel& l = c.ChartLabels(26);
    EXPECT_TRUE(l.IsShowing());
    EXPECT_EQ(l.Text(), "tau(A) = 4.62 s");
    EXPECT_EQ(l.AttachMethod(), AttachMethod::DataCoord);
    EXPECT_DOUBLE_EQ(l.AttachDataX(), 4.62);
    EXPECT_DOUBLE_EQ(l.AttachDataY(), 0.37);
    // no other label, and no position that is not a number
    PlaceMarkerText(c, 25, 1, 1, "x");
    EXPECT_FALSE(c.ChartLabels(25).IsShowing());
    PlaceMarkerText(c, 27, std::nan(""), 1, "x");
    EXPECT_FALSE(c.ChartLabels(27).IsShowing());
    PlaceMarkerText(c, 26, 9, std::numeric_limits<double>::infinity(), "x");
    EXPECT_DOUBLE_EQ(c.ChartLabels(26).AttachDataX(), 4.62);
}

TEST(DesignPanels, TextPanelPerElement)
{
    struct Row {
        int e;
        const char* caption;
        bool setsCaption, keepBlanks, shift, frame, back, yOrient, curvePanel;
    };
    const Row rows[] = {
        {1, "Design Header", true, false, true, true, true, false, false},
        {2, "Design Additional text", true, false, true, true, true, false, false},
        {3, "Design X-Axis Annotation", true, false, false, false, false, false, false},
        {4, "Design Y-Axis Annotation", true, true, false, false, false, true, false},
        {5, "", false, false, true, true, true, false, true},
    };
    for (const Row& r : rows) {
        const TextPanelSetup s = TextPanelFor(r.e);
        EXPECT_TRUE(s.known) << r.e;
        EXPECT_EQ(s.caption, r.caption) << r.e;
        EXPECT_EQ(s.setsCaption, r.setsCaption) << r.e;
        EXPECT_EQ(s.keepTrailingBlanks, r.keepBlanks) << r.e;
        EXPECT_EQ(s.shiftEnabled, r.shift) << r.e;
        EXPECT_EQ(s.frameEnabled, r.frame) << r.e;
        EXPECT_EQ(s.backColorEnabled, r.back) << r.e;
        EXPECT_EQ(s.yOrientationEnabled, r.yOrient) << r.e;
        EXPECT_EQ(s.opensCurvePanel, r.curvePanel) << r.e;
    }
    EXPECT_FALSE(TextPanelFor(0).known);
    EXPECT_FALSE(TextPanelFor(6).known);
}

TEST(DesignPanels, TextElementsTextFontFrameAndPlace)
{
    Chart2D c;
    WindowChart(c);
    c.Header().setText("Kinetics  ");
    c.Footer().setText("line 1\r\nline 2 ");
    c.ChartArea().Axes(AxisId::X).Title().setText("t/s ");
    c.ChartArea().Axes(AxisId::Y).Title().setText("c/(mol/l)  ");

    // the box shows header, footer and X title without trailing blanks, the Y title as it is
    EXPECT_EQ(TextElementText(c, 1), "Kinetics");
    EXPECT_EQ(TextElementText(c, 2), "line 1\r\nline 2");
    EXPECT_EQ(TextElementText(c, 3), "t/s");
    EXPECT_EQ(TextElementText(c, 4), "c/(mol/l)  ");
    EXPECT_EQ(TextElementText(c, 5), "");
    EXPECT_EQ(TrimTrailingBlanks("a \t "), "a \t");
    EXPECT_EQ(TrimTrailingBlanks("   "), "");

    // the box's text goes into the chosen element only
    SetTextElementText(c, 3, "time");
    SetTextElementText(c, 5, "nowhere");
    EXPECT_EQ(c.ChartArea().Axes(AxisId::X).Title().Text(), "time");
    EXPECT_EQ(c.Header().Text(), "Kinetics  ");
    EXPECT_EQ(c.ChartArea().Axes(AxisId::Y).Title().Text(), "c/(mol/l)  ");

    // fonts: name, size, italic and bold from the dialog; underline stays
    FontSpec chosen;
    chosen.Name = "DejaVu Serif";
    chosen.Size = 14.5f;
    chosen.Italic = true;
    chosen.Bold = true;
    chosen.Underline = false;
    FontSpec underlined = c.ChartArea().Axes(AxisId::Y).Title().Font();
    underlined.Underline = true;
    c.ChartArea().Axes(AxisId::Y).Title().setFont(underlined);
    ApplyTextElementFont(c, 4, chosen);
    const FontSpec y = c.ChartArea().Axes(AxisId::Y).Title().Font();
    EXPECT_EQ(y.Name, "DejaVu Serif");
    EXPECT_FLOAT_EQ(y.Size, 14.5f);
    EXPECT_TRUE(y.Italic);
    EXPECT_TRUE(y.Bold);
    EXPECT_TRUE(y.Underline);
    EXPECT_EQ(c.ChartArea().Axes(AxisId::X).Title().Font().Name, "ARIAL");
    // a size the dialog cannot mean keeps the old size
    FontSpec zero = chosen;
    zero.Size = 0;
    ApplyTextElementFont(c, 1, zero);
    EXPECT_EQ(c.Header().Font().Name, "DejaVu Serif");
    EXPECT_GT(c.Header().Font().Size, 0.0f);

    // frames only for header and footer
    ApplyTextFrame(c, 1, true);
    ApplyTextFrame(c, 3, true);
    EXPECT_EQ(c.Header().Border().Type(), BorderType::Plain);
    EXPECT_TRUE(TextElementFramed(c, 1));
    EXPECT_FALSE(TextElementFramed(c, 2));
    EXPECT_FALSE(TextElementFramed(c, 3));
    ApplyTextFrame(c, 1, false);
    EXPECT_EQ(c.Header().Border().Type(), BorderType::None);

    // places: header and footer only; a set place stops being automatic
    MoveTextElementTop(c, 2, 40);
    MoveTextElementLeft(c, 2, 55);
    EXPECT_EQ(c.Footer().Location().Top(), 40);
    EXPECT_EQ(c.Footer().Location().Left(), 55);
    EXPECT_FALSE(c.Footer().Location().TopAuto());
    EXPECT_EQ(TextElementTop(c, 2), 40);
    EXPECT_FALSE(TextElementTop(c, 3).has_value());
    EXPECT_FALSE(TextElementLeft(c, 4).has_value());

    ApplyTextBackground(c, 1, RGB(10, 20, 30));
    EXPECT_EQ(c.Header().Interior().BackgroundColor(), RGB(10, 20, 30));
    EXPECT_FALSE(c.Header().Interior().IsTransparent());
}

TEST(DesignPanels, CurveLabelsChangeTheTwentyFourCurveLabelsOnly)
{
    Chart2D c;
    WindowChart(c);
    ApplyCurveLabelsShown(c, false);
    ApplyCurveLabelFrame(c, true);
    ApplyCurveLabelColor(c, RGB(200, 0, 0), true);
    ApplyCurveLabelColor(c, RGB(0, 0, 200), false);
    FontSpec chosen;
    chosen.Name = "DejaVu Sans Mono";
    chosen.Size = 7;
    chosen.Bold = true;
    ApplyCurveLabelFont(c, chosen);
    for (int i = 1; i <= 24; ++i) {
        const ChartLabel& l = c.ChartLabels(i);
        EXPECT_FALSE(l.IsShowing()) << i;
        EXPECT_EQ(l.Border().Type(), BorderType::Plain) << i;
        EXPECT_EQ(l.Interior().ForegroundColor(), RGB(200, 0, 0)) << i;
        EXPECT_EQ(l.Interior().BackgroundColor(), RGB(0, 0, 200)) << i;
        EXPECT_EQ(l.Font().Name, "DejaVu Sans Mono") << i;
        EXPECT_TRUE(l.Font().Bold) << i;
    }
    // the further texts and the half-life marker texts keep their look
    for (int i = 25; i <= 27; ++i) {
        const ChartLabel& l = c.ChartLabels(i);
        EXPECT_EQ(l.Border().Type(), BorderType::None) << i;
        EXPECT_EQ(l.Interior().ForegroundColor(), RGB(255, 0, 0)) << i;
        EXPECT_EQ(l.Font().Name, "ARIAL") << i;
    }
    ApplyCurveLabelsShown(c, true);
    ApplyCurveLabelFrame(c, false);
    EXPECT_TRUE(c.ChartLabels(24).IsShowing());
    EXPECT_FALSE(c.ChartLabels(26).IsShowing());
    EXPECT_EQ(c.ChartLabels(1).Border().Type(), BorderType::None);

    ApplyCurveLabelPoint(c, 3, 57);
    EXPECT_EQ(c.ChartLabels(3).AttachPoint(), 57);
    ApplyCurveLabelPoint(c, 26, 9);
    EXPECT_EQ(c.ChartLabels(26).AttachPoint(), 1);
}

TEST(DesignPanels, Legend)
{
    Chart2D c;
    WindowChart(c);
    ApplyLegendOrientation(c, 0);
    EXPECT_EQ(c.Legend().Orientation(), Orientation::Horizontal);
    ApplyLegendOrientation(c, 2);
    EXPECT_EQ(c.Legend().Orientation(), Orientation::Horizontal);
    ApplyLegendOrientation(c, 1);
    EXPECT_EQ(c.Legend().Orientation(), Orientation::Vertical);

    ApplyLegendFrame(c, false);
    EXPECT_EQ(c.Legend().Border().Type(), BorderType::None);
    ApplyLegendFrame(c, true);
    EXPECT_EQ(c.Legend().Border().Type(), BorderType::Plain);

    // a new background on a transparent legend colours it at once
    ApplyLegendTransparency(c, true, RGB(255, 255, 255));
    ASSERT_TRUE(c.Legend().Interior().IsTransparent());
    EXPECT_EQ(ApplyLegendBackground(c, RGB(255, 255, 160)), RGB(255, 255, 160));
    EXPECT_FALSE(c.Legend().Interior().IsTransparent());

    FontSpec chosen;
    chosen.Name = "DejaVu Serif";
    chosen.Size = 12;
    chosen.Italic = true;
    ApplyLegendFont(c, chosen);
    EXPECT_EQ(c.Legend().Font().Name, "DejaVu Serif");
    EXPECT_FLOAT_EQ(c.Legend().Font().Size, 12.0f);
    EXPECT_TRUE(c.Legend().Font().Italic);
    EXPECT_FALSE(c.Legend().Font().Bold);
}

TEST(DesignPanels, CurveAndPointStyles)
{
    Chart2D c;
    WindowChart(c);
    ApplyCurveColor(c, 4, RGB(255, 0, 0));
    EXPECT_EQ(c.ChartGroups(1).Styles(4).LineStyle().Color(), RGB(255, 0, 0));
    EXPECT_EQ(c.ChartGroups(1).Styles(4).SymbolStyle().Color(), RGB(255, 0, 0));
    EXPECT_EQ(c.ChartGroups(1).Styles(3).LineStyle().Color(), RGB(0, 0, 255));
    ApplyPointColor(c, 6, RGB(0, 128, 0));
    EXPECT_EQ(c.ChartGroups(2).Styles(6).SymbolStyle().Color(), RGB(0, 128, 0));
    EXPECT_EQ(c.ChartGroups(1).Styles(6).SymbolStyle().Color(), RGB(0, 0, 255));

    struct Row {
        int asked, width, size;
    };
    for (const Row r : {Row{3, 3, 3}, Row{0, 1, 1}, Row{-4, 1, 1}, Row{11, 10, 11}, Row{25, 10, 20}}) {
        EXPECT_EQ(ApplyCurveWidth(c, 2, r.asked), r.width) << r.asked;
        EXPECT_EQ(c.ChartGroups(1).Styles(2).LineStyle().Width(), r.width) << r.asked;
        EXPECT_EQ(ApplyPointSize(c, 2, r.asked), r.size) << r.asked;
        EXPECT_EQ(c.ChartGroups(2).Styles(2).SymbolStyle().Size(), r.size) << r.asked;
    }
    EXPECT_EQ(CurveTabCaption(7), "C.7");
    EXPECT_EQ(CurveTabCaption(24), "C.24");
}

TEST(DesignPanels, DesignMenuAndFirstTab)
{
    EXPECT_FALSE(CurveDesignEnabled(0));
    EXPECT_TRUE(CurveDesignEnabled(1));

    Chart2D c;
    WindowChart(c);
    // no point anywhere
    EXPECT_FALSE(PointDesignEnabled(c, false, true));
    // a k-T diagram follows kTDaten, points or not
    EXPECT_TRUE(PointDesignEnabled(c, true, true));
    EXPECT_FALSE(PointDesignEnabled(c, true, false));
    // the manually added points alone are enough
    c.ChartGroups(2).Data().setNumPoints(7, 1);
    EXPECT_TRUE(PointDesignEnabled(c, false, false));
    EXPECT_FALSE(PointDesignEnabled(c, true, false));

    KurvenSlots slots{};
    slots.fill(true);
    EXPECT_EQ(FirstUsedCurveSlot(slots), 0);
    slots[17] = false;
    EXPECT_EQ(FirstUsedCurveSlot(slots), 17);
    slots[5] = false;
    EXPECT_EQ(FirstUsedCurveSlot(slots), 5);
}
