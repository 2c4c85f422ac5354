#include "core/chart/chartcontent.h"

#include <algorithm>
#include <cmath>

#include "core/chart/curveprep.h"
#include "core/chart/designeffects.h"
#include "core/chart/exppoints.h"

namespace kinhom {

namespace {

constexpr Rgb kLightRed = RGB(255, 0, 0); // the classic colour 12

FontSpec Arial(float size, bool bold = false)
{
    FontSpec f;
    f.Name = "ARIAL";
    f.Size = size;
    f.Bold = bold;
    return f;
}

} // namespace

void SetupChartContent(Chart2D& chart, const ChartContentOptions& o)
{
    Chart2D::Batch batch(chart);
    const bool wide = o.wideScreen;

    chart.Header().setText(o.titel);

    // Curve group: 24 slots, the axis-window series and the two half-life marks.
    ChartGroup& curves = chart.ChartGroups(1);
    ChartData& cd = curves.Data();
    cd.setNumSeries(kCurveSeries);
    curves.SeriesLabels().RemoveAll();
    for (int i = 1; i <= kCurveSeries; ++i) {
        cd.setNumPoints(i, 0);
        SeriesStyle& s = curves.Styles(i);
        s.LineStyle().setColor(o.vorwahlfarbe);
        s.SymbolStyle().setColor(o.vorwahlfarbe);
        s.SymbolStyle().setSize(1);
        s.SymbolStyle().setShape(SymbolShape::None);
        s.LineStyle().setPattern(LinePattern::Solid);
        if (i <= kMaxKurven) {
            curves.SeriesLabels().Add("");
            ApplyCurveStyle(chart, i, 1); // "Curve solid"
        }
    }
    // The axis-window series is never seen.
    curves.Styles(kAxisWindowSeries).LineStyle().setPattern(LinePattern::None);
    cd.setDisplay(kAxisWindowSeries, DisplayState::Hidden);

    // Point group: 7 sets.
    ChartGroup& points = chart.ChartGroups(2);
    ChartData& pd = points.Data();
    pd.setNumSeries(kPunktSaetze);
    points.SeriesLabels().RemoveAll();
    for (int j = 1; j <= kPunktSaetze; ++j) {
        pd.setNumPoints(j, 0);
        points.SeriesLabels().Add("");
        SeriesStyle& s = points.Styles(j);
        s.LineStyle().setPattern(LinePattern::None);
        s.SymbolStyle().setSize(6);
        s.SymbolStyle().setColor(o.vorwahlfarbe);
        ApplyPointStyle(chart, j, StartPointStyle(j));
    }

    // Border, axes, backgrounds.
    chart.Border().setWidth(1);
    ChartAreaBox& area = chart.ChartArea();
    area.Axes(AxisId::Y2).setIsShowing(false);
    area.Axes(AxisId::X).setIsShowing(true);
    area.Axes(AxisId::Y).setIsShowing(true);
    area.Axes(AxisId::X).Title().setText(o.xTitel);
    area.Axes(AxisId::Y).Title().setText(o.yTitel);
    const float axisSize = wide ? 11.0f : 10.0f;
    for (AxisId a : {AxisId::X, AxisId::Y, AxisId::Y2}) {
        area.Axes(a).Title().setFont(Arial(axisSize));
        area.Axes(a).setNumberingFont(Arial(axisSize));
    }
    area.PlotArea().Interior().setBackgroundColor(RGB(255, 255, 255));
    chart.Interior().setBackgroundColor(RGB(255, 255, 255));

    // Labels 1..24 of the curves, 25..27 further texts.
    LabelList& labels = chart.ChartLabels();
    labels.setCount(kChartLabelCount);
    for (int i = 1; i <= kChartLabelCount; ++i) {
        ChartLabel& l = labels.Item(i);
        l.setText("");
        if (i <= kMaxKurven) {
            l.Interior().setForegroundColor(RGB(0, 0, 0));
            l.Interior().setBackgroundColor(RGB(255, 255, 255));
            l.setFont(Arial(wide ? 10.0f : 9.0f));
            l.setAttachMethod(AttachMethod::DataIndex);
            l.setAttachGroup(1);
            l.setAttachSeries(i);
            l.setAttachPoint(1);
            l.setIsShowing(true);
        } else {
            l.Interior().setForegroundColor(kLightRed);
            l.setFont(Arial(wide ? 11.0f : 9.0f, true));
            l.setIsShowing(false);
        }
    }

    // Legend, header, footer.
    LegendBox& legend = chart.Legend();
    legend.setFont(Arial(8.0f));
    legend.setOrientation(Orientation::Vertical);
    legend.Border().setType(BorderType::Plain);
    legend.Interior().setForegroundColor(RGB(0, 0, 0));
    chart.Header().setFont(Arial(wide ? 11.0f : 10.0f));
    chart.Footer().setFont(Arial(wide ? 11.0f : 10.0f));
}

int CenteredHeaderLeft(int areaWidth, int headerWidth)
{
    const double left = std::nearbyint((areaWidth - headerWidth) / 2.0);
    return std::max(1, static_cast<int>(left));
}

ChartSizeRule ChartSizeFor(int windowWidth, int windowHeight, int statusBarHeight)
{
    constexpr double twipsPerPixel = 15.0;
    ChartSizeRule r;
    if (windowWidth > 350) {
        r.chartWidth = windowWidth;
        r.areaWidth = static_cast<int>(std::nearbyint(r.chartWidth * 0.84 / twipsPerPixel));
        r.legendLeft = r.areaWidth - 10;
    }
    if (windowHeight > 680) {
        r.chartHeight = windowHeight - statusBarHeight;
        r.areaHeight = static_cast<int>(std::nearbyint(r.chartHeight * 0.89 / twipsPerPixel));
        r.legendTop = static_cast<int>(std::nearbyint(r.areaHeight / 2.0));
    }
    return r;
}

void ApplyAxisWindow(Chart2D& chart, const DiagrammInfo& g)
{
    Chart2D::Batch batch(chart);
    ChartAreaBox& area = chart.ChartArea();
    Axis& x = area.Axes(AxisId::X);
    Axis& y = area.Axes(AxisId::Y);
    Axis& y2 = area.Axes(AxisId::Y2);
    x.setDataMin(g.xMin);
    x.setDataMax(g.xMax);
    x.setMin(g.xMin);
    x.setMax(g.xMax);
    y.setDataMin(g.yMin);
    y.setDataMax(g.yMax);
    y.setMin(g.yMin);
    y.setMax(g.yMax);
    y2.setMin(g.yMin);
    y2.setMax(g.yMax);

    ChartData& d = chart.ChartGroups(1).Data();
    d.setIsBatched(true);
    if (d.NumSeries() != kCurveSeries) d.setNumSeries(kCurveSeries);
    const double xs[2] = {g.xMin, g.xMax};
    const double ys[2] = {g.yMin, g.yMax};
    d.setPoints(kAxisWindowSeries, xs, ys, 2);
    d.setIsBatched(false);
}

void ScaleFixedLocations(Chart2D& chart, double fx, double fy)
{
    if (!(std::isfinite(fx) && std::isfinite(fy) && fx > 0 && fy > 0)) return;
    const auto scaled = [](int v, double f) { return static_cast<int>(std::lround(v * f)); };
    // Keeps a box of the given size inside the chart (when the chart has a size).
    const auto inside = [](long v, int size, int room) {
        if (room <= 0) return static_cast<int>(v);
        return static_cast<int>(std::clamp<long>(v, 0, std::max(0, room - size)));
    };
    Chart2D::Batch batch(chart);
    // The plot area is a share of the chart and scales with it. Header, footer
    // and legend keep the size of their text (fonts are given in points): the
    // header and the footer keep their horizontal centre in proportion, so that
    // a header centred over the plot area stays centred over it; the legend
    // keeps its left edge in proportion, beside the plot area; all keep their
    // top edge in proportion. None of them is pushed out of the chart.
    struct Box {
        LocationFormat* loc;
        bool centred;
    };
    const Box boxes[] = {{&chart.Header().Location(), true},
                         {&chart.Footer().Location(), true},
                         {&chart.Legend().Location(), false},
                         {&chart.ChartArea().Location(), false}};
    for (const Box& b : boxes) {
        LocationFormat* l = b.loc;
        const int oldWidth = l->Width();
        const int oldLeft = l->StoredLeft().value;
        const int oldTop = l->StoredTop().value;
        if (!l->WidthAuto()) l->setWidth(scaled(l->StoredWidth().value, fx));
        if (!l->HeightAuto()) l->setHeight(scaled(l->StoredHeight().value, fy));
        const int width = l->Width();
        const int height = l->Height();
        if (b.loc == &chart.ChartArea().Location()) {
            if (!l->LeftAuto()) l->setLeft(scaled(oldLeft, fx));
            if (!l->TopAuto()) l->setTop(scaled(oldTop, fy));
            continue;
        }
        if (!l->LeftAuto()) {
            const double left = b.centred ? (oldLeft + oldWidth / 2.0) * fx - width / 2.0 : oldLeft * fx;
            l->setLeft(inside(std::lround(left), width, chart.Width()));
        }
        if (!l->TopAuto()) {
            l->setTop(inside(std::lround(oldTop * fy), height, chart.Height()));
        }
    }
    LabelList& labels = chart.ChartLabels();
    for (int i = 1; i <= labels.Count(); ++i) {
        ChartLabel& l = labels.Item(i);
        if (l.AttachMethod() != AttachMethod::Coord) continue;
        l.setAttachCoordX(scaled(l.AttachCoordX(), fx));
        l.setAttachCoordY(scaled(l.AttachCoordY(), fy));
    }
}

bool ShowMeasuredPoints(Chart2D& chart, const Declare& d)
{
    bool inside = false;
    const ExpPointSets sets = CalcExperPunkte(d, inside);
    Chart2D::Batch batch(chart);
    ChartData& pd = chart.ChartGroups(2).Data();
    if (pd.NumSeries() < kPunktSaetze) pd.setNumSeries(kPunktSaetze);
    pd.setIsBatched(true);
    // Sets 1 to 6 hold measured points; set 7 (manually added points) is kept.
    for (int j = 1; j < kPunktSaetze; ++j) {
        const auto& pts = sets.set[static_cast<std::size_t>(j)];
        std::vector<double> xs, ys;
        xs.reserve(pts.size());
        ys.reserve(pts.size());
        for (const ExpPlotPoint& p : pts) {
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
        pd.setPoints(j, xs.data(), ys.data(), static_cast<int>(pts.size()));
        if (!pts.empty()) pd.setDisplay(j, DisplayState::Shown);
    }
    pd.setIsBatched(false);
    return inside;
}

bool MeasuredPointsFitDiagram(const Declare& d)
{
    if (d.kTDiagramm) return true;
    const std::string& m = d.Stoffmuster;
    for (int i = 1; i <= 5; ++i)
        if (static_cast<int>(m.size()) >= i && m[static_cast<std::size_t>(i - 1)] == '1' && d.DatenVorhanden[i])
            return true;
    if (d.LambdaAuswertung && d.LambdaDaten) return true;
    return m.size() >= 5 && m[4] == '2';
}

} // namespace kinhom
