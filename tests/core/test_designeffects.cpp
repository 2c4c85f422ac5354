#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/chart/axisscale.h"
#include "core/chart/designeffects.h"

using namespace kinhom;

namespace {

const Axis& X(const Chart2D& c) { return c.ChartArea().Axes(AxisId::X); }
const Axis& Y(const Chart2D& c) { return c.ChartArea().Axes(AxisId::Y); }

void Window(Chart2D& c, double xMin, double xMax, double yMin, double yMax)
{
    Axis& x = c.ChartArea().Axes(AxisId::X);
    Axis& y = c.ChartArea().Axes(AxisId::Y);
    x.setMin(xMin);
    x.setMax(xMax);
    y.setMin(yMin);
    y.setMax(yMax);
}

} // namespace

TEST(DesignEffects, GridChoiceTable)
{
    struct Row {
        int modus;
        int pattern;
        int x;
        int y;
    };
    // without / Y only / X only / full, in both line styles
    const Row rows[] = {
        {0, 4, 1, 1}, {1, 4, 1, 4}, {2, 4, 4, 1}, {3, 4, 4, 4},
        {0, 2, 1, 1}, {1, 2, 1, 2}, {2, 2, 2, 1}, {3, 2, 2, 2},
    };
    for (const Row& r : rows) {
        Chart2D c;
        ApplyGridChoice(c, r.modus, r.pattern);
        EXPECT_EQ(X(c).GridStyle().Pattern(), r.x) << "modus " << r.modus << " pattern " << r.pattern;
        EXPECT_EQ(Y(c).GridStyle().Pattern(), r.y) << "modus " << r.modus << " pattern " << r.pattern;
    }
    // an index outside the option array leaves the grid as it is
    Chart2D c;
    ApplyGridChoice(c, 3, 2);
    ApplyGridChoice(c, 4, 4);
    ApplyGridChoice(c, -1, 4);
    EXPECT_EQ(X(c).GridStyle().Pattern(), 2);
    EXPECT_EQ(Y(c).GridStyle().Pattern(), 2);

    // "Curve dotted" / "solid line"
    EXPECT_EQ(GridLinePatternFor(0, 2), 4);
    EXPECT_EQ(GridLinePatternFor(1, 4), 2);
    EXPECT_EQ(GridLinePatternFor(7, 4), 4);
}

TEST(DesignEffects, ColourPresets)
{
    const Rgb black = RGB(0, 0, 0), white = RGB(255, 255, 255), grey = RGB(210, 210, 210);

    // Black
    {
        Chart2D c;
        ApplyColorPreset(c, ColorPreset::Black, 4);
        EXPECT_EQ(c.Interior().BackgroundColor(), black);
        EXPECT_EQ(c.Header().Interior().ForegroundColor(), white);
        EXPECT_EQ(c.Header().Interior().BackgroundColor(), black);
        EXPECT_EQ(c.Footer().Interior().ForegroundColor(), white);
        EXPECT_EQ(c.Footer().Interior().BackgroundColor(), black);
        EXPECT_EQ(c.ChartArea().Interior().BackgroundColor(), black);
        EXPECT_EQ(c.ChartArea().Interior().ForegroundColor(), white);
        EXPECT_EQ(X(c).GridStyle().Color(), RGB(130, 130, 130));
        EXPECT_EQ(Y(c).GridStyle().Color(), RGB(130, 130, 130));
        EXPECT_EQ(c.ChartArea().PlotArea().Interior().BackgroundColor(), black);
        EXPECT_TRUE(c.Legend().Interior().IsTransparent());
        EXPECT_EQ(c.Legend().Interior().ForegroundColor(), white);
        EXPECT_EQ(PresetButtonColor(ColorPreset::Black), black);
    }
    // White after "without Grid": the grid of both axes shows in the line style
    {
        Chart2D c;
        ApplyGridChoice(c, 0, 4);
        ApplyColorPreset(c, ColorPreset::White, 4);
        EXPECT_EQ(X(c).GridStyle().Pattern(), 4);
        EXPECT_EQ(Y(c).GridStyle().Pattern(), 4);
        EXPECT_EQ(X(c).GridStyle().Color(), RGB(143, 143, 143));
        EXPECT_EQ(c.Interior().BackgroundColor(), white);
        EXPECT_EQ(c.Header().Interior().ForegroundColor(), black);
        EXPECT_EQ(c.ChartArea().Interior().ForegroundColor(), black);
        EXPECT_EQ(c.ChartArea().PlotArea().Interior().BackgroundColor(), white);
        EXPECT_TRUE(c.Legend().Interior().IsTransparent());
        EXPECT_EQ(c.Legend().Interior().ForegroundColor(), black);
        EXPECT_EQ(PresetButtonColor(ColorPreset::White), white);
    }
    // Grey changes only the backgrounds of chart, header, footer and chart area
    {
        Chart2D c;
        ApplyColorPreset(c, ColorPreset::Black, 4);
        ApplyGridChoice(c, 0, 4);
        ApplyColorPreset(c, ColorPreset::Grey, 2);
        EXPECT_EQ(c.Interior().BackgroundColor(), grey);
        EXPECT_EQ(c.Header().Interior().BackgroundColor(), grey);
        EXPECT_EQ(c.Header().Interior().ForegroundColor(), black);
        EXPECT_EQ(c.Footer().Interior().BackgroundColor(), grey);
        EXPECT_EQ(c.ChartArea().Interior().BackgroundColor(), grey);
        // untouched: the black preset's values stay
        EXPECT_EQ(c.ChartArea().Interior().ForegroundColor(), white);
        EXPECT_EQ(c.ChartArea().PlotArea().Interior().BackgroundColor(), black);
        EXPECT_EQ(X(c).GridStyle().Pattern(), 1);
        EXPECT_EQ(X(c).GridStyle().Color(), RGB(130, 130, 130));
        EXPECT_EQ(c.Legend().Interior().ForegroundColor(), white);
        EXPECT_TRUE(c.Legend().Interior().IsTransparent());
        EXPECT_EQ(PresetButtonColor(ColorPreset::Grey), grey);
    }
}

TEST(DesignEffects, ScalingManualAndAutomatic)
{
    Chart2D c;
    Window(c, 0, 10, 0, 1);

    // automatic: the boxes get the chart's nice steps (0..10 -> 2, 0..1 -> 0.2)
    const auto v = ApplyAutomaticScaling(c);
    EXPECT_DOUBLE_EQ(v[0], 2.0);
    EXPECT_DOUBLE_EQ(v[1], 0.2);
    EXPECT_DOUBLE_EQ(v[2], 2.0);
    EXPECT_DOUBLE_EQ(v[3], 0.2);
    EXPECT_DOUBLE_EQ(v[4], 2.0);
    EXPECT_DOUBLE_EQ(v[5], 0.2);
    EXPECT_TRUE(X(c).GridSpacing().IsAuto());
    EXPECT_TRUE(Y(c).NumSpacing().IsAuto());

    // manual: grid and tick stop being automatic, numbering stays automatic;
    // letters only give 0
    ApplyManualScaling(c, "abc", "0.25 per step");
    EXPECT_FALSE(X(c).GridSpacing().IsAuto());
    EXPECT_FALSE(Y(c).GridSpacing().IsAuto());
    EXPECT_FALSE(X(c).TickSpacing().IsAuto());
    EXPECT_FALSE(Y(c).TickSpacing().IsAuto());
    EXPECT_TRUE(X(c).NumSpacing().IsAuto());
    EXPECT_DOUBLE_EQ(X(c).GridSpacing().Value(), 0.0);
    EXPECT_DOUBLE_EQ(Y(c).GridSpacing().Value(), 0.25);

    // the spacing boxes' change handler: "," read as "."
    EXPECT_EQ(ApplySpacingText(c, SpacingBox::TickX, "2,5"), "2.5");
    EXPECT_DOUBLE_EQ(X(c).TickSpacing().Value(), 2.5);

    // back to automatic: everything computed again
    const auto w = ApplyAutomaticScaling(c);
    EXPECT_DOUBLE_EQ(w[0], 2.0);
    EXPECT_DOUBLE_EQ(w[3], 0.2);
    EXPECT_TRUE(X(c).TickSpacing().IsAuto());

    // box texts: leading blank for values >= 0
    EXPECT_EQ(SpacingBoxText(20), " 20");
    EXPECT_EQ(SpacingBoxText(0.5), " 0.5");
    EXPECT_EQ(SpacingBoxText(-1), "-1");
}

TEST(DesignEffects, LegendTransparency)
{
    Chart2D c;
    ApplyLegendTransparency(c, true, RGB(1, 2, 3));
    EXPECT_TRUE(c.Legend().Interior().IsTransparent());
    ApplyLegendTransparency(c, false, RGB(200, 100, 50));
    EXPECT_FALSE(c.Legend().Interior().IsTransparent());
    EXPECT_EQ(c.Legend().Interior().BackgroundColor(), RGB(200, 100, 50));
}

TEST(DesignEffects, CurveStyleList)
{
    struct Row {
        int pos;
        int pattern;
        int shape;
    };
    const Row rows[] = {{0, 1, 2}, {1, 2, 1}, {2, 4, 1}, {3, 3, 1}, {4, 7, 1}};
    for (const Row& r : rows) {
        Chart2D c;
        c.ChartGroups(1).Data().setNumSeries(3);
        ApplyCurveStyle(c, 3, r.pos);
        EXPECT_EQ(c.ChartGroups(1).Styles(3).LineStyle().Pattern(), r.pattern) << r.pos;
        EXPECT_EQ(c.ChartGroups(1).Styles(3).SymbolStyle().Shape(), r.shape) << r.pos;
        EXPECT_EQ(CurveStyleListPos(r.pattern), r.pos);
    }
    // patterns the list does not offer read back as "Single points only"
    EXPECT_EQ(CurveStyleListPos(5), 0);
    EXPECT_EQ(CurveStyleListPos(6), 0);
    EXPECT_EQ(CurveStyleListPos(99), 0);

    // a position outside the list changes nothing
    Chart2D c;
    c.ChartGroups(1).Data().setNumSeries(1);
    ApplyCurveStyle(c, 1, 3);
    ApplyCurveStyle(c, 1, 5);
    ApplyCurveStyle(c, 1, -1);
    EXPECT_EQ(c.ChartGroups(1).Styles(1).LineStyle().Pattern(), 3);
}

TEST(DesignEffects, PointStyleList)
{
    // Dot, Circle, Triangle, Square, Star, Cross, Box, Diamond, Vertical line,
    // Horizontal line, hidden
    const int shapes[11] = {2, 10, 4, 11, 6, 9, 3, 5, 7, 8, 1};
    for (int pos = 0; pos < 11; ++pos) {
        Chart2D c;
        c.ChartGroups(2).Data().setNumSeries(7);
        ApplyPointStyle(c, 7, pos);
        EXPECT_EQ(c.ChartGroups(2).Styles(7).SymbolStyle().Shape(), shapes[pos]) << pos;
    }
    EXPECT_EQ(PointStyleShape(11), 0);
    EXPECT_EQ(std::string(kPointStyleItems[10]), "hidden");
    EXPECT_EQ(std::string(kCurveStyleItems[0]), "Single points only");
}

TEST(DesignEffects, FramePlacementsAndOrientation)
{
    Chart2D c;
    EXPECT_TRUE(ApplyFrameType(c, 2));
    EXPECT_EQ(c.Border().Type(), BorderType::Plain);
    EXPECT_TRUE(ApplyFrameType(c, 3));
    EXPECT_EQ(c.Border().Type(), 9);
    EXPECT_TRUE(ApplyFrameType(c, 1));
    EXPECT_EQ(c.Border().Type(), 1);
    EXPECT_FALSE(ApplyFrameType(c, 0));
    EXPECT_EQ(c.Border().Type(), BorderType::None);

    ApplyDiagramFrame(c, false);
    EXPECT_FALSE(c.ChartArea().PlotArea().IsBoxed());
    ApplyDiagramFrame(c, true);
    EXPECT_TRUE(c.ChartArea().PlotArea().IsBoxed());

    MarginSet& m = c.ChartArea().PlotArea().Margins();
    m.setLeft(40);
    m.setTop(10);
    ApplyAutoBorders(c);
    EXPECT_TRUE(m.LeftAuto());
    EXPECT_TRUE(m.TopAuto());

    Axis& x = c.ChartArea().Axes(AxisId::X);
    const int numbering[3] = {2, 1, 3};
    const int origin[3] = {2, 1, 3};
    for (int i = 0; i < 3; ++i) {
        ApplyNumberingPlacement(x, i);
        EXPECT_EQ(x.NumberingPlacement(), numbering[i]);
        ApplyOriginPlacement(x, i);
        EXPECT_EQ(x.OriginPlacement(), origin[i]);
    }
    ApplyOriginPlacement(x, 3); // the manual origin value
    EXPECT_EQ(x.OriginPlacement(), OriginPlacement::Value);

    ApplyStandardOrigin(c);
    EXPECT_EQ(X(c).OriginPlacement(), OriginPlacement::Minimum);
    EXPECT_EQ(Y(c).OriginPlacement(), OriginPlacement::Minimum);

    ApplyYTitleOrientation(c, 1);
    EXPECT_EQ(Y(c).Title().Rotation(), Rotation::Up);
    ApplyYTitleOrientation(c, 0);
    EXPECT_EQ(Y(c).Title().Rotation(), Rotation::Horizontal);
    ApplyYNumberOrientation(c, 1);
    EXPECT_EQ(Y(c).NumberingRotation(), Rotation::Up);
    ApplyYNumberOrientation(c, 0);
    EXPECT_EQ(Y(c).NumberingRotation(), Rotation::Horizontal);
}

// ---- Diagram Settings: log axes, spacing boxes, origins, frames, margins, colours -------

TEST(DesignEffects, LogarithmicAxesInvertEachFlag)
{
    Chart2D c;
    Window(c, 1, 1000, 1, 100);
    Axis& y2 = c.ChartArea().Axes(AxisId::Y2);

    InvertLogX(c);
    EXPECT_TRUE(X(c).IsLogarithmic());
    EXPECT_FALSE(Y(c).IsLogarithmic());
    // a logarithmic axis is spaced in decades: 1..1000 numbered at every decade
    EXPECT_DOUBLE_EQ(ApplyAutomaticScaling(c)[0], 1.0);
    InvertLogX(c);
    EXPECT_FALSE(X(c).IsLogarithmic());
    EXPECT_DOUBLE_EQ(ApplyAutomaticScaling(c)[0], 100.0); // 0..1000 linear: steps of 100

    // Y and Y2 are inverted each by itself, so a Y2 that differs keeps differing
    y2.setIsLogarithmic(true);
    InvertLogY(c);
    EXPECT_TRUE(Y(c).IsLogarithmic());
    EXPECT_FALSE(y2.IsLogarithmic());
    InvertLogY(c);
    EXPECT_FALSE(Y(c).IsLogarithmic());
    EXPECT_TRUE(y2.IsLogarithmic());
    // the axis window stays as it was set
    EXPECT_DOUBLE_EQ(X(c).Min(), 1.0);
    EXPECT_DOUBLE_EQ(X(c).Max(), 1000.0);
}

TEST(DesignEffects, UnusableSpacingLeavesTheAxisOnItsAutomaticSpacing)
{
    // 0..10 has the automatic step 2 (grid lines 0, 2, ..., 10)
    for (const char* text : {"0", "-5", "1e-9", "abc", "", "1e999"}) {
        Chart2D c;
        Window(c, 0, 10, 0, 1);
        ApplyManualScaling(c, " 2", " 0.2");
        EXPECT_EQ(ApplySpacingBox(c, SpacingBox::GridX, text, true), std::string(text));
        EXPECT_EQ(ApplySpacingBox(c, SpacingBox::TickX, text, true), std::string(text));
        EXPECT_EQ(ApplySpacingBox(c, SpacingBox::NumX, text, true), std::string(text));
        const AxisScale& s = c.Scale(AxisId::X);
        EXPECT_DOUBLE_EQ(s.gridSpacing, 2.0) << text;
        EXPECT_DOUBLE_EQ(s.tickSpacing, 2.0) << text;
        EXPECT_DOUBLE_EQ(s.numSpacing, 2.0) << text;
        EXPECT_EQ(s.grid.size(), 6u) << text;
        EXPECT_EQ(s.numbers.size(), 6u) << text;
    }
    // a usable value takes effect: "0,5" gives grid lines every 0.5
    Chart2D c;
    Window(c, 0, 10, 0, 1);
    ApplyManualScaling(c, " 2", " 0.2");
    EXPECT_EQ(ApplySpacingBox(c, SpacingBox::GridX, "0,5", true), "0.5");
    EXPECT_DOUBLE_EQ(c.Scale(AxisId::X).gridSpacing, 0.5);
    EXPECT_EQ(c.Scale(AxisId::X).grid.size(), 21u);
    // ... and only on its own axis
    EXPECT_DOUBLE_EQ(c.Scale(AxisId::Y).gridSpacing, 0.2);
}

TEST(DesignEffects, NumberingBoxTakesEffectOnlyUnderManualScaling)
{
    Chart2D c;
    Window(c, 0, 10, 0, 1);
    ApplyAutomaticScaling(c);
    // automatic: the box's value is kept but the chart goes on computing
    ApplySpacingBox(c, SpacingBox::NumX, " 5", false);
    EXPECT_TRUE(X(c).NumSpacing().IsAuto());
    EXPECT_DOUBLE_EQ(c.Scale(AxisId::X).numSpacing, 2.0);
    // manual: the typed numbering spacing is used
    ApplyManualScaling(c, " 2", " 0.2");
    ApplySpacingBox(c, SpacingBox::NumX, " 5", true);
    EXPECT_FALSE(X(c).NumSpacing().IsAuto());
    EXPECT_DOUBLE_EQ(c.Scale(AxisId::X).numSpacing, 5.0);
    EXPECT_EQ(c.Scale(AxisId::X).numbers, (std::vector<double>{0, 5, 10}));
    EXPECT_TRUE(Y(c).NumSpacing().IsAuto());
}

TEST(DesignEffects, OriginChoicesAndTheValueBox)
{
    struct Row {
        int index;
        const char* text;
        int placement;
        double origin; // where the crossing axis stands on -5..5
    };
    const Row rows[] = {
        {0, "3", OriginPlacement::Minimum, -5}, {1, "3", OriginPlacement::Zero, 0},
        {2, "3", OriginPlacement::Maximum, 5},  {3, "2,5", OriginPlacement::Value, 2.5},
        {3, "-1.5 units", OriginPlacement::Value, -1.5}, {3, "abc", OriginPlacement::Value, 0},
        {3, "50", OriginPlacement::Value, 5}, // outside the window: at its edge
    };
    for (const Row& r : rows) {
        Chart2D c;
        Window(c, -5, 5, -5, 5);
        Axis& x = c.ChartArea().Axes(AxisId::X);
        ApplyOriginChoice(x, r.index, r.text);
        EXPECT_EQ(x.OriginPlacement(), r.placement) << r.index << " " << r.text;
        EXPECT_DOUBLE_EQ(c.Scale(AxisId::X).origin, r.origin) << r.index << " " << r.text;
        EXPECT_EQ(Y(c).OriginPlacement(), OriginPlacement::Minimum);
    }
    Chart2D c;
    Window(c, -5, 5, -5, 5);
    Axis& y = c.ChartArea().Axes(AxisId::Y);
    ApplyOriginChoice(y, 3, "1");
    // a number beyond a double is not taken; another index changes nothing
    EXPECT_EQ(ApplyOriginText(y, "1e999"), "1e999");
    EXPECT_DOUBLE_EQ(y.Origin(), 1.0);
    ApplyOriginChoice(y, 4, "2");
    ApplyOriginChoice(y, -1, "2");
    EXPECT_EQ(y.OriginPlacement(), OriginPlacement::Value);
    EXPECT_DOUBLE_EQ(y.Origin(), 1.0);
    // the box edited while "at Y =" is chosen moves the axis at once
    ApplyOriginText(y, "-2");
    EXPECT_DOUBLE_EQ(c.Scale(AxisId::Y).origin, -2.0);
}

TEST(DesignEffects, FrameWidthChartAreaFrameAndMargins)
{
    Chart2D c;
    const int widths[][2] = {{1, 1}, {5, 5}, {0, 1}, {-3, 1}, {20, 20}, {99, 20}};
    for (const auto& w : widths) {
        EXPECT_EQ(ApplyFrameWidth(c, w[0]), w[1]);
        EXPECT_EQ(c.Border().Width(), w[1]);
    }

    const int types[5] = {0, 1, 2, 3, 4};
    for (int i = 0; i < 5; ++i) {
        ApplyChartAreaFrame(c, i);
        EXPECT_EQ(c.ChartArea().Border().Type(), types[i]);
    }
    ApplyChartAreaFrame(c, 5);
    EXPECT_EQ(c.ChartArea().Border().Type(), BorderType::Plain);

    // a scroll bar sets its own margin only; out-of-range values are clamped
    const MarginSet& m = c.ChartArea().PlotArea().Margins();
    const int autoLeft = CurrentMargin(c, MarginSide::Left);
    EXPECT_GT(autoLeft, 0); // the automatic margin holds the Y numbering
    EXPECT_EQ(ApplyMargin(c, MarginSide::Top, 40), 40);
    EXPECT_EQ(m.Top(), 40);
    EXPECT_FALSE(m.TopAuto());
    EXPECT_TRUE(m.LeftAuto());
    EXPECT_TRUE(m.BottomAuto());
    EXPECT_EQ(ApplyMargin(c, MarginSide::Right, -7), 0);
    EXPECT_EQ(m.Right(), 0);
    EXPECT_EQ(ApplyMargin(c, MarginSide::Bottom, 5000), kMaxMargin);
    EXPECT_EQ(CurrentMargin(c, MarginSide::Bottom), kMaxMargin);
    ApplyAutoBorders(c);
    EXPECT_TRUE(m.TopAuto() && m.RightAuto() && m.BottomAuto());
    EXPECT_EQ(CurrentMargin(c, MarginSide::Left), autoLeft);
}

TEST(DesignEffects, BackgroundAndGridColours)
{
    Chart2D c;
    const Rgb red = RGB(200, 0, 0), green = RGB(0, 150, 0), blue = RGB(0, 0, 180);
    EXPECT_EQ(ApplyBackgroundColor(c, Background::Chart, red), red);
    EXPECT_EQ(ApplyBackgroundColor(c, Background::ChartArea, green), green);
    EXPECT_EQ(ApplyBackgroundColor(c, Background::PlotArea, blue), blue);
    EXPECT_EQ(c.Interior().BackgroundColor(), red);
    EXPECT_EQ(c.ChartArea().Interior().BackgroundColor(), green);
    EXPECT_EQ(c.ChartArea().PlotArea().Interior().BackgroundColor(), blue);
    EXPECT_EQ(ApplyGridColor(c, green), green);
    EXPECT_EQ(X(c).GridStyle().Color(), green);
    EXPECT_EQ(Y(c).GridStyle().Color(), green);
}
