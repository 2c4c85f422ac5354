#include "core/chart/designeffects.h"

#include <algorithm>
#include <cmath>

#include "core/chart/curveexport.h"
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

// ---- Diagram Settings: log axes, spacing boxes, origins, frames, margins, colours -------

namespace kinhom {

namespace {

std::string CommaToPoint(std::string_view text)
{
    std::string t(text);
    std::replace(t.begin(), t.end(), ',', '.');
    return t;
}

AxisSpacing& BoxSpacing(Chart2D& c, SpacingBox box)
{
    Axis& x = c.ChartArea().Axes(AxisId::X);
    Axis& y = c.ChartArea().Axes(AxisId::Y);
    switch (box) {
    case SpacingBox::GridX: return x.GridSpacing();
    case SpacingBox::GridY: return y.GridSpacing();
    case SpacingBox::TickX: return x.TickSpacing();
    case SpacingBox::TickY: return y.TickSpacing();
    case SpacingBox::NumX: return x.NumSpacing();
    case SpacingBox::NumY: break;
    }
    return y.NumSpacing();
}

} // namespace

void InvertLogX(Chart2D& chart)
{
    Axis& x = chart.ChartArea().Axes(AxisId::X);
    x.setIsLogarithmic(!x.IsLogarithmic());
}

void InvertLogY(Chart2D& chart)
{
    Chart2D::Batch batch(chart);
    Axis& y = chart.ChartArea().Axes(AxisId::Y);
    Axis& y2 = chart.ChartArea().Axes(AxisId::Y2);
    y.setIsLogarithmic(!y.IsLogarithmic());
    y2.setIsLogarithmic(!y2.IsLogarithmic());
}

std::string ApplySpacingBox(Chart2D& chart, SpacingBox box, std::string_view text, bool manual)
{
    Chart2D::Batch batch(chart);
    if (manual) BoxSpacing(chart, box).setAuto(false);
    return ApplySpacingText(chart, box, text);
}

std::string ApplyOriginText(Axis& axis, std::string_view text)
{
    std::string t = CommaToPoint(text);
    const double v = Val(t);
    if (std::isfinite(v)) axis.setOrigin(v);
    return t;
}

void ApplyOriginChoice(Axis& axis, int index, std::string_view valueText)
{
    if (index == 3) ApplyOriginText(axis, valueText);
    ApplyOriginPlacement(axis, index);
}

int ApplyFrameWidth(Chart2D& chart, int width)
{
    const int w = std::clamp(width, kMinFrameWidth, kMaxFrameWidth);
    chart.Border().setWidth(w);
    return w;
}

void ApplyChartAreaFrame(Chart2D& chart, int index)
{
    static constexpr int types[5] = {BorderType::None, BorderType::Raised3D, BorderType::Lowered3D,
                                     BorderType::Shadow, BorderType::Plain};
    if (index >= 0 && index <= 4) chart.ChartArea().Border().setType(types[index]);
}

int ApplyMargin(Chart2D& chart, MarginSide side, int pixels)
{
    const int v = std::clamp(pixels, 0, kMaxMargin);
    MarginSet& m = chart.ChartArea().PlotArea().Margins();
    switch (side) {
    case MarginSide::Left: m.setLeft(v); break;
    case MarginSide::Right: m.setRight(v); break;
    case MarginSide::Top: m.setTop(v); break;
    case MarginSide::Bottom: m.setBottom(v); break;
    }
    return v;
}

int CurrentMargin(const Chart2D& chart, MarginSide side)
{
    const MarginSet& m = chart.ChartArea().PlotArea().Margins();
    int v = 0;
    switch (side) {
    case MarginSide::Left: v = m.Left(); break;
    case MarginSide::Right: v = m.Right(); break;
    case MarginSide::Top: v = m.Top(); break;
    case MarginSide::Bottom: v = m.Bottom(); break;
    }
    return std::clamp(v, 0, kMaxMargin);
}

Rgb ApplyBackgroundColor(Chart2D& chart, Background which, Rgb color)
{
    switch (which) {
    case Background::Chart: chart.Interior().setBackgroundColor(color); break;
    case Background::ChartArea: chart.ChartArea().Interior().setBackgroundColor(color); break;
    case Background::PlotArea: chart.ChartArea().PlotArea().Interior().setBackgroundColor(color); break;
    }
    return BackgroundColorOf(chart, which);
}

Rgb BackgroundColorOf(const Chart2D& chart, Background which)
{
    switch (which) {
    case Background::Chart: return chart.Interior().BackgroundColor();
    case Background::ChartArea: return chart.ChartArea().Interior().BackgroundColor();
    case Background::PlotArea: break;
    }
    return chart.ChartArea().PlotArea().Interior().BackgroundColor();
}

Rgb ApplyGridColor(Chart2D& chart, Rgb color)
{
    Chart2D::Batch batch(chart);
    chart.ChartArea().Axes(AxisId::X).GridStyle().setColor(color);
    chart.ChartArea().Axes(AxisId::Y).GridStyle().setColor(color);
    return chart.ChartArea().Axes(AxisId::X).GridStyle().Color();
}

} // namespace kinhom

// ---- curves and point sets, texts, labels and legend (the design panels) ----------------

namespace kinhom {

namespace {

constexpr int kFirstMarker = kHalfLifeSeriesA; // labels 26 and 27 carry the marker texts
constexpr int kLastMarker = kHalfLifeSeriesB;

TitleBox* TitleOf(Chart2D& chart, int element)
{
    if (element == TextElementId::Header) return &chart.Header();
    if (element == TextElementId::Footer) return &chart.Footer();
    return nullptr;
}

const TitleBox* TitleOf(const Chart2D& chart, int element)
{
    return TitleOf(const_cast<Chart2D&>(chart), element);
}

AxisTitle* AxisTitleOf(Chart2D& chart, int element)
{
    if (element == TextElementId::XTitle) return &chart.ChartArea().Axes(AxisId::X).Title();
    if (element == TextElementId::YTitle) return &chart.ChartArea().Axes(AxisId::Y).Title();
    return nullptr;
}

const AxisTitle* AxisTitleOf(const Chart2D& chart, int element)
{
    return AxisTitleOf(const_cast<Chart2D&>(chart), element);
}

} // namespace

std::string CurveTabCaption(int slot) { return "C." + std::to_string(slot); }

void ApplyCurveColor(Chart2D& chart, int series, Rgb color)
{
    Chart2D::Batch batch(chart);
    SeriesStyle& s = chart.ChartGroups(1).Styles(series);
    s.LineStyle().setColor(color);
    s.SymbolStyle().setColor(color);
}

void ApplyPointColor(Chart2D& chart, int set, Rgb color)
{
    chart.ChartGroups(2).Styles(set).SymbolStyle().setColor(color);
}

int ApplyCurveWidth(Chart2D& chart, int series, int width)
{
    const int w = std::clamp(width, kMinCurveWidth, kMaxCurveWidth);
    chart.ChartGroups(1).Styles(series).LineStyle().setWidth(w);
    return w;
}

int ApplyPointSize(Chart2D& chart, int set, int size)
{
    const int s = std::clamp(size, kMinPointSize, kMaxPointSize);
    chart.ChartGroups(2).Styles(set).SymbolStyle().setSize(s);
    return s;
}

void ApplyCurveLabelPoint(Chart2D& chart, int slot, int point)
{
    if (slot < 1 || slot > kMaxKurven) return;
    chart.ChartLabels(slot).setAttachPoint(point);
}

bool CurveDesignEnabled(int kurvenAnzahl) { return kurvenAnzahl >= 1; }

bool PointDesignEnabled(const Chart2D& chart, bool kTDiagramm, bool kTDaten)
{
    if (kTDiagramm) return kTDaten;
    const ChartData& d = chart.ChartGroups(2).Data();
    for (int j = 1; j <= kPunktSaetze; ++j)
        if (d.NumPoints(j) >= 1) return true;
    return false;
}

int FirstUsedCurveSlot(const KurvenSlots& kurveFrei)
{
    for (int i = 1; i <= kMaxKurven; ++i)
        if (!kurveFrei[static_cast<std::size_t>(i)]) return i;
    return 0;
}

// ---- curve labels ---------------------------------------------------------------------------

void ApplyCurveLabelsShown(Chart2D& chart, bool shown)
{
    Chart2D::Batch batch(chart);
    for (int i = 1; i <= kMaxKurven; ++i) chart.ChartLabels(i).setIsShowing(shown);
}

void ApplyCurveLabelFrame(Chart2D& chart, bool framed)
{
    Chart2D::Batch batch(chart);
    for (int i = 1; i <= kMaxKurven; ++i)
        chart.ChartLabels(i).Border().setType(framed ? BorderType::Plain : BorderType::None);
}

void ApplyCurveLabelColor(Chart2D& chart, Rgb color, bool foreground)
{
    Chart2D::Batch batch(chart);
    for (int i = 1; i <= kMaxKurven; ++i) {
        InteriorFormat& in = chart.ChartLabels(i).Interior();
        if (foreground)
            in.setForegroundColor(color);
        else
            in.setBackgroundColor(color);
    }
}

void TakeDialogFont(FontSpec& font, const FontSpec& chosen)
{
    font.Name = chosen.Name;
    if (std::isfinite(chosen.Size) && chosen.Size > 0) font.Size = chosen.Size;
    font.Italic = chosen.Italic;
    font.Bold = chosen.Bold;
}

void ApplyCurveLabelFont(Chart2D& chart, const FontSpec& chosen)
{
    Chart2D::Batch batch(chart);
    for (int i = 1; i <= kMaxKurven; ++i) {
        FontSpec f = chart.ChartLabels(i).Font();
        TakeDialogFont(f, chosen);
        chart.ChartLabels(i).setFont(f);
    }
}

// ---- legend ---------------------------------------------------------------------------------

void ApplyLegendFrame(Chart2D& chart, bool framed)
{
    chart.Legend().Border().setType(framed ? BorderType::Plain : BorderType::None);
}

void ApplyLegendOrientation(Chart2D& chart, int index)
{
    if (index == 0) chart.Legend().setOrientation(Orientation::Horizontal);
    if (index == 1) chart.Legend().setOrientation(Orientation::Vertical);
}

Rgb ApplyLegendBackground(Chart2D& chart, Rgb color)
{
    chart.Legend().Interior().setBackgroundColor(color);
    return chart.Legend().Interior().BackgroundColor();
}

void ApplyLegendFont(Chart2D& chart, const FontSpec& chosen)
{
    FontSpec f = chart.Legend().Font();
    TakeDialogFont(f, chosen);
    chart.Legend().setFont(f);
}

// ---- the text design panel --------------------------------------------------------------------

TextPanelSetup TextPanelFor(int element)
{
    TextPanelSetup s;
    s.known = element >= TextElementId::Header && element <= TextElementId::LabelsLegend;
    if (!s.known) return s;
    s.setsCaption = element != TextElementId::LabelsLegend;
    switch (element) {
    case TextElementId::Header: s.caption = "Design Header"; break;
    case TextElementId::Footer: s.caption = "Design Additional text"; break;
    case TextElementId::XTitle: s.caption = "Design X-Axis Annotation"; break;
    case TextElementId::YTitle: s.caption = "Design Y-Axis Annotation"; break;
    default: break;
    }
    const bool axisTitle = element == TextElementId::XTitle || element == TextElementId::YTitle;
    s.keepTrailingBlanks = element == TextElementId::YTitle;
    s.shiftEnabled = !axisTitle;
    s.frameEnabled = !axisTitle;
    s.backColorEnabled = !axisTitle;
    s.yOrientationEnabled = element == TextElementId::YTitle;
    s.opensCurvePanel = element == TextElementId::LabelsLegend;
    return s;
}

std::string TrimTrailingBlanks(std::string_view text)
{
    std::size_t n = text.size();
    while (n > 0 && text[n - 1] == ' ') --n;
    return std::string(text.substr(0, n));
}

std::string TextElementText(const Chart2D& chart, int element)
{
    std::string text;
    if (const TitleBox* t = TitleOf(chart, element))
        text = t->Text();
    else if (const AxisTitle* a = AxisTitleOf(chart, element))
        text = a->Text();
    else
        return {};
    return element == TextElementId::YTitle ? text : TrimTrailingBlanks(text);
}

void SetTextElementText(Chart2D& chart, int element, std::string_view text)
{
    if (TitleBox* t = TitleOf(chart, element))
        t->setText(std::string(text));
    else if (AxisTitle* a = AxisTitleOf(chart, element))
        a->setText(std::string(text));
}

FontSpec TextElementFont(const Chart2D& chart, int element)
{
    if (const TitleBox* t = TitleOf(chart, element)) return t->Font();
    if (const AxisTitle* a = AxisTitleOf(chart, element)) return a->Font();
    return FontSpec{};
}

void ApplyTextElementFont(Chart2D& chart, int element, const FontSpec& chosen)
{
    FontSpec f = TextElementFont(chart, element);
    TakeDialogFont(f, chosen);
    if (TitleBox* t = TitleOf(chart, element))
        t->setFont(f);
    else if (AxisTitle* a = AxisTitleOf(chart, element))
        a->setFont(f);
}

bool TextElementFramed(const Chart2D& chart, int element)
{
    const TitleBox* t = TitleOf(chart, element);
    return t && t->Border().Type() == BorderType::Plain;
}

void ApplyTextFrame(Chart2D& chart, int element, bool framed)
{
    if (TitleBox* t = TitleOf(chart, element)) t->Border().setType(framed ? BorderType::Plain : BorderType::None);
}

std::optional<int> TextElementTop(const Chart2D& chart, int element)
{
    if (const TitleBox* t = TitleOf(chart, element)) return t->Location().Top();
    return std::nullopt;
}

std::optional<int> TextElementLeft(const Chart2D& chart, int element)
{
    if (const TitleBox* t = TitleOf(chart, element)) return t->Location().Left();
    return std::nullopt;
}

void MoveTextElementTop(Chart2D& chart, int element, int top)
{
    if (TitleBox* t = TitleOf(chart, element)) t->Location().setTop(top);
}

void MoveTextElementLeft(Chart2D& chart, int element, int left)
{
    if (TitleBox* t = TitleOf(chart, element)) t->Location().setLeft(left);
}

void ApplyTextBackground(Chart2D& chart, int element, Rgb color)
{
    if (TitleBox* t = TitleOf(chart, element)) t->Interior().setBackgroundColor(color);
}

// ---- right click on the chart -----------------------------------------------------------------

DesignTarget DesignTargetFor(const HitResult& hit)
{
    using Kind = HitResult::Kind;
    DesignTarget t;
    switch (hit.kind) {
    case Kind::Curve:
        if (hit.group == 1 && hit.series >= 1 && hit.series <= kMaxKurven) {
            t.panel = DesignTarget::Panel::Curves;
            t.index = hit.series;
        }
        break;
    case Kind::PointSet:
        if (hit.group == 2 && hit.series >= 1 && hit.series <= kPunktSaetze) {
            t.panel = DesignTarget::Panel::Points;
            t.index = hit.series;
        }
        break;
    case Kind::Header:
        t.panel = DesignTarget::Panel::Text;
        t.index = TextElementId::Header;
        break;
    case Kind::Footer:
        t.panel = DesignTarget::Panel::Text;
        t.index = TextElementId::Footer;
        break;
    case Kind::AxisTitle:
        if (hit.axis == AxisId::X || hit.axis == AxisId::Y) {
            t.panel = DesignTarget::Panel::Text;
            t.index = hit.axis == AxisId::X ? TextElementId::XTitle : TextElementId::YTitle;
        }
        break;
    case Kind::Label:
        if (hit.label >= 1 && hit.label <= kMaxKurven) {
            t.panel = DesignTarget::Panel::Curves;
            t.index = hit.label;
            t.field = DesignTarget::Field::Label;
        }
        break;
    case Kind::Legend:
        t.field = DesignTarget::Field::Legend;
        if (hit.group == 2 && hit.series >= 1 && hit.series <= kPunktSaetze) {
            t.panel = DesignTarget::Panel::Points;
            t.index = hit.series;
        } else {
            t.panel = DesignTarget::Panel::Curves;
            t.index = hit.group == 1 && hit.series >= 1 && hit.series <= kMaxKurven ? hit.series : 0;
        }
        break;
    case Kind::PlotArea:
    case Kind::ChartArea:
    case Kind::Axis:
        t.panel = DesignTarget::Panel::Diagram;
        break;
    case Kind::None: break;
    }
    return t;
}

// ---- marker texts -----------------------------------------------------------------------------

int MarkerLabelFor(const HitResult& hit)
{
    if (hit.kind == HitResult::Kind::Curve && hit.group == 1 &&
        (hit.series == kHalfLifeSeriesA || hit.series == kHalfLifeSeriesB))
        return hit.series;
    if (hit.kind == HitResult::Kind::Label && hit.label >= kFirstMarker && hit.label <= kLastMarker) return hit.label;
    return 0;
}

std::string HalfLifeMarkerText(float tau, bool speziesB, const std::string& zeiteinheit, char dec)
{
    return std::string(speziesB ? "tau(B) = " : "tau(A) = ") + FormatPatternSingle(tau, "#######0.00", dec) + " " +
           zeiteinheit;
}

void PlaceMarkerText(Chart2D& chart, int label, double x, double y, const std::string& text)
{
    if (label < kFirstMarker || label > kLastMarker || !std::isfinite(x) || !std::isfinite(y)) return;
    if (chart.ChartLabels().Count() < label) chart.ChartLabels().setCount(label);
    Chart2D::Batch batch(chart);
    ChartLabel& l = chart.ChartLabels(label);
    l.setText(text);
    l.setAttachMethod(AttachMethod::DataCoord);
    l.setAttachDataX(x);
    l.setAttachDataY(y);
    l.setAnchor(Anchor::East);
    l.setOffset(4);
    l.setIsConnected(false);
    l.setIsShowing(true);
}

} // namespace kinhom
