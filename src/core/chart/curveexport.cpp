#include "core/chart/curveexport.h"

#include <algorithm>
#include <cmath>

#include "core/chart/axisscale.h"
#include "core/kinetics/halflife.h"
#include "core/shell/numtext.h"

namespace kinhom {

namespace {

constexpr const char* kCrLf = "\r\n";

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// One line of text: line breaks and tabs become blanks, then blanks at either end go.
std::string OneLine(std::string_view text)
{
    std::string s(text);
    for (char& ch : s)
        if (ch == '\r' || ch == '\n' || ch == '\t') ch = ' ';
    // A byte order mark is invisible in a title; at the start of a file a
    // reader takes it for the file's own mark and drops it.
    for (std::size_t at; (at = s.find("\xEF\xBB\xBF")) != std::string::npos;) s.erase(at, 3);
    return std::string(TrimBlanks(s));
}

bool IsCurveSlot(int n) { return n >= 1 && n <= kMaxKurven; }

// The points of series n of the curve group (empty when it does not exist).
void SeriesPoints(const Chart2D& chart, int n, std::vector<double>& x, std::vector<double>& y)
{
    x.clear();
    y.clear();
    const ChartData& data = chart.ChartGroups(1).Data();
    if (n < 1 || n > data.NumSeries()) return;
    const int count = data.NumPoints(n);
    x.reserve(static_cast<std::size_t>(count));
    y.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) {
        x.push_back(data.X(n, i));
        y.push_back(data.Y(n, i));
    }
}

// Lines "x<sep>y" CR LF for the points, decimal sign dec.
void AppendPointLines(std::string& out, const std::vector<double>& x, const std::vector<double>& y,
                      std::string_view sep, char dec)
{
    const std::size_t count = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < count; ++i) {
        out += CurvePointValueText(x[i], dec);
        out += sep;
        out += CurvePointValueText(y[i], dec);
        out += kCrLf;
    }
}

} // namespace

// ---- curve number of a tab -------------------------------------------------------------

int CurveNumberFromTabCaption(std::string_view caption)
{
    std::string_view text = TrimBlanks(caption);
    const std::size_t dot = text.find('.');
    if (dot != std::string_view::npos) text.remove_prefix(dot + 1);
    const double v = Val(text);
    if (!std::isfinite(v)) return 0;
    // A whole number as the integer conversion makes it (halves to even).
    const double n = std::nearbyint(v);
    if (n < 1 || n > kMaxKurven) return 0;
    return static_cast<int>(n);
}

// ---- clipboard text ----------------------------------------------------------------------

std::string CurvePointValueText(double v, char dec)
{
    if (FitsSingle(v)) return GenSingle(static_cast<float>(v), dec);
    return GenDouble(v, dec);
}

std::string CurveClipboardText(const std::vector<double>& x, const std::vector<double>& y, char dec)
{
    std::string out;
    AppendPointLines(out, x, y, "\t", dec);
    return out;
}

std::string CurveClipboardText(const Chart2D& chart, int n, char dec)
{
    if (!IsCurveSlot(n)) return {};
    std::vector<double> x, y;
    SeriesPoints(chart, n, x, y);
    return CurveClipboardText(x, y, dec);
}

std::string CurveClipboardTextForTab(const Chart2D& chart, std::string_view caption, char dec)
{
    return CurveClipboardText(chart, CurveNumberFromTabCaption(caption), dec);
}

// ---- curve point file --------------------------------------------------------------------

std::string CurvePointFileSeparator(const std::string& trennzeichen)
{
    if (trennzeichen == ";" || trennzeichen == "," || trennzeichen == "\t") return trennzeichen;
    return ";";
}

std::string CurvePointFileTitle(const Chart2D& chart, int n)
{
    const std::string legend = OneLine(chart.ChartGroups(1).SeriesLabels().Item(n));
    if (!legend.empty()) return legend;
    if (n >= 1 && n <= chart.ChartLabels().Count()) {
        const std::string label = OneLine(chart.ChartLabels(n).Text());
        if (!label.empty() && label != CurveLabelText(n)) return label;
    }
    return "Curve " + std::to_string(n);
}

std::string CurvePointFileText(const std::string& title, const std::vector<double>& x,
                               const std::vector<double>& y, const std::string& trennzeichen)
{
    std::string out = OneLine(title);
    out += kCrLf;
    AppendPointLines(out, x, y, CurvePointFileSeparator(trennzeichen), '.');
    return out;
}

std::string CurvePointFileText(const Chart2D& chart, int n, const std::string& trennzeichen)
{
    std::vector<double> x, y;
    if (IsCurveSlot(n)) SeriesPoints(chart, n, x, y);
    return CurvePointFileText(CurvePointFileTitle(chart, n), x, y, trennzeichen);
}

// ---- deleting ------------------------------------------------------------------------------

std::string CurveLabelText(int n) { return std::to_string(n); }

void ClearCurveSeries(Chart2D& chart, int n)
{
    if (n < 0 || n > kMaxKurven) return;
    Chart2D::Batch batch(chart);
    ChartData& data = chart.ChartGroups(1).Data();
    data.setIsBatched(true);
    const int first = n == 0 ? 1 : n;
    const int last = n == 0 ? kMaxKurven : n;
    const int state = n == 0 ? DisplayState::Excluded : DisplayState::Hidden;
    for (int i = first; i <= last; ++i) {
        data.setNumPoints(i, 0);
        data.setDisplay(i, state);
        chart.ChartLabels(i).setText(CurveLabelText(i));
    }
    data.setIsBatched(false);
}

bool FreeCurveSlots(KurvenSlots& kurveFrei, int& kurvenAnzahl, int n)
{
    if (n == 0) {
        kurveFrei.fill(true);
        kurvenAnzahl = 0;
    } else if (IsCurveSlot(n)) {
        if (!kurveFrei[static_cast<std::size_t>(n)] && kurvenAnzahl > 0) --kurvenAnzahl;
        kurveFrei[static_cast<std::size_t>(n)] = true;
    }
    return kurvenAnzahl == 0;
}

void ClearPointSets(Chart2D& chart, int index)
{
    if (index < 0 || index > kPunktSaetze) return;
    Chart2D::Batch batch(chart);
    ChartGroup& g = chart.ChartGroups(2);
    if (index == 0) {
        g.SeriesLabels().RemoveAll();
        for (int j = 1; j <= kPunktSaetze; ++j) {
            g.Data().setNumPoints(j, 0);
            g.SeriesLabels().Add("");
        }
    } else {
        g.Data().setNumPoints(index, 0);
        g.SeriesLabels().setItem(index, "");
    }
}

void ClearHalfLifeMarks(Chart2D& chart)
{
    Chart2D::Batch batch(chart);
    for (int s : {kHalfLifeSeriesA, kHalfLifeSeriesB}) {
        chart.ChartLabels(s).setIsShowing(false);
        chart.ChartGroups(1).Data().setNumPoints(s, 0);
    }
}

bool LegendTextsGiven(const Chart2D& chart, const std::vector<std::string>& txtLegendPoints)
{
    const SeriesLabelList& labels = chart.ChartGroups(1).SeriesLabels();
    for (int i = 1; i <= kMaxKurven; ++i)
        if (!labels.Item(i).empty()) return true;
    return std::any_of(txtLegendPoints.begin(), txtLegendPoints.end(),
                       [](const std::string& t) { return !t.empty(); });
}

std::string NoLegendTextsMessage()
{
    return "No legend texts given\r\n\r\n=> Designing Curve\r\n=> Designing experimental points";
}

std::string LegendLineHint()
{
    return "So you remove a single line from the legend:\r\n"
           "1st:  Go to menu 'Designing Exper. points' or 'Designing Curve'\r\n"
           "2nd: Select number of set for points or curve\r\n"
           "3rd:  Erase the legend text ";
}

// ---- half-life marks -------------------------------------------------------------------

HalfLifeMenuItems HalfLifeMenu(int diagrammTyp, int modellNr)
{
    HalfLifeMenuItems m;
    const bool enzyme = modellNr == 10;
    m.captionA = enzyme ? "Half-life of E" : "Half-life of A";
    m.captionB = enzyme ? "Half-life of S" : "Half-life of B";
    const int t = diagrammTyp;
    m.enabledA = (t >= DiagramCode::UnequalStartPlot && t <= DiagramCode::FirstOrderPlot) || (t >= 1 && t <= 20) ||
                 (t >= DiagramCode::Rate(1) && t <= DiagramCode::Rate(20));
    using DiagramCode::Rate;
    static constexpr int withB[] = {DiagramCode::UnequalStartPlot,
                                    4, 7, 9, 10, 12, 13, 17, 18,
                                    Rate(4), Rate(7), Rate(9), Rate(10), Rate(12), Rate(13), Rate(17), Rate(18)};
    m.enabledB = std::find(std::begin(withB), std::end(withB), t) != std::end(withB);
    return m;
}

std::string HalfLifeStatusText(float tau, bool speziesB, const std::string& zeiteinheit, char dec)
{
    return std::string(speziesB ? "Half-life tau(B) = " : "Half-life tau(A) = ") +
           FormatPatternSingle(tau, "#######0.00", dec) + " " + zeiteinheit;
}

HalfLifeOutcome HalfLifeOutcomeFor(float tau, bool speziesB, bool numerischesModell,
                                   const std::string& zeiteinheit, char dec)
{
    HalfLifeOutcome o;
    o.tau = tau;
    o.series = speziesB ? kHalfLifeSeriesB : kHalfLifeSeriesA;
    if (std::isfinite(tau) && tau < 0) {
        o.kind = HalfLifeOutcome::Kind::Nothing;
    } else if (std::isfinite(tau) && tau > 0) {
        o.kind = HalfLifeOutcome::Kind::Mark;
        o.statusText = HalfLifeStatusText(tau, speziesB, zeiteinheit, dec);
    } else {
        // 0, or a value that is no time at all: the half is not reached.
        o.kind = HalfLifeOutcome::Kind::NoHalfLife;
        if (numerischesModell)
            o.statusText = "half-life is not in the diagram range";
        else
            o.statusText = speziesB ? "c(B) = c(B)(0)/2 can not be reached under this conditions "
                                    : "c(A) = c(A)(0)/2 can not be reached under this conditions ";
    }
    return o;
}

HalfLifeOutcome HalfLifeRequest(const Declare& d, bool speziesB, KinNotify& notify, char dec)
{
    const float tau = HalbwertszeitMarke(d, speziesB, notify);
    return HalfLifeOutcomeFor(tau, speziesB, d.NumerischesModell, d.Zeiteinheit, dec);
}

void DrawHalfLifeMark(Chart2D& chart, const HalfLifeOutcome& outcome, Rgb color)
{
    if (outcome.kind != HalfLifeOutcome::Kind::Mark) return;
    const int s = outcome.series;
    if (s != kHalfLifeSeriesA && s != kHalfLifeSeriesB) return;
    Chart2D::Batch batch(chart);
    ChartGroup& g = chart.ChartGroups(1);
    if (g.Data().NumSeries() < kHalfLifeSeriesB) g.Data().setNumSeries(kHalfLifeSeriesB);
    const double x[2] = {outcome.tau, outcome.tau};
    const double y[2] = {kHalfLifeMarkLow, kHalfLifeMarkHigh};
    g.Data().setPoints(s, x, y, 2);
    g.Data().setDisplay(s, DisplayState::Shown);
    g.Styles(s).LineStyle().setPattern(kHalfLifeMarkPattern);
    g.Styles(s).LineStyle().setColor(color);
    g.Styles(s).SymbolStyle().setSize(1);
    chart.ChartLabels(s).setIsShowing(false);
}

// ---- loaded diagram files ----------------------------------------------------------------

LoadedDiagramState StateAfterDiagramLoad(const Chart2D& chart)
{
    LoadedDiagramState st;
    const ChartData& curves = chart.ChartGroups(1).Data();
    st.n = std::clamp(curves.NumSeries() - 1, 0, kMaxKurven);
    st.kurveFrei.fill(true);
    for (int i = 1; i <= st.n; ++i) {
        if (curves.NumPoints(i) >= 1) {
            st.kurveFrei[static_cast<std::size_t>(i)] = false;
            ++st.kurvenAnzahl;
        }
    }

    const ChartData& points = chart.ChartGroups(2).Data();
    for (int j = 1; j <= kPunktSaetze; ++j) {
        if (points.NumPoints(j) >= 1) {
            st.punktSatzBelegt[static_cast<std::size_t>(j)] = true;
            st.punktSatzNr = j;
            st.punkteVorhanden = true;
        }
    }

    const Axis& ax = chart.ChartArea().Axes(AxisId::X);
    const Axis& ay = chart.ChartArea().Axes(AxisId::Y);
    const double lim[4] = {ax.Min(), ax.Max(), ay.Min(), ay.Max()};
    if (!std::all_of(std::begin(lim), std::end(lim), [](double v) { return FitsSingle(v); })) return st;
    // An inverted or empty window becomes the nearest one the chart can show;
    // one that single precision cannot hold apart is not taken.
    const AxisWindow wx = SoundWindow(lim[0], lim[1], ax.IsLogarithmic());
    const AxisWindow wy = SoundWindow(lim[2], lim[3], ay.IsLogarithmic());
    const float sound[4] = {static_cast<float>(wx.min), static_cast<float>(wx.max), static_cast<float>(wy.min),
                            static_cast<float>(wy.max)};
    if (!std::all_of(std::begin(sound), std::end(sound), [](float v) { return std::isfinite(v); }) ||
        !(sound[0] < sound[1]) || !(sound[2] < sound[3]))
        return st;
    st.axisWindowValid = true;
    st.xMin = sound[0];
    st.xMax = sound[1];
    st.yMin = sound[2];
    st.yMax = sound[3];
    return st;
}

bool ApplyLoadedAxisWindow(const LoadedDiagramState& state, DiagrammInfo& diagramm)
{
    if (!state.axisWindowValid) return false;
    diagramm.xMin = state.xMin;
    diagramm.xMax = state.xMax;
    diagramm.yMin = state.yMin;
    diagramm.yMax = state.yMax;
    return true;
}

} // namespace kinhom
