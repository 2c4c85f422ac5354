#include "core/chart/chartlayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace kinhom {

namespace {

constexpr double kPad = 6;       // distance of elements from the chart's inner edge
constexpr double kGap = 4;       // between neighbouring elements
constexpr double kTick = 5;      // length of a tick with a number
constexpr double kTextPad = 4;   // inside header, footer and legend frames
constexpr double kLabelPad = 3;  // inside label frames
constexpr double kSampleW = 30;  // legend line sample

double BorderInset(const BorderFormat& b)
{
    if (b.Type() == BorderType::None) return 0;
    const double w = std::clamp(b.Width(), 1, 50);
    return b.Type() == BorderType::Etched ? 2 * w : w;
}

TextSize Measure(const TextMeasurer& m, std::string_view line, const FontSpec& f)
{
    TextSize t = m ? m(line, f) : EstimateTextSize(line, f);
    if (!(t.width >= 0) || !std::isfinite(t.width)) t.width = 0;
    if (!(t.height >= 0) || !std::isfinite(t.height)) t.height = 0;
    return t;
}

double LineHeight(const TextMeasurer& m, const FontSpec& f) { return Measure(m, "Ag", f).height; }

// A text block with its lines measured; pad and inset are added around the text.
TextBlock MakeBlock(const std::string& text, const FontSpec& font, int rotation, int adjust, double pad, double inset,
                    const TextMeasurer& m)
{
    TextBlock b;
    b.lines = SplitLines(text);
    b.rotation = (rotation == Rotation::Up || rotation == Rotation::Down) ? rotation : Rotation::Horizontal;
    b.adjust = adjust;
    b.lineHeight = LineHeight(m, font);
    for (const auto& l : b.lines) b.textWidth = std::max(b.textWidth, Measure(m, l, font).width);
    b.textHeight = b.lineHeight * static_cast<double>(b.lines.size());
    const double w = b.textWidth + 2 * (pad + inset);
    const double h = b.textHeight + 2 * (pad + inset);
    if (b.rotation == Rotation::Horizontal) {
        b.box.w = w;
        b.box.h = h;
    } else {
        b.box.w = h;
        b.box.h = w;
    }
    return b;
}

// Liang-Barsky clipping of a segment to a window, in data coordinates.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double xlo, double xhi, double ylo, double yhi,
                 bool& cut1, bool& cut2)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
    double t0 = 0, t1 = 1;
    auto edge = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double r = q / p;
        if (p < 0) {
            if (r > t1) return false;
            if (r > t0) t0 = r;
        } else {
            if (r < t0) return false;
            if (r < t1) t1 = r;
        }
        return true;
    };
    if (!edge(-dx, x1 - xlo) || !edge(dx, xhi - x1) || !edge(-dy, y1 - ylo) || !edge(dy, yhi - y1)) return false;
    cut1 = t0 > 0;
    cut2 = t1 < 1;
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    const double bx = x1 + t1 * dx, by = y1 + t1 * dy;
    x1 = std::clamp(ax, xlo, xhi);
    y1 = std::clamp(ay, ylo, yhi);
    x2 = std::clamp(bx, xlo, xhi);
    y2 = std::clamp(by, ylo, yhi);
    return true;
}

// Keeps every k-th number so that neighbouring numbers do not touch.
void ThinNumbers(std::vector<AxisNumber>& nums, bool vertical)
{
    const std::size_t n = nums.size();
    if (n < 2) return;
    auto touches = [vertical](const RectF& a, const RectF& b) {
        if (vertical) {
            const double top = std::min(a.y, b.y), bottom = std::max(a.bottom(), b.bottom());
            return bottom - top < a.h + b.h + 2;
        }
        const double left = std::min(a.x, b.x), right = std::max(a.right(), b.right());
        return right - left < a.w + b.w + 6;
    };
    for (std::size_t k = 1; k < n; ++k) {
        // Start at a number that is 0 when there is one, so that 0 stays numbered.
        std::size_t start = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (nums[i].value == 0) start = i % k;
        bool ok = true;
        std::size_t prev = n;
        for (std::size_t i = start; i < n; i += k) {
            if (prev != n && touches(nums[prev].rect, nums[i].rect)) {
                ok = false;
                break;
            }
            prev = i;
        }
        if (ok) {
            if (k > 1) {
                std::vector<AxisNumber> kept;
                for (std::size_t i = start; i < n; i += k) kept.push_back(nums[i]);
                nums.swap(kept);
            }
            return;
        }
    }
    nums.resize(1);
}

// On a logarithmic axis a segment that runs to a point at or below zero is kept
// up to where it meets the lower limit lo (> 0) of the window, measured along the
// segment as drawn in data units: a course falling to zero leaves the plot at its
// bottom edge, and a mark from -10000 to 10000 crosses the whole plot. c1 and c2
// are the log-axis coordinates of the two ends; the other coordinate (o1, o2)
// moves along. False when no part of the segment reaches up to lo.
bool LiftToWindow(double& c1, double& o1, double& c2, double& o2, double lo, bool& cut1, bool& cut2)
{
    if (c1 > 0 && c2 > 0) return true;
    if (c1 <= lo && c2 <= lo) return false;
    const bool first = c1 <= 0;
    double& ca = first ? c1 : c2; // the end at or below zero
    double& oa = first ? o1 : o2;
    const double cb = first ? c2 : c1;
    const double ob = first ? o2 : o1;
    const double t = (lo - cb) / (ca - cb); // from the positive end towards the other one
    if (!(t >= 0 && t <= 1)) return false;
    oa = ob + t * (oa - ob);
    ca = lo;
    (first ? cut1 : cut2) = true;
    return std::isfinite(oa);
}

// Numbers beside an axis line inside the plot: the first and last ones are moved
// along the axis so that they do not run across the plot's edge.
void KeepAlongInside(std::vector<AxisNumber>& nums, const RectF& plot, bool vertical)
{
    for (auto& n : nums) {
        if (vertical) {
            if (n.rect.h < plot.h - 2) n.rect.y = std::clamp(n.rect.y, plot.y + 1, plot.bottom() - 1 - n.rect.h);
        } else if (n.rect.w < plot.w - 2) {
            n.rect.x = std::clamp(n.rect.x, plot.x + 1, plot.right() - 1 - n.rect.w);
        }
    }
}

double SegmentDistance(const PointF& p, const PointF& a, const PointF& b)
{
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = a.x + t * vx - p.x, dy = a.y + t * vy - p.y;
    return std::sqrt(dx * dx + dy * dy);
}

bool LineDrawn(int pattern) { return pattern != LinePattern::None; }
bool SymbolDrawn(int shape) { return shape >= SymbolShape::Dot && shape <= SymbolShape::Square; }

} // namespace

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    lines.push_back(cur);
    // trailing empty lines add nothing to a text block
    while (lines.size() > 1 && lines.back().find_first_not_of(' ') == std::string::npos) lines.pop_back();
    return lines;
}

bool HasVisibleText(std::string_view text) { return text.find_first_not_of(" \t\r\n") != std::string_view::npos; }

TextSize EstimateTextSize(std::string_view line, const FontSpec& font)
{
    const double size = font.Size;
    const double px = (std::isfinite(size) ? std::clamp(size, 1.0, 500.0) : 10.0) * 96.0 / 72.0;
    std::size_t chars = 0;
    for (unsigned char c : line)
        if ((c & 0xC0) != 0x80) ++chars;
    return {static_cast<double>(chars) * px * (font.Bold ? 0.66 : 0.6), std::ceil(px * 1.2)};
}

bool ChartLayout::toPixel(double x, double y, PointF& p) const
{
    if (!hasPlot()) return false;
    const double fx = axes[0].scale.fraction(x);
    const double fy = axes[1].scale.fraction(y);
    if (!std::isfinite(fx) || !std::isfinite(fy)) return false;
    p.x = plot.x + fx * plot.w;
    p.y = plot.bottom() - fy * plot.h;
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool ChartLayout::toData(double px, double py, double& x, double& y) const
{
    if (!hasPlot()) return false;
    x = axes[0].scale.valueAt((px - plot.x) / plot.w);
    y = axes[1].scale.valueAt((plot.bottom() - py) / plot.h);
    return true;
}

namespace {

// ---- the phases of ComputeLayout ---------------------------------------------------

// Header at the top and footer at the bottom, centred unless placed.
void LayTitles(const Chart2D& chart, ChartLayout& L, const TextMeasurer& m)
{
    const double W = L.width;
    const RectF& in = L.inner;
    auto placeTitle = [&](const TitleBox& t, TextBlock& b, bool top) {
        if (!t.IsShowing() || !HasVisibleText(t.Text())) return;
        b = MakeBlock(t.Text(), t.Font(), Rotation::Horizontal, t.Adjust(), kTextPad, BorderInset(t.Border()), m);
        b.shown = true;
        const LocationFormat& loc = t.Location();
        if (!loc.StoredWidth().isAuto) b.box.w = std::max(0, loc.StoredWidth().value);
        if (!loc.StoredHeight().isAuto) b.box.h = std::max(0, loc.StoredHeight().value);
        b.box.x = loc.StoredLeft().isAuto ? (W - b.box.w) / 2 : loc.StoredLeft().value;
        b.box.y = loc.StoredTop().isAuto ? (top ? in.y + kPad : in.bottom() - kPad - b.box.h) : loc.StoredTop().value;
    };
    placeTitle(chart.Header(), L.header, true);
    placeTitle(chart.Footer(), L.footer, false);
}

// The legend's entries: one per shown series with a legend text, group 1
// first; maxSymbol receives the largest symbol size among them.
std::vector<LegendEntry> LegendEntries(const Chart2D& chart, double& maxSymbol)
{
    std::vector<LegendEntry> entries;
    maxSymbol = 0;
    for (int g = 1; g <= 2; ++g) {
        const ChartGroup& grp = chart.ChartGroups(g);
        const ChartData& d = grp.Data();
        for (int s = 1; s <= d.NumSeries(); ++s) {
            if (d.Display(s) != DisplayState::Shown) continue;
            const std::string& text = grp.SeriesLabels().Item(s);
            if (!HasVisibleText(text)) continue;
            LegendEntry e;
            e.group = g;
            e.series = s;
            e.label = text;
            entries.push_back(e);
            const SymbolFormat& sym = grp.Styles(s).SymbolStyle();
            if (SymbolDrawn(sym.Shape())) maxSymbol = std::max(maxSymbol, std::clamp(sym.Size(), 3, 60) * 1.0);
        }
    }
    return entries;
}

// Places the entries' rows relative to the legend content's top left, below a
// title of height titleH: in a column, or in rows of at most maxRow pixels.
// Widens contentW and contentH to what the rows need.
void ArrangeLegendEntries(std::vector<LegendEntry>& entries, const LegendBox& lg, const TextMeasurer& m, double rowH,
                          double titleH, double maxRow, double& contentW, double& contentH)
{
    if (lg.Orientation() == Orientation::Horizontal) {
        double x = 0, y = titleH, rowW = 0;
        for (auto& e : entries) {
            const double tw = Measure(m, e.label, lg.Font()).width;
            const double iw = kSampleW + 6 + tw;
            if (x > 0 && x + iw > maxRow) {
                x = 0;
                y += rowH + 2;
            }
            e.row = {x, y, iw, rowH};
            x += iw + 14;
            rowW = std::max(rowW, e.row.right());
            contentH = std::max(contentH, y + rowH);
        }
        contentW = std::max(contentW, rowW);
    } else {
        double y = titleH;
        for (auto& e : entries) {
            const double tw = Measure(m, e.label, lg.Font()).width;
            e.row = {0, y, kSampleW + 6 + tw, rowH};
            y += rowH + 2;
            contentW = std::max(contentW, e.row.w);
        }
        contentH = y - 2;
    }
}

// The legend: its entries in a column (vertical) or in rows (horizontal); right
// of the chart area or below it unless placed, and inside the chart's frame at
// every size.
void LayLegend(const Chart2D& chart, ChartLayout& L, const TextMeasurer& m)
{
    const LegendBox& lg = chart.Legend();
    if (!lg.IsShowing()) return;
    const double H = L.height;
    const RectF& in = L.inner;
    double maxSymbol = 0;
    std::vector<LegendEntry> entries = LegendEntries(chart, maxSymbol);
    if (entries.empty()) return;
    LegendLayout& ll = L.legend;
    ll.shown = true;
    ll.lineHeight = LineHeight(m, lg.Font());
    const double rowH = std::max(ll.lineHeight, maxSymbol + 2);
    const double inset = BorderInset(lg.Border()) + 6;
    double titleW = 0, titleH = 0;
    if (HasVisibleText(lg.Text())) {
        ll.title = MakeBlock(lg.Text(), lg.Font(), Rotation::Horizontal, Adjust::Center, 0, 0, m);
        ll.title.shown = true;
        titleW = ll.title.box.w;
        titleH = ll.title.box.h + kGap;
    }
    double contentW = titleW, contentH = titleH;
    ArrangeLegendEntries(entries, lg, m, rowH, titleH, std::max(120.0, in.w - 2 * kPad - 2 * inset), contentW,
                         contentH);
    ll.box.w = contentW + 2 * inset;
    ll.box.h = contentH + 2 * inset;
    const LocationFormat& loc = lg.Location();
    if (!loc.StoredWidth().isAuto) ll.box.w = std::max(0, loc.StoredWidth().value);
    if (!loc.StoredHeight().isAuto) ll.box.h = std::max(0, loc.StoredHeight().value);
    if (lg.Orientation() == Orientation::Horizontal) {
        // a row legend stands centred below the chart area, above a footer at the bottom
        double bottom = in.bottom() - kPad;
        if (L.footer.shown && L.footer.box.y + L.footer.box.h / 2 > H / 2)
            bottom = std::min(bottom, L.footer.box.y - kGap);
        ll.box.x = loc.StoredLeft().isAuto ? in.x + (in.w - ll.box.w) / 2 : loc.StoredLeft().value;
        ll.box.y = loc.StoredTop().isAuto ? bottom - ll.box.h : loc.StoredTop().value;
    } else {
        ll.box.x = loc.StoredLeft().isAuto ? in.right() - kPad - ll.box.w : loc.StoredLeft().value;
        ll.box.y = loc.StoredTop().isAuto ? in.y + (in.h - ll.box.h) / 2 : loc.StoredTop().value;
    }
    // A place kept from a larger chart (a diagram saved in a larger window, an
    // image smaller than the screen) would put the legend across the chart's
    // frame or beyond it: it stays inside, and one larger than the chart starts
    // at the frame's top left corner.
    ll.box.x = std::max(in.x, std::min(ll.box.x, in.right() - ll.box.w));
    ll.box.y = std::max(in.y, std::min(ll.box.y, in.bottom() - ll.box.h));
    const double ox = ll.box.x + inset, oy = ll.box.y + inset;
    if (ll.title.shown) {
        ll.title.box.x = ox + (contentW - ll.title.box.w) / 2;
        ll.title.box.y = oy;
    }
    for (auto& e : entries) {
        e.row.x += ox;
        e.row.y += oy;
        e.sample = {e.row.x, e.row.y, kSampleW, e.row.h};
        e.text = {e.row.x + kSampleW + 6, e.row.y, e.row.w - kSampleW - 6, e.row.h};
    }
    ll.entries = std::move(entries);
}

// The chart area: what the header, the footer and an automatically placed
// legend leave, unless placed or sized.
void LayChartArea(const Chart2D& chart, ChartLayout& L)
{
    const double H = L.height;
    const RectF& in = L.inner;
    const LegendBox& lg = chart.Legend();
    double top = in.y + kPad, bottom = in.bottom() - kPad, left = in.x + kPad, right = in.right() - kPad;
    if (L.header.shown && L.header.box.y + L.header.box.h / 2 < H / 2) top = std::max(top, L.header.box.bottom() + kGap);
    if (L.footer.shown && L.footer.box.y + L.footer.box.h / 2 > H / 2) bottom = std::min(bottom, L.footer.box.y - kGap);
    if (L.legend.shown && lg.Orientation() == Orientation::Horizontal) {
        if (lg.Location().StoredTop().isAuto) bottom = std::min(bottom, L.legend.box.y - kGap);
    } else if (L.legend.shown && lg.Location().StoredLeft().isAuto) {
        right = std::min(right, L.legend.box.x - kPad);
    }
    const LocationFormat& loc = chart.ChartArea().Location();
    RectF a{left, top, right - left, bottom - top};
    if (!loc.StoredLeft().isAuto) a.x = loc.StoredLeft().value;
    if (!loc.StoredTop().isAuto) a.y = loc.StoredTop().value;
    if (!loc.StoredWidth().isAuto) a.w = loc.StoredWidth().value;
    if (!loc.StoredHeight().isAuto) a.h = loc.StoredHeight().value;
    // A set size stays inside the chart; below an automatically placed top
    // (under the header) it ends above a footer at the bottom.
    if (!loc.StoredWidth().isAuto) a.w = std::min(a.w, in.right() - a.x);
    if (!loc.StoredHeight().isAuto) a.h = std::min(a.h, (loc.StoredTop().isAuto ? bottom : in.bottom()) - a.y);
    a.w = std::max(0.0, a.w);
    a.h = std::max(0.0, a.h);
    L.chartArea = a;
}

// The measured numbers and titles of the three axes, and where the numbers stand.
struct AxisText {
    double maxW = 0, maxH = 0;
    std::vector<std::pair<double, double>> sizes; // w, h of each number's box
};

struct AxesText {
    AxisText text[3];
    // Where the numbers stand: in a band below (left of) the plot, above (right
    // of) it, or inside it beside an axis line that crosses the plot.
    bool xNumTop = false;
    bool xNumInside = false;
    bool yNumRight = false;
    bool yNumInside = false;
    bool yTitleTop = false;  // a horizontal Y title stands above the plot
    bool y2TitleTop = false;
};

AxesText MeasureAxes(const Chart2D& chart, ChartLayout& L, const TextMeasurer& m)
{
    AxesText at;
    const ChartAreaBox& ca = chart.ChartArea();
    for (int i = 0; i < 3; ++i) {
        const AxisId id = static_cast<AxisId>(i);
        const Axis& ax = ca.Axes(id);
        AxisLayout& al = L.axes[i];
        al.scale = chart.Scale(id);
        al.shown = ax.IsShowing();
        al.vertical = id != AxisId::X;
        if (!al.shown) continue;
        const bool turned = ax.NumberingRotation() == Rotation::Up || ax.NumberingRotation() == Rotation::Down;
        AxisText& t = at.text[i];
        for (const auto& s : al.scale.numberTexts) {
            const TextSize ts = Measure(m, s, ax.NumberingFont());
            const double w = turned ? ts.height : ts.width;
            const double h = turned ? ts.width : ts.height;
            t.sizes.emplace_back(w, h);
            t.maxW = std::max(t.maxW, w);
            t.maxH = std::max(t.maxH, h);
        }
        if (HasVisibleText(ax.Title().Text())) {
            al.title = MakeBlock(ax.Title().Text(), ax.Title().Font(), ax.Title().Rotation(), Adjust::Center, 0, 0, m);
            al.title.shown = true;
        }
    }
    const AxisLayout& lx = L.axes[0];
    const AxisLayout& ly = L.axes[1];
    const AxisLayout& ly2 = L.axes[2];
    at.xNumTop = ca.Axes(AxisId::X).NumberingPlacement() == NumberingPlacement::Maximum;
    at.xNumInside =
        ca.Axes(AxisId::X).NumberingPlacement() == NumberingPlacement::AtAxis && ly.scale.origin > ly.scale.min;
    at.yNumRight = ca.Axes(AxisId::Y).NumberingPlacement() == NumberingPlacement::Maximum;
    at.yNumInside =
        ca.Axes(AxisId::Y).NumberingPlacement() == NumberingPlacement::AtAxis && lx.scale.origin > lx.scale.min;
    at.yTitleTop = ly.title.shown && ly.title.rotation == Rotation::Horizontal;
    at.y2TitleTop = ly2.title.shown && ly2.title.rotation == Rotation::Horizontal;
    return at;
}

// The plot area: the chart area less the margins that the axes' numbers and
// titles (and a legend over the area's right part) need, unless set.
void LayPlot(const Chart2D& chart, ChartLayout& L, const AxesText& at)
{
    const ChartAreaBox& ca = chart.ChartArea();
    const LegendBox& lg = chart.Legend();
    const RectF& area = L.chartArea;
    const AxisText* text = at.text;
    const AxisLayout& lx = L.axes[0];
    const AxisLayout& ly = L.axes[1];
    const AxisLayout& ly2 = L.axes[2];
    double mTop = std::max(text[1].maxH / 2 + 2, 8.0);
    double mBottom = kGap;
    double mLeft = kGap;
    double mRight = std::max(text[0].maxW / 2 + 2, 10.0);
    if (lx.shown) {
        mBottom += (at.xNumTop || at.xNumInside) ? kTick : kTick + kGap + text[0].maxH;
        if (lx.title.shown) mBottom += kGap + lx.title.box.h;
        if (at.xNumTop) mTop = std::max(mTop, kTick + kGap + text[0].maxH + kGap);
        mLeft = std::max(mLeft, text[0].maxW / 2 + 2);
    }
    mBottom = std::max(mBottom, text[1].maxH / 2 + 2);
    if (ly.shown) {
        double l = kGap + ((at.yNumRight || at.yNumInside) ? kTick : kTick + kGap + text[1].maxW);
        if (ly.title.shown && !at.yTitleTop) l += kGap + ly.title.box.w;
        mLeft = std::max(mLeft, l);
        if (at.yNumRight) mRight = std::max(mRight, kTick + kGap + text[1].maxW + kGap);
        if (at.yTitleTop) mTop = std::max(mTop, ly.title.box.h + text[1].maxH / 2 + 2 * kGap);
    }
    if (ly2.shown) {
        double r = kTick + kGap + text[2].maxW + kGap;
        if (ly2.title.shown && !at.y2TitleTop) r += ly2.title.box.w + kGap;
        mRight = std::max(mRight, r);
        if (at.y2TitleTop) mTop = std::max(mTop, ly2.title.box.h + text[2].maxH / 2 + 2 * kGap);
    }
    // A legend placed over the right part of the chart area keeps the plot clear of it.
    if (L.legend.shown && lg.Orientation() != Orientation::Horizontal) {
        const RectF& b = L.legend.box;
        if (b.x > area.x + area.w / 2 && b.x < area.right() && b.y < area.bottom() && b.bottom() > area.y)
            mRight = std::max(mRight, area.right() - b.x + kGap);
    }
    const MarginSet& mg = ca.PlotArea().Margins();
    if (!mg.StoredTop().isAuto) mTop = mg.StoredTop().value;
    if (!mg.StoredBottom().isAuto) mBottom = mg.StoredBottom().value;
    if (!mg.StoredLeft().isAuto) mLeft = mg.StoredLeft().value;
    if (!mg.StoredRight().isAuto) mRight = mg.StoredRight().value;
    L.plot = {area.x + mLeft, area.y + mTop, area.w - mLeft - mRight, area.h - mTop - mBottom};
    L.plotValid = L.plot.w >= 2 && L.plot.h >= 2 && std::isfinite(L.plot.x) && std::isfinite(L.plot.y) &&
                  std::isfinite(L.plot.w) && std::isfinite(L.plot.h);
}

double PixelX(const RectF& plot, const AxisScale& s, double v) { return plot.x + s.fraction(v) * plot.w; }
double PixelY(const RectF& plot, const AxisScale& s, double v) { return plot.bottom() - s.fraction(v) * plot.h; }

// The X axis in pixels: its line, numbers, ticks, grid and title.
void LayXAxis(const Chart2D& chart, ChartLayout& L, const AxesText& at)
{
    AxisLayout& lx = L.axes[0];
    const AxisLayout& ly = L.axes[1];
    if (!lx.shown) return;
    const RectF& plot = L.plot;
    const AxisText& t = at.text[0];
    lx.linePos = PixelY(plot, ly.scale, ly.scale.origin);
    const int place = chart.ChartArea().Axes(AxisId::X).NumberingPlacement();
    if (place == NumberingPlacement::Maximum) {
        lx.numberLine = plot.y;
        lx.tickDir = -1;
    } else if (place == NumberingPlacement::AtAxis) {
        lx.numberLine = lx.linePos;
        lx.tickDir = 1;
    } else {
        lx.numberLine = plot.bottom();
        lx.tickDir = 1;
    }
    for (std::size_t i = 0; i < lx.scale.numbers.size(); ++i) {
        AxisNumber n;
        n.value = lx.scale.numbers[i];
        n.pos = PixelX(plot, lx.scale, n.value);
        n.text = lx.scale.numberTexts[i];
        const auto [w, h] = t.sizes[i];
        n.rect = {n.pos - w / 2, lx.tickDir > 0 ? lx.numberLine + kTick + kGap : lx.numberLine - kTick - kGap - h, w, h};
        lx.numbers.push_back(n);
    }
    if (lx.numberLine > plot.y + 1 && lx.numberLine < plot.bottom() - 1) KeepAlongInside(lx.numbers, plot, false);
    ThinNumbers(lx.numbers, false);
    for (double v : lx.scale.ticks) lx.majorTicks.push_back(PixelX(plot, lx.scale, v));
    for (double v : lx.scale.minorTicks) lx.minorTicks.push_back(PixelX(plot, lx.scale, v));
    for (double v : lx.scale.grid) lx.grid.push_back(PixelX(plot, lx.scale, v));
    if (lx.title.shown) {
        double y = plot.bottom() + kTick + kGap;
        if (!at.xNumTop) {
            y = std::max(y, lx.numberLine + kTick + kGap);
            for (const auto& n : lx.numbers) y = std::max(y, n.rect.bottom() + kGap);
            if (lx.numbers.empty()) y = std::max(y, lx.numberLine + kTick + kGap + t.maxH + kGap);
        }
        lx.title.box.x = plot.x + (plot.w - lx.title.box.w) / 2;
        lx.title.box.y = y;
    }
}

// A vertical axis in pixels (Y at the X axis's origin, Y2 at the plot's right
// edge): its line, numbers, ticks, grid and title.
void LayVerticalAxis(const Chart2D& chart, ChartLayout& L, const AxisText& t, AxisId id)
{
    AxisLayout& al = L.axes[static_cast<int>(id)];
    if (!al.shown) return;
    const AxisLayout& lx = L.axes[0];
    const RectF& plot = L.plot;
    const RectF& area = L.chartArea;
    if (id == AxisId::Y2) {
        al.linePos = plot.right();
        al.numberLine = plot.right();
        al.tickDir = 1;
    } else {
        al.linePos = PixelX(plot, lx.scale, lx.scale.origin);
        const int place = chart.ChartArea().Axes(id).NumberingPlacement();
        if (place == NumberingPlacement::Maximum) {
            al.numberLine = plot.right();
            al.tickDir = 1;
        } else if (place == NumberingPlacement::AtAxis) {
            al.numberLine = al.linePos;
            al.tickDir = -1;
        } else {
            al.numberLine = plot.x;
            al.tickDir = -1;
        }
    }
    for (std::size_t i = 0; i < al.scale.numbers.size(); ++i) {
        AxisNumber n;
        n.value = al.scale.numbers[i];
        n.pos = PixelY(plot, al.scale, n.value);
        n.text = al.scale.numberTexts[i];
        const auto [w, h] = t.sizes[i];
        n.rect = {al.tickDir < 0 ? al.numberLine - kTick - kGap - w : al.numberLine + kTick + kGap, n.pos - h / 2, w, h};
        al.numbers.push_back(n);
    }
    if (al.numberLine > plot.x + 1 && al.numberLine < plot.right() - 1) KeepAlongInside(al.numbers, plot, true);
    ThinNumbers(al.numbers, true);
    for (double v : al.scale.ticks) al.majorTicks.push_back(PixelY(plot, al.scale, v));
    for (double v : al.scale.minorTicks) al.minorTicks.push_back(PixelY(plot, al.scale, v));
    for (double v : al.scale.grid) al.grid.push_back(PixelY(plot, al.scale, v));
    if (!al.title.shown) return;
    TextBlock& tb = al.title;
    if (tb.rotation == Rotation::Horizontal) {
        tb.box.y = plot.y - t.maxH / 2 - kGap - tb.box.h;
        tb.box.x = al.tickDir < 0 ? std::max(area.x + kGap, al.numberLine - kTick - kGap - t.maxW)
                                  : std::min(area.right() - kGap - tb.box.w, al.numberLine);
    } else {
        tb.box.y = plot.y + (plot.h - tb.box.h) / 2;
        if (al.tickDir < 0) {
            double x = al.numberLine - kTick - kGap;
            for (const auto& n : al.numbers) x = std::min(x, n.rect.x);
            if (al.numbers.empty()) x -= t.maxW;
            tb.box.x = x - kGap - tb.box.w;
        } else {
            double x = al.numberLine + kTick + kGap;
            for (const auto& n : al.numbers) x = std::max(x, n.rect.right());
            if (al.numbers.empty()) x += t.maxW;
            tb.box.x = x + kGap;
        }
    }
}

// Numbers beside an axis that crosses the plot leave out the crossing point,
// where the other axis line runs through them; where a Y number would run into
// an X number (turned numbers at a corner), the X number stays.
void DropCrossingNumbers(const Chart2D& chart, ChartLayout& L)
{
    const ChartAreaBox& ca = chart.ChartArea();
    const RectF& plot = L.plot;
    AxisLayout& lx = L.axes[0];
    AxisLayout& ly = L.axes[1];
    AxisLayout& ly2 = L.axes[2];
    auto dropAt = [](std::vector<AxisNumber>& nums, double pos) {
        nums.erase(std::remove_if(nums.begin(), nums.end(), [pos](const AxisNumber& n) { return std::fabs(n.pos - pos) < 3; }),
                   nums.end());
    };
    if (lx.shown && ly.shown && ca.Axes(AxisId::X).NumberingPlacement() == NumberingPlacement::AtAxis &&
        ly.linePos > plot.x + 1 && ly.linePos < plot.right() - 1)
        dropAt(lx.numbers, ly.linePos);
    if (ly.shown && lx.shown && ca.Axes(AxisId::Y).NumberingPlacement() == NumberingPlacement::AtAxis &&
        lx.linePos > plot.y + 1 && lx.linePos < plot.bottom() - 1)
        dropAt(ly.numbers, lx.linePos);
    for (AxisLayout* v : {&ly, &ly2}) {
        v->numbers.erase(std::remove_if(v->numbers.begin(), v->numbers.end(),
                                        [&](const AxisNumber& n) {
                                            for (const auto& xn : lx.numbers) {
                                                if (n.rect.x < xn.rect.right() + 1 && xn.rect.x < n.rect.right() + 1 &&
                                                    n.rect.y < xn.rect.bottom() + 1 && xn.rect.y < n.rect.bottom() + 1)
                                                    return true;
                                            }
                                            return false;
                                        }),
                         v->numbers.end());
    }
}

// The fraction of a value in an axis window as AxisScale::fraction gives it,
// with the window's logarithms taken once instead of for every point.
class WindowFraction {
public:
    explicit WindowFraction(const AxisScale& s) : log_(s.log), min_(s.min), max_(s.max)
    {
        if (log_) {
            lo_ = std::log10(min_);
            hi_ = std::log10(max_);
        }
    }
    double operator()(double v) const
    {
        if (!std::isfinite(v)) return std::numeric_limits<double>::quiet_NaN();
        if (log_) {
            if (!(v > 0)) return std::numeric_limits<double>::quiet_NaN();
            return (std::log10(v) - lo_) / (hi_ - lo_);
        }
        return (v - min_) / (max_ - min_);
    }

private:
    bool log_;
    double min_, max_;
    double lo_ = 0, hi_ = 0;
};

bool InWindow(double f) { return f >= 0 && f <= 1; }

// The window fractions of n values, as AxisScale::fraction gives them for
// finite values (a value that is not finite gives a fraction outside 0..1 or
// NaN, and is never used as a point). On a linear axis the loop has no branch,
// so the compiler can do several divisions at once.
void Fractions(const double* __restrict v, int n, const AxisScale& s, double* __restrict out)
{
    if (!s.log) {
        const double min = s.min, span = s.max - s.min;
        // in pairs, which the compiler turns into one two-lane division
        int i = 0;
        for (; i + 1 < n; i += 2) {
            out[i] = (v[i] - min) / span;
            out[i + 1] = (v[i + 1] - min) / span;
        }
        if (i < n) out[i] = (v[i] - min) / span;
        return;
    }
    const WindowFraction f(s);
    for (int i = 0; i < n; ++i) out[i] = f(v[i]);
}

// The connected line pieces of a series, clipped to the axis window, from the
// series' values (xs, ys) and their window fractions (us, vs).
// Segments are straight on screen, so they are clipped where they are drawn: in
// window fractions (logarithmic on a logarithmic axis). A segment with both
// ends inside the window needs no clipping (the clipper would keep it whole,
// and its ends come out as the clipper gives them).
void LayRuns(const double* xs, const double* ys, const double* us, const double* vs, int n, const AxisScale& sx,
             const AxisScale& sy, const RectF& plot, SeriesLayout& sl)
{
    // The runs are written over those of an earlier layout, keeping their memory.
    std::size_t used = 0;
    auto startRun = [&](const PointF& a, const PointF& b) {
        if (used == sl.runs.size()) sl.runs.emplace_back();
        std::vector<PointF>& run = sl.runs[used++];
        run.clear();
        run.push_back(a);
        run.push_back(b);
    };
    const WindowFraction fx(sx), fy(sy);
    auto at = [&](double u, double v) { return PointF{plot.x + u * plot.w, plot.bottom() - v * plot.h}; };
    bool open = false; // the current run ends at the previous point, uncut
    // Whether the segment's second end lies in the window is known for the next
    // segment's first. A fraction inside the window comes only from a finite
    // value (and a positive one on a logarithmic axis).
    bool inside2 = InWindow(us[0]) && InWindow(vs[0]);
    for (int p = 1; p < n; ++p) {
        const bool inside1 = inside2;
        inside2 = InWindow(us[p]) && InWindow(vs[p]);
        double a1 = us[p - 1], b1 = vs[p - 1], a2 = us[p], b2 = vs[p];
        if (inside1 && inside2) {
            // the common case: the whole segment is seen
            a2 = std::clamp(a1 + (a2 - a1), 0.0, 1.0);
            b2 = std::clamp(b1 + (b2 - b1), 0.0, 1.0);
            if (open)
                sl.runs[used - 1].push_back(at(a2, b2));
            else
                startRun(at(a1, b1), at(a2, b2));
            open = true;
            continue;
        }
        const double x1 = xs[p - 1], y1 = ys[p - 1], x2 = xs[p], y2 = ys[p];
        if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
            open = false;
            continue;
        }
        bool cut1 = false, cut2 = false;
        bool inside = false;
        if ((sx.log && !(x1 > 0 && x2 > 0)) || (sy.log && !(y1 > 0 && y2 > 0))) {
            // an end at or below zero on a logarithmic axis: lifted to the window
            double lx1 = x1, ly1 = y1, lx2 = x2, ly2 = y2;
            if ((sx.log && !LiftToWindow(lx1, ly1, lx2, ly2, sx.min, cut1, cut2)) ||
                (sy.log && !LiftToWindow(ly1, lx1, ly2, lx2, sy.min, cut1, cut2))) {
                open = false;
                continue;
            }
            a1 = fx(lx1);
            b1 = fy(ly1);
            a2 = fx(lx2);
            b2 = fy(ly2);
            inside = InWindow(a1) && InWindow(b1) && InWindow(a2) && InWindow(b2);
        }
        if (inside) {
            a2 = std::clamp(a1 + (a2 - a1), 0.0, 1.0);
            b2 = std::clamp(b1 + (b2 - b1), 0.0, 1.0);
        } else {
            bool clip1 = false, clip2 = false;
            if (!ClipSegment(a1, b1, a2, b2, 0, 1, 0, 1, clip1, clip2)) {
                open = false;
                continue;
            }
            cut1 = cut1 || clip1;
            cut2 = cut2 || clip2;
        }
        const PointF b = at(a2, b2);
        if (open && !cut1)
            sl.runs[used - 1].push_back(b);
        else
            startRun(at(a1, b1), b);
        open = !cut2;
    }
    sl.runs.resize(used);
}

// The visible pieces of every shown series: lines and symbol centres.
void LaySeries(const Chart2D& chart, ChartLayout& L)
{
    if (!L.hasPlot()) {
        L.series.clear();
        return;
    }
    const AxisScale& sx = L.axes[0].scale;
    const AxisScale& sy = L.axes[1].scale;
    const RectF& plot = L.plot;
    auto inside = [](double f) { return f >= -1e-6 && f <= 1 + 1e-6; }; // AxisScale::contains
    // The series are written over those of an earlier layout, keeping their memory.
    std::size_t used = 0;
    for (int g = 1; g <= 2; ++g) {
        const ChartGroup& grp = chart.ChartGroups(g);
        const ChartData& d = grp.Data();
        for (int s = 1; s <= d.NumSeries(); ++s) {
            const int n = d.NumPoints(s);
            if (d.Display(s) != DisplayState::Shown || n == 0) continue;
            const SeriesStyle& st = grp.Styles(s);
            const double* xs = d.XValues(s);
            const double* ys = d.YValues(s);
            // every point's window fractions, once
            L.work.resize(2 * static_cast<std::size_t>(n));
            double* us = L.work.data();
            double* vs = us + n;
            Fractions(xs, n, sx, us);
            Fractions(ys, n, sy, vs);
            if (used == L.series.size()) L.series.emplace_back();
            SeriesLayout& sl = L.series[used++];
            sl.group = g;
            sl.series = s;
            if (LineDrawn(st.LineStyle().Pattern()) && n >= 2)
                LayRuns(xs, ys, us, vs, n, sx, sy, plot, sl);
            else
                sl.runs.clear();
            sl.symbols.clear();
            if (SymbolDrawn(st.SymbolStyle().Shape())) {
                for (int p = 0; p < n; ++p)
                    if (inside(us[p]) && inside(vs[p]))
                        sl.symbols.push_back({plot.x + us[p] * plot.w, plot.bottom() - vs[p] * plot.h});
            }
        }
    }
    L.series.resize(used);
}

// The shown labels with a text: at their point (a series point, a data
// position, or a place in pixels), offset by their anchor, inside the chart.
void LayLabels(const Chart2D& chart, ChartLayout& L, const TextMeasurer& m)
{
    const double W = L.width, H = L.height;
    const AxisLayout& lx = L.axes[0];
    const AxisLayout& ly = L.axes[1];
    const LabelList& labels = chart.ChartLabels();
    for (int n = 1; n <= labels.Count(); ++n) {
        const ChartLabel& lab = labels.Item(n);
        if (!lab.IsShowing() || !HasVisibleText(lab.Text())) continue;
        PointF pt;
        bool have = false;
        const int method = lab.AttachMethod();
        if (method == AttachMethod::Coord) {
            pt = {static_cast<double>(lab.AttachCoordX()), static_cast<double>(lab.AttachCoordY())};
            have = true;
        } else if (method == AttachMethod::DataCoord) {
            have = lx.scale.contains(lab.AttachDataX()) && ly.scale.contains(lab.AttachDataY()) &&
                   L.toPixel(lab.AttachDataX(), lab.AttachDataY(), pt);
        } else if (method == AttachMethod::DataIndex) {
            const int p = chart.LabelPointIndex(n);
            const ChartData& d = chart.ChartGroups(lab.AttachGroup()).Data();
            const int s = lab.AttachSeries();
            if (p > 0 && d.Display(s) == DisplayState::Shown) {
                const double x = d.X(s, p), y = d.Y(s, p);
                have = lx.scale.contains(x) && ly.scale.contains(y) && L.toPixel(x, y, pt);
            }
        }
        if (!have) continue;
        const TextBlock tb =
            MakeBlock(lab.Text(), lab.Font(), Rotation::Horizontal, lab.Adjust(), kLabelPad, BorderInset(lab.Border()), m);
        LabelLayout ll;
        ll.index = n;
        ll.lines = tb.lines;
        ll.lineHeight = tb.lineHeight;
        ll.point = pt;
        const double w = tb.box.w, h = tb.box.h;
        const double off = std::clamp(lab.Offset(), 0, 500);
        const double dg = off * 0.7071;
        double x = pt.x + dg, y = pt.y - dg - h; // north-east
        switch (lab.Anchor()) {
        case Anchor::North: x = pt.x - w / 2; y = pt.y - off - h; break;
        case Anchor::East: x = pt.x + off; y = pt.y - h / 2; break;
        case Anchor::SouthEast: x = pt.x + dg; y = pt.y + dg; break;
        case Anchor::South: x = pt.x - w / 2; y = pt.y + off; break;
        case Anchor::SouthWest: x = pt.x - dg - w; y = pt.y + dg; break;
        case Anchor::West: x = pt.x - off - w; y = pt.y - h / 2; break;
        case Anchor::NorthWest: x = pt.x - dg - w; y = pt.y - dg - h; break;
        case Anchor::Center: x = pt.x - w / 2; y = pt.y - h / 2; break;
        default: break;
        }
        x = std::clamp(x, 0.0, std::max(0.0, W - w));
        y = std::clamp(y, 0.0, std::max(0.0, H - h));
        ll.box = {x, y, w, h};
        ll.connected = lab.IsConnected() && method != AttachMethod::Coord && off > 0 && !ll.box.contains(pt.x, pt.y);
        L.labels.push_back(std::move(ll));
    }
}

} // namespace

ChartLayout ComputeLayout(const Chart2D& chart, double width, double height, const TextMeasurer& m)
{
    ChartLayout L;
    ComputeLayout(chart, width, height, m, L);
    return L;
}

void ComputeLayout(const Chart2D& chart, double width, double height, const TextMeasurer& m, ChartLayout& L)
{
    std::vector<SeriesLayout> series = std::move(L.series);
    std::vector<double> work = std::move(L.work);
    L = ChartLayout{};
    L.series = std::move(series);
    L.work = std::move(work);
    const double W = std::isfinite(width) ? std::max(0.0, width) : 0;
    const double H = std::isfinite(height) ? std::max(0.0, height) : 0;
    L.width = W;
    L.height = H;
    const double bi = BorderInset(chart.Border());
    L.inner = {bi, bi, std::max(0.0, W - 2 * bi), std::max(0.0, H - 2 * bi)};

    LayTitles(chart, L, m);
    LayLegend(chart, L, m);
    LayChartArea(chart, L);
    const AxesText at = MeasureAxes(chart, L, m);
    LayPlot(chart, L, at);
    if (L.hasPlot()) {
        LayXAxis(chart, L, at);
        LayVerticalAxis(chart, L, at.text[1], AxisId::Y);
        LayVerticalAxis(chart, L, at.text[2], AxisId::Y2);
        DropCrossingNumbers(chart, L);
    } else {
        for (auto& al : L.axes) al.title.shown = false;
    }
    LaySeries(chart, L);
    LayLabels(chart, L, m);
}

HitResult HitTest(const Chart2D& chart, const ChartLayout& L, double x, double y)
{
    HitResult r;
    if (!std::isfinite(x) || !std::isfinite(y)) return r;
    if (L.legend.shown && L.legend.box.contains(x, y)) {
        r.kind = HitResult::Kind::Legend;
        for (const auto& e : L.legend.entries) {
            if (e.row.contains(x, y)) {
                r.group = e.group;
                r.series = e.series;
            }
        }
        return r;
    }
    for (auto it = L.labels.rbegin(); it != L.labels.rend(); ++it) {
        if (it->box.contains(x, y)) {
            r.kind = HitResult::Kind::Label;
            r.label = it->index;
            return r;
        }
    }
    if (L.header.shown && L.header.box.contains(x, y)) {
        r.kind = HitResult::Kind::Header;
        return r;
    }
    if (L.footer.shown && L.footer.box.contains(x, y)) {
        r.kind = HitResult::Kind::Footer;
        return r;
    }
    for (int i = 0; i < 3; ++i) {
        if (L.axes[i].shown && L.axes[i].title.shown && L.axes[i].title.box.contains(x, y)) {
            r.kind = HitResult::Kind::AxisTitle;
            r.axis = static_cast<AxisId>(i);
            return r;
        }
    }

    // the nearest series within reach of its line or a symbol
    const PointF p{x, y};
    double best = std::numeric_limits<double>::infinity();
    const SeriesLayout* hit = nullptr;
    for (const auto& sl : L.series) {
        const SeriesStyle& st = chart.ChartGroups(sl.group).Styles(sl.series);
        const double lineReach = 4 + std::clamp(st.LineStyle().Width(), 1, 50) / 2.0;
        const double symReach = std::clamp(st.SymbolStyle().Size(), 3, 60) / 2.0 + 3;
        for (const auto& run : sl.runs) {
            for (std::size_t i = 1; i < run.size(); ++i) {
                const double d = SegmentDistance(p, run[i - 1], run[i]);
                if (d <= lineReach && d <= best) {
                    best = d;
                    hit = &sl;
                }
            }
        }
        for (const auto& c : sl.symbols) {
            const double d = std::max(0.0, std::hypot(c.x - x, c.y - y) - symReach + 3);
            if (d <= 3 + 1e-9 && d <= best) {
                best = d;
                hit = &sl;
            }
        }
    }
    if (hit) {
        r.kind = hit->group == 1 ? HitResult::Kind::Curve : HitResult::Kind::PointSet;
        r.group = hit->group;
        r.series = hit->series;
        // the data point of the series nearest to the position
        const ChartData& d = chart.ChartGroups(hit->group).Data();
        double nearest = std::numeric_limits<double>::infinity();
        for (int i = 1; i <= d.NumPoints(hit->series); ++i) {
            PointF q;
            if (!L.toPixel(d.X(hit->series, i), d.Y(hit->series, i), q)) continue;
            const double dist = std::hypot(q.x - x, q.y - y);
            if (dist < nearest) {
                nearest = dist;
                r.point = i;
            }
        }
        return r;
    }
    if (L.hasPlot() && L.plot.contains(x, y)) {
        r.kind = HitResult::Kind::PlotArea;
        return r;
    }
    for (int i = 0; i < 3; ++i) {
        const AxisLayout& al = L.axes[i];
        if (!al.shown || !L.hasPlot()) continue;
        for (const auto& n : al.numbers) {
            if (n.rect.contains(x, y)) {
                r.kind = HitResult::Kind::Axis;
                r.axis = static_cast<AxisId>(i);
                return r;
            }
        }
        const double lo = std::min(al.numberLine, al.numberLine + al.tickDir * (kTick + 1));
        const double hi = std::max(al.numberLine, al.numberLine + al.tickDir * (kTick + 1));
        const bool inBand = al.vertical ? (x >= lo && x <= hi && y >= L.plot.y && y <= L.plot.bottom())
                                        : (y >= lo && y <= hi && x >= L.plot.x && x <= L.plot.right());
        if (inBand) {
            r.kind = HitResult::Kind::Axis;
            r.axis = static_cast<AxisId>(i);
            return r;
        }
    }
    if (L.chartArea.contains(x, y)) r.kind = HitResult::Kind::ChartArea;
    return r;
}

} // namespace kinhom
