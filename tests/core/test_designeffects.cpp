#include <gtest/gtest.h>

#include <string>

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
