#include "core/chart/designeffects.h"

#include <algorithm>

#include "core/shell/numtext.h"

namespace kinhom {

namespace {

constexpr Rgb kBlack = RGB(0, 0, 0);
constexpr Rgb kWhite = RGB(255, 255, 255);
constexpr Rgb kGrey = RGB(210, 210, 210);

Axis& AxisX(Chart2D& c) { return c.ChartArea().Axes(AxisId::X); }
Axis& AxisY(Chart2D& c) { return c.ChartArea().Axes(AxisId::Y); }

AxisSpacing& SpacingOf(Chart2D& c, SpacingBox box)
{
    switch (box) {
    case SpacingBox::GridX: return AxisX(c).GridSpacing();
    case SpacingBox::GridY: return AxisY(c).GridSpacing();
    case SpacingBox::TickX: return AxisX(c).TickSpacing();
    case SpacingBox::TickY: return AxisY(c).TickSpacing();
    case SpacingBox::NumX: return AxisX(c).NumSpacing();
    case SpacingBox::NumY: break;
    }
    return AxisY(c).NumSpacing();
}

} // namespace

// ---- grid --------------------------------------------------------------------------

int GridLinePatternFor(int opt2Index, int current)
{
    if (opt2Index == 0) return LinePattern::Dotted;
    if (opt2Index == 1) return LinePattern::Solid;
    return current;
}

void ApplyGridChoice(Chart2D& chart, int gitterModus, int linePattern)
{
    if (gitterModus < 0 || gitterModus > 3) return;
    const bool xGrid = gitterModus == 2 || gitterModus == 3;
    const bool yGrid = gitterModus == 1 || gitterModus == 3;
    Chart2D::Batch batch(chart);
    AxisX(chart).GridStyle().setPattern(xGrid ? linePattern : LinePattern::None);
    AxisY(chart).GridStyle().setPattern(yGrid ? linePattern : LinePattern::None);
}

// ---- colour presets -----------------------------------------------------------------

void ApplyColorPreset(Chart2D& chart, ColorPreset preset, int linePattern)
{
    Chart2D::Batch batch(chart);
    const Rgb back = preset == ColorPreset::Black ? kBlack : preset == ColorPreset::White ? kWhite : kGrey;
    const Rgb text = preset == ColorPreset::Black ? kWhite : kBlack;

    chart.Interior().setBackgroundColor(back);
    for (TitleBox* t : {&chart.Header(), &chart.Footer()}) {
        t->Interior().setForegroundColor(text);
        t->Interior().setBackgroundColor(back);
    }
    chart.ChartArea().Interior().setBackgroundColor(back);
    chart.Legend().Interior().setTransparent(true);

    if (preset == ColorPreset::Grey) return;

    chart.ChartArea().Interior().setForegroundColor(text);
    const Rgb grid = preset == ColorPreset::Black ? RGB(130, 130, 130) : RGB(143, 143, 143);
    if (preset == ColorPreset::White) {
        AxisX(chart).GridStyle().setPattern(linePattern);
        AxisY(chart).GridStyle().setPattern(linePattern);
    }
    AxisX(chart).GridStyle().setColor(grid);
    AxisY(chart).GridStyle().setColor(grid);
    chart.ChartArea().PlotArea().Interior().setBackgroundColor(back);
    chart.Legend().Interior().setForegroundColor(text);
}

Rgb PresetButtonColor(ColorPreset preset)
{
    switch (preset) {
    case ColorPreset::Black: return kBlack;
    case ColorPreset::White: return kWhite;
    case ColorPreset::Grey: break;
    }
    return kGrey;
}

// ---- scaling -------------------------------------------------------------------------

std::string SpacingBoxText(double v) { return StrDouble(v); }

std::string ApplySpacingText(Chart2D& chart, SpacingBox box, std::string_view text)
{
    std::string t(text);
    std::replace(t.begin(), t.end(), ',', '.');
    SpacingOf(chart, box).setValue(Val(t));
    return t;
}

void ApplyManualScaling(Chart2D& chart, std::string_view xGridText, std::string_view yGridText)
{
    Chart2D::Batch batch(chart);
    AxisX(chart).GridSpacing().setAuto(false);
    AxisY(chart).GridSpacing().setAuto(false);
    AxisX(chart).TickSpacing().setAuto(false);
    AxisY(chart).TickSpacing().setAuto(false);
    AxisX(chart).GridSpacing().setValue(Val(xGridText));
    AxisY(chart).GridSpacing().setValue(Val(yGridText));
}

std::array<double, 6> ApplyAutomaticScaling(Chart2D& chart)
{
    std::array<double, 6> values{};
    Chart2D::Batch batch(chart);
    AxisX(chart).GridSpacing().setAuto(true);
    AxisY(chart).GridSpacing().setAuto(true);
    AxisX(chart).TickSpacing().setAuto(true);
    AxisY(chart).TickSpacing().setAuto(true);
    AxisX(chart).NumSpacing().setAuto(true);
    AxisY(chart).NumSpacing().setAuto(true);
    for (int b = 0; b < 6; ++b) values[static_cast<std::size_t>(b)] = SpacingOf(chart, SpacingBox(b)).Value();
    return values;
}

// ---- legend ----------------------------------------------------------------------------

void ApplyLegendTransparency(Chart2D& chart, bool transparent, Rgb hintergrund)
{
    if (transparent)
        chart.Legend().Interior().setTransparent(true);
    else
        chart.Legend().Interior().setBackgroundColor(hintergrund);
}

// ---- style lists -----------------------------------------------------------------------

int CurveStylePattern(int listPos)
{
    static constexpr int patterns[5] = {LinePattern::None, LinePattern::Solid, LinePattern::Dotted,
                                        LinePattern::Dashed, LinePattern::DashDot};
    if (listPos < 0 || listPos > 4) return 0;
    return patterns[listPos];
}

int CurveStyleListPos(int pattern)
{
    switch (pattern) {
    case LinePattern::Solid: return 1;
    case LinePattern::Dotted: return 2;
    case LinePattern::Dashed: return 3;
    case LinePattern::DashDot: return 4;
    default: return 0;
    }
}

void ApplyCurveStyle(Chart2D& chart, int series, int listPos)
{
    const int pattern = CurveStylePattern(listPos);
    if (pattern == 0) return;
    SeriesStyle& s = chart.ChartGroups(1).Styles(series);
    s.LineStyle().setPattern(pattern);
    s.SymbolStyle().setShape(pattern == LinePattern::None ? SymbolShape::Dot : SymbolShape::None);
}

int PointStyleShape(int listPos)
{
    static constexpr int shapes[11] = {SymbolShape::Dot,     SymbolShape::Circle,       SymbolShape::Triangle,
                                       SymbolShape::Square,  SymbolShape::Star,         SymbolShape::Cross,
                                       SymbolShape::Box,     SymbolShape::Diamond,      SymbolShape::VerticalLine,
                                       SymbolShape::HorizontalLine, SymbolShape::None};
    if (listPos < 0 || listPos > 10) return 0;
    return shapes[listPos];
}

void ApplyPointStyle(Chart2D& chart, int set, int listPos)
{
    const int shape = PointStyleShape(listPos);
    if (shape == 0) return;
    chart.ChartGroups(2).Styles(set).SymbolStyle().setShape(shape);
}

// ---- frame, box, margins, numbering, origin, orientation ---------------------------------

bool ApplyFrameType(Chart2D& chart, int index)
{
    static constexpr int types[4] = {BorderType::None, BorderType::Raised3D, BorderType::Plain, BorderType::Etched};
    if (index >= 0 && index <= 3) chart.Border().setType(types[index]);
    return chart.Border().Type() != BorderType::None;
}

void ApplyDiagramFrame(Chart2D& chart, bool framed) { chart.ChartArea().PlotArea().setIsBoxed(framed); }

void ApplyAutoBorders(Chart2D& chart)
{
    Chart2D::Batch batch(chart);
    MarginSet& m = chart.ChartArea().PlotArea().Margins();
    m.setTopAuto(true);
    m.setBottomAuto(true);
    m.setLeftAuto(true);
    m.setRightAuto(true);
}

void ApplyNumberingPlacement(Axis& axis, int index)
{
    static constexpr int placements[3] = {NumberingPlacement::Minimum, NumberingPlacement::AtAxis,
                                          NumberingPlacement::Maximum};
    if (index >= 0 && index <= 2) axis.setNumberingPlacement(placements[index]);
}

void ApplyOriginPlacement(Axis& axis, int index)
{
    static constexpr int placements[4] = {OriginPlacement::Minimum, OriginPlacement::Zero, OriginPlacement::Maximum,
                                          OriginPlacement::Value};
    if (index >= 0 && index <= 3) axis.setOriginPlacement(placements[index]);
}

void ApplyStandardOrigin(Chart2D& chart)
{
    Chart2D::Batch batch(chart);
    AxisX(chart).setOriginPlacement(OriginPlacement::Minimum);
    AxisY(chart).setOriginPlacement(OriginPlacement::Minimum);
}

void ApplyYTitleOrientation(Chart2D& chart, int index)
{
    if (index == 0 || index == 1)
        AxisY(chart).Title().setRotation(index == 0 ? Rotation::Horizontal : Rotation::Up);
}

void ApplyYNumberOrientation(Chart2D& chart, int index)
{
    if (index == 0 || index == 1)
        AxisY(chart).setNumberingRotation(index == 0 ? Rotation::Horizontal : Rotation::Up);
}

} // namespace kinhom
