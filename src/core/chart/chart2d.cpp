#include "core/chart/chart2d.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "core/chart/axisscale.h"
#include "core/chart/chartlayout.h"

namespace kinhom {

namespace {

bool SameDouble(double a, double b) { return a == b || (a != a && b != b); }

bool SameValues(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!SameDouble(a[i], b[i])) return false;
    return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

constexpr Rgb kPalette[10] = {
    RGB(31, 119, 180), RGB(214, 39, 40),  RGB(44, 160, 44),   RGB(255, 127, 14), RGB(148, 103, 189),
    RGB(140, 86, 75),  RGB(227, 119, 194), RGB(127, 127, 127), RGB(188, 189, 34), RGB(23, 190, 207),
};

constexpr int kPointShapes[7] = {SymbolShape::Dot,  SymbolShape::Circle, SymbolShape::Triangle, SymbolShape::Square,
                                 SymbolShape::Star, SymbolShape::Cross,  SymbolShape::Box};

} // namespace

Rgb DefaultSeriesColor(int /*group*/, int series)
{
    const int i = ((series - 1) % 10 + 10) % 10;
    return kPalette[i];
}

// ---- ChartNode and small formats -------------------------------------------------

void ChartNode::changed() const
{
    if (chart_) chart_->noteChange();
}

void InteriorFormat::setBackgroundColor(const Rgb& c)
{
    if (BackgroundColor_ == c && !IsTransparent_) return;
    BackgroundColor_ = c;
    IsTransparent_ = false;
    changed();
}

void InteriorFormat::setTransparent(bool on)
{
    if (IsTransparent_ == on) return;
    IsTransparent_ = on;
    changed();
}

// ---- locations and margins ---------------------------------------------------------

void LocationFormat::set(AutoInt& a, int v)
{
    if (a.value == v && !a.isAuto) return;
    a.value = v;
    a.isAuto = false;
    changed();
}

void LocationFormat::setAuto(AutoInt& a, bool on)
{
    if (a.isAuto == on) return;
    if (!on && chart_) a.value = computed(&a == &Left_ ? 0 : &a == &Top_ ? 1 : &a == &Width_ ? 2 : 3);
    a.isAuto = on;
    changed();
}

int LocationFormat::computed(int which) const
{
    if (!chart_) return 0;
    const ChartLayout& L = chart_->Layout();
    RectF r;
    switch (owner_) {
    case Owner::Header: r = L.header.box; break;
    case Owner::Footer: r = L.footer.box; break;
    case Owner::Legend: r = L.legend.box; break;
    case Owner::ChartArea: r = L.chartArea; break;
    case Owner::None: return 0;
    }
    const double v = which == 0 ? r.x : which == 1 ? r.y : which == 2 ? r.w : r.h;
    return static_cast<int>(std::lround(v));
}

int LocationFormat::Left() const { return Left_.isAuto && chart_ ? computed(0) : Left_.value; }
int LocationFormat::Top() const { return Top_.isAuto && chart_ ? computed(1) : Top_.value; }
int LocationFormat::Width() const { return Width_.isAuto && chart_ ? computed(2) : Width_.value; }
int LocationFormat::Height() const { return Height_.isAuto && chart_ ? computed(3) : Height_.value; }

int MarginSet::value(const AutoInt& a, int which) const
{
    if (!a.isAuto || !chart_) return a.value;
    const ChartLayout& L = chart_->Layout();
    const RectF& c = L.chartArea;
    const RectF& p = L.plot;
    double v = 0;
    switch (which) {
    case 0: v = p.y - c.y; break;
    case 1: v = c.bottom() - p.bottom(); break;
    case 2: v = p.x - c.x; break;
    default: v = c.right() - p.right(); break;
    }
    return static_cast<int>(std::lround(v));
}

void MarginSet::set(AutoInt& a, int v)
{
    if (a.value == v && !a.isAuto) return;
    a.value = v;
    a.isAuto = false;
    changed();
}

void MarginSet::setAuto(AutoInt& a, bool on)
{
    if (a.isAuto == on) return;
    if (!on && chart_) a.value = value(a, &a == &Top_ ? 0 : &a == &Bottom_ ? 1 : &a == &Left_ ? 2 : 3);
    a.isAuto = on;
    changed();
}

// ---- axes --------------------------------------------------------------------------

double AxisSpacing::Value() const
{
    if (!v_.isAuto || !chart_) return v_.value;
    const AxisScale& s = chart_->Scale(axis_);
    switch (kind_) {
    case Kind::Grid: return s.gridSpacing;
    case Kind::Tick: return s.tickSpacing;
    case Kind::Numbering: return s.numSpacing;
    }
    return s.numSpacing;
}

void AxisSpacing::setValue(double v)
{
    if (SameDouble(v_.value, v)) return;
    v_.value = v;
    changed();
}

void AxisSpacing::setAuto(bool on)
{
    if (v_.isAuto == on) return;
    if (!on) v_.value = Value();
    v_.isAuto = on;
    changed();
}

Axis::Axis(AxisId id) : id_(id)
{
    gridSpacing_.axis_ = tickSpacing_.axis_ = numSpacing_.axis_ = id;
    gridSpacing_.kind_ = AxisSpacing::Kind::Grid;
    tickSpacing_.kind_ = AxisSpacing::Kind::Tick;
    numSpacing_.kind_ = AxisSpacing::Kind::Numbering;
    NumberingFont_.Size = 9;
    title_.setFont(FontSpec{"DejaVu Sans", 10, false, false, false});
    if (id == AxisId::Y || id == AxisId::Y2) title_.setRotation(Rotation::Up);
    if (id == AxisId::Y2) {
        IsShowing_ = false;
        grid_.setPattern(LinePattern::None);
    }
    grid_.setColor(RGB(222, 222, 222));
}

bool Axis::operator==(const Axis& o) const
{
    return Min_ == o.Min_ && Max_ == o.Max_ && DataMin_ == o.DataMin_ && DataMax_ == o.DataMax_ &&
           IsShowing_ == o.IsShowing_ && IsLogarithmic_ == o.IsLogarithmic_ && NumberingFont_ == o.NumberingFont_ &&
           NumberingRotation_ == o.NumberingRotation_ && NumberingPlacement_ == o.NumberingPlacement_ &&
           OriginPlacement_ == o.OriginPlacement_ && SameDouble(Origin_, o.Origin_) && title_ == o.title_ &&
           grid_ == o.grid_ && gridSpacing_ == o.gridSpacing_ && tickSpacing_ == o.tickSpacing_ &&
           numSpacing_ == o.numSpacing_;
}

void Axis::setAutoDouble(AutoDouble& a, double v)
{
    if (SameDouble(a.value, v) && !a.isAuto) return;
    a.value = v;
    a.isAuto = false;
    changed();
}

void Axis::setAutoFlag(AutoDouble& a, bool on)
{
    if (a.isAuto == on) return;
    if (!on) {
        if (&a == &Min_) a.value = Min();
        else if (&a == &Max_) a.value = Max();
        else if (&a == &DataMin_) a.value = DataMin();
        else a.value = DataMax();
    }
    a.isAuto = on;
    changed();
}

double Axis::Min() const { return Min_.isAuto && chart_ ? chart_->Scale(id_).min : Min_.value; }
double Axis::Max() const { return Max_.isAuto && chart_ ? chart_->Scale(id_).max : Max_.value; }

double Axis::Origin() const
{
    if (OriginPlacement_ == OriginPlacement::Value || !chart_) return Origin_;
    return chart_->Scale(id_).origin;
}

void Axis::setOrigin(double v)
{
    if (SameDouble(Origin_, v)) return;
    Origin_ = v;
    changed();
}

ChartAreaBox::ChartAreaBox() : axes_{Axis(AxisId::X), Axis(AxisId::Y), Axis(AxisId::Y2)} {}

Axis& ChartAreaBox::Axes(std::string_view name)
{
    if (EqualsNoCase(name, "X")) return axes_[0];
    if (EqualsNoCase(name, "Y")) return axes_[1];
    if (EqualsNoCase(name, "Y2")) return axes_[2];
    scratch_ = Axis(AxisId::X);
    return scratch_;
}

const Axis& ChartAreaBox::Axes(std::string_view name) const
{
    return const_cast<ChartAreaBox*>(this)->Axes(name);
}

// ---- data ----------------------------------------------------------------------------

bool ChartData::Series::operator==(const Series& o) const
{
    return display == o.display && style == o.style && SameValues(x, o.x) && SameValues(y, o.y);
}

bool ChartData::operator==(const ChartData& o) const { return group_ == o.group_ && series_ == o.series_; }

void ChartData::setNumSeries(int n)
{
    n = std::clamp(n, 0, kChartMaxSeries);
    const int old = NumSeries();
    if (n == old) return;
    series_.resize(static_cast<std::size_t>(n));
    for (int s = old + 1; s <= n; ++s) {
        Series& r = series_[s - 1];
        const Rgb c = DefaultSeriesColor(group_, s);
        r.style.LineStyle().setColor(c);
        r.style.SymbolStyle().setColor(c);
        if (group_ == 2) {
            r.style.LineStyle().setPattern(LinePattern::None);
            r.style.SymbolStyle().setShape(kPointShapes[(s - 1) % 7]);
        }
    }
    if (chart_) chart_->bindSeries(*this);
    changed();
}

int ChartData::NumPoints(int s) const { return valid(s) ? static_cast<int>(series_[s - 1].x.size()) : 0; }

void ChartData::setNumPoints(int s, int n)
{
    if (!valid(s)) return;
    n = std::clamp(n, 0, kChartMaxPoints);
    Series& r = series_[s - 1];
    if (static_cast<int>(r.x.size()) == n) return;
    r.x.resize(static_cast<std::size_t>(n), 0.0);
    r.y.resize(static_cast<std::size_t>(n), 0.0);
    changed();
}

double ChartData::X(int s, int p) const { return valid(s, p) ? series_[s - 1].x[p - 1] : 0.0; }
double ChartData::Y(int s, int p) const { return valid(s, p) ? series_[s - 1].y[p - 1] : 0.0; }

void ChartData::setX(int s, int p, double v)
{
    if (!valid(s, p)) return;
    double& d = series_[s - 1].x[p - 1];
    if (SameDouble(d, v)) return;
    d = v;
    changed();
}

void ChartData::setY(int s, int p, double v)
{
    if (!valid(s, p)) return;
    double& d = series_[s - 1].y[p - 1];
    if (SameDouble(d, v)) return;
    d = v;
    changed();
}

void ChartData::setPoints(int s, const double* x, const double* y, int n)
{
    if (!valid(s)) return;
    n = std::clamp(n, 0, kChartMaxPoints);
    if (n > 0 && (!x || !y)) return;
    Series& r = series_[s - 1];
    r.x.assign(x, x + n);
    r.y.assign(y, y + n);
    changed();
}

int ChartData::Display(int s) const { return valid(s) ? series_[s - 1].display : 0; }

void ChartData::setDisplay(int s, int state)
{
    if (!valid(s) || series_[s - 1].display == state) return;
    series_[s - 1].display = state;
    changed();
}

void ChartData::setIsBatched(bool on)
{
    if (on) {
        ++batchDepth_;
        if (chart_) chart_->openDeferral();
    } else if (batchDepth_ > 0) {
        --batchDepth_;
        if (chart_) chart_->closeDeferral();
    }
}

const std::string& SeriesLabelList::Item(int n) const
{
    static const std::string kEmpty;
    return (n >= 1 && n <= Count()) ? items_[n - 1] : kEmpty;
}

void SeriesLabelList::setItem(int n, const std::string& text)
{
    if (n < 1 || n > Count() || items_[n - 1] == text) return;
    items_[n - 1] = text;
    changed();
}

int SeriesLabelList::Add(const std::string& text)
{
    if (Count() >= kChartMaxSeries) return 0;
    items_.push_back(text);
    changed();
    return Count();
}

void SeriesLabelList::Remove(int n)
{
    if (n < 1 || n > Count()) return;
    items_.erase(items_.begin() + (n - 1));
    changed();
}

void SeriesLabelList::RemoveAll()
{
    if (items_.empty()) return;
    items_.clear();
    changed();
}

SeriesStyle& ChartGroup::Styles(int s)
{
    if (data_.valid(s)) return data_.series_[s - 1].style;
    scratch_ = SeriesStyle();
    return scratch_;
}

const SeriesStyle& ChartGroup::Styles(int s) const { return const_cast<ChartGroup*>(this)->Styles(s); }

// ---- labels ----------------------------------------------------------------------------

ChartLabel::ChartLabel()
{
    Font_.Size = 9;
    interior_.setBackgroundColor(RGB(255, 255, 255));
}

bool ChartLabel::operator==(const ChartLabel& o) const
{
    return Text_ == o.Text_ && IsShowing_ == o.IsShowing_ && AttachMethod_ == o.AttachMethod_ &&
           AttachCoordX_ == o.AttachCoordX_ && AttachCoordY_ == o.AttachCoordY_ &&
           SameDouble(AttachDataX_, o.AttachDataX_) && SameDouble(AttachDataY_, o.AttachDataY_) &&
           AttachGroup_ == o.AttachGroup_ && AttachSeries_ == o.AttachSeries_ && AttachPoint_ == o.AttachPoint_ &&
           Anchor_ == o.Anchor_ && Offset_ == o.Offset_ && IsConnected_ == o.IsConnected_ && Adjust_ == o.Adjust_ &&
           Font_ == o.Font_ && border_ == o.border_ && interior_ == o.interior_;
}

void LabelList::setCount(int n)
{
    n = std::clamp(n, 0, kChartMaxLabels);
    if (n == Count()) return;
    labels_.resize(static_cast<std::size_t>(n));
    if (chart_) chart_->bindLabels(*this);
    changed();
}

ChartLabel& LabelList::Add()
{
    if (Count() >= kChartMaxLabels) {
        scratch_ = ChartLabel();
        return scratch_;
    }
    labels_.emplace_back();
    if (chart_) chart_->bindLabels(*this);
    changed();
    return labels_.back();
}

void LabelList::Remove(int n)
{
    if (n < 1 || n > Count()) return;
    labels_.erase(labels_.begin() + (n - 1));
    if (chart_) chart_->bindLabels(*this);
    changed();
}

ChartLabel& LabelList::Item(int n)
{
    if (n >= 1 && n <= Count()) return labels_[n - 1];
    scratch_ = ChartLabel();
    return scratch_;
}

const ChartLabel& LabelList::Item(int n) const { return const_cast<LabelList*>(this)->Item(n); }

// ---- the chart ---------------------------------------------------------------------------

void Chart2D::initContent()
{
    Content& c = c_;
    c.groups[0].data_.group_ = 1;
    c.groups[1].data_.group_ = 2;
    c.interior.setForegroundColor(RGB(30, 30, 30));
    c.header.location_.owner_ = LocationFormat::Owner::Header;
    c.footer.location_.owner_ = LocationFormat::Owner::Footer;
    c.legend.location_.owner_ = LocationFormat::Owner::Legend;
    c.area.location_.owner_ = LocationFormat::Owner::ChartArea;
    c.header.setFont(FontSpec{"DejaVu Sans", 12, true, false, false});
    c.header.Interior().setTransparent(true);
    c.header.Interior().setForegroundColor(RGB(30, 30, 30));
    c.footer.setFont(FontSpec{"DejaVu Sans", 9, false, false, false});
    c.footer.Interior().setTransparent(true);
    c.footer.Interior().setForegroundColor(RGB(30, 30, 30));
    c.legend.setFont(FontSpec{"DejaVu Sans", 9, false, false, false});
    c.legend.Border().setType(BorderType::Plain);
    c.legend.Interior().setForegroundColor(RGB(30, 30, 30));
    c.area.Interior().setForegroundColor(RGB(60, 60, 60));
}

Chart2D::Chart2D()
{
    initContent();
    bindAll();
}


Chart2D::~Chart2D() = default;

void Chart2D::bindSeries(ChartData& d)
{
    bind(d);
    for (auto& s : d.series_) {
        bind(s.style);
        bind(s.style.line_);
        bind(s.style.symbol_);
    }
}

void Chart2D::bindLabels(LabelList& l)
{
    bind(l);
    for (auto& lab : l.labels_) {
        bind(lab);
        bind(lab.border_);
        bind(lab.interior_);
    }
}

void Chart2D::bindAll()
{
    bind(c_.border);
    bind(c_.interior);
    for (TitleBox* t : {&c_.header, &c_.footer}) {
        bind(*t);
        bind(t->border_);
        bind(t->interior_);
        bind(t->location_);
    }
    bind(c_.legend);
    bind(c_.legend.border_);
    bind(c_.legend.interior_);
    bind(c_.legend.location_);
    ChartAreaBox& a = c_.area;
    bind(a);
    bind(a.border_);
    bind(a.interior_);
    bind(a.location_);
    bind(a.plot_);
    bind(a.plot_.interior_);
    bind(a.plot_.margins_);
    for (Axis& ax : a.axes_) {
        bind(ax);
        bind(ax.title_);
        bind(ax.grid_);
        bind(ax.gridSpacing_);
        bind(ax.tickSpacing_);
        bind(ax.numSpacing_);
    }
    for (ChartGroup& g : c_.groups) {
        bind(g);
        bind(g.labels_);
        bindSeries(g.data_);
    }
    bindLabels(c_.labels);
}

ChartGroup& Chart2D::ChartGroups(int g)
{
    if (g == 1 || g == 2) return c_.groups[g - 1];
    scratchGroup_ = ChartGroup();
    return scratchGroup_;
}

const ChartGroup& Chart2D::ChartGroups(int g) const { return const_cast<Chart2D*>(this)->ChartGroups(g); }

void Chart2D::setIsBatched(bool on)
{
    if (on) {
        ++batchDepth_;
        return;
    }
    if (batchDepth_ == 0) return;
    --batchDepth_;
    if (batchDepth_ == 0 && deferDepth_ == 0 && pending_) announce();
}

void Chart2D::closeDeferral()
{
    if (deferDepth_ > 0) --deferDepth_;
    if (batchDepth_ == 0 && deferDepth_ == 0 && pending_) announce();
}

void Chart2D::noteChange()
{
    ++revision_;
    if (batchDepth_ > 0 || deferDepth_ > 0 || announcing_) {
        pending_ = true;
        return;
    }
    pending_ = true;
    announce();
}

void Chart2D::announce()
{
    if (announcing_) return;
    announcing_ = true;
    for (int round = 0; round < 8 && pending_; ++round) {
        pending_ = false;
        std::vector<int> ids;
        ids.reserve(listeners_.size());
        for (const auto& l : listeners_) ids.push_back(l.first);
        for (int id : ids) {
            auto it = std::find_if(listeners_.begin(), listeners_.end(), [id](const auto& l) { return l.first == id; });
            if (it == listeners_.end() || !it->second) continue;
            Listener fn = it->second; // the listener may remove itself
            fn();
        }
        if (batchDepth_ > 0 || deferDepth_ > 0) break; // a listener opened a batch: its end announces
    }
    if (batchDepth_ == 0 && deferDepth_ == 0) pending_ = false;
    announcing_ = false;
}

int Chart2D::addListener(Listener listener)
{
    const int id = nextListenerId_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
}

void Chart2D::removeListener(int id)
{
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(), [id](const auto& l) { return l.first == id; }),
                     listeners_.end());
}

void Chart2D::setSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    noteChange();
}

void Chart2D::setTextMeasurer(TextMeasurer measurer)
{
    measurer_ = std::move(measurer);
    noteChange();
}

const ChartLayout& Chart2D::Layout() const
{
    if (!layout_ || layoutRevision_ != revision_) {
        auto fresh = std::make_unique<ChartLayout>(ComputeLayout(*this, width_, height_, measurer_));
        layout_ = std::move(fresh);
        layoutRevision_ = revision_;
    }
    return *layout_;
}

const AxisScale& Chart2D::Scale(AxisId id) const
{
    const int i = static_cast<int>(id);
    if (scales_[i] && scaleRevision_[i] == revision_) return *scales_[i];

    const Axis& a = c_.area.axes_[i];
    const bool log = a.IsLogarithmic_;
    AxisScaleInput in;
    in.log = log;

    if (id == AxisId::Y2 && (a.Min_.isAuto || a.Max_.isAuto)) {
        // No series of its own: an automatic Y2 window mirrors the Y axis.
        const AxisScale& y = Scale(AxisId::Y);
        const AxisWindow w = SoundWindow(y.min, y.max, log, 0);
        in.min = a.Min_.isAuto ? w.min : a.Min_.value;
        in.max = a.Max_.isAuto ? w.max : a.Max_.value;
    } else {
        const Extents e = dataExtents(id == AxisId::X);
        in.smallestPositive = std::isnan(e.posMin) ? 0 : e.posMin;
        const double autoLo = log ? e.posMin : e.min;
        const double autoHi = log ? e.posMax : e.max;
        const double dmin = a.DataMin_.isAuto ? autoLo : a.DataMin_.value;
        const double dmax = a.DataMax_.isAuto ? autoHi : a.DataMax_.value;
        if (a.Min_.isAuto || a.Max_.isAuto) {
            const AxisWindow w = AutoWindow(dmin, dmax, log, in.smallestPositive);
            in.min = a.Min_.isAuto ? w.min : a.Min_.value;
            in.max = a.Max_.isAuto ? w.max : a.Max_.value;
        } else {
            in.min = a.Min_.value;
            in.max = a.Max_.value;
        }
    }
    in.gridSpacing = a.gridSpacing_.v_.value;
    in.gridAuto = a.gridSpacing_.v_.isAuto;
    in.tickSpacing = a.tickSpacing_.v_.value;
    in.tickAuto = a.tickSpacing_.v_.isAuto;
    in.numSpacing = a.numSpacing_.v_.value;
    in.numAuto = a.numSpacing_.v_.isAuto;
    in.originPlacement = a.OriginPlacement_;
    in.originValue = a.Origin_;

    scales_[i] = std::make_unique<AxisScale>(ComputeAxisScale(in));
    scaleRevision_[i] = revision_;
    return *scales_[i];
}

Chart2D::Extents Chart2D::dataExtents(bool onX) const
{
    Extents e;
    for (const ChartGroup& g : c_.groups) {
        for (const auto& s : g.data_.series_) {
            if (s.display == DisplayState::Excluded) continue;
            for (std::size_t p = 0; p < s.x.size(); ++p) {
                if (!std::isfinite(s.x[p]) || !std::isfinite(s.y[p])) continue;
                const double v = onX ? s.x[p] : s.y[p];
                if (std::isnan(e.min) || v < e.min) e.min = v;
                if (std::isnan(e.max) || v > e.max) e.max = v;
                if (v > 0) {
                    if (std::isnan(e.posMin) || v < e.posMin) e.posMin = v;
                    if (std::isnan(e.posMax) || v > e.posMax) e.posMax = v;
                }
            }
        }
    }
    return e;
}

// The data range an automatic window is made from (positive points only on a
// logarithmic axis; the Y2 axis looks at the points of the Y axis).
double Axis::DataMin() const
{
    if (!DataMin_.isAuto || !chart_) return DataMin_.value;
    const auto e = chart_->dataExtents(id_ == AxisId::X);
    return IsLogarithmic_ ? e.posMin : e.min;
}

double Axis::DataMax() const
{
    if (!DataMax_.isAuto || !chart_) return DataMax_.value;
    const auto e = chart_->dataExtents(id_ == AxisId::X);
    return IsLogarithmic_ ? e.posMax : e.max;
}

int Chart2D::LabelPointIndex(int label) const
{
    if (label < 1 || label > c_.labels.Count()) return 0;
    const ChartLabel& l = c_.labels.labels_[label - 1];
    if (l.AttachMethod_ != AttachMethod::DataIndex) return 0;
    if (l.AttachGroup_ != 1 && l.AttachGroup_ != 2) return 0;
    const ChartData& d = c_.groups[l.AttachGroup_ - 1].data_;
    const int n = d.NumPoints(l.AttachSeries_);
    if (n < 1) return 0;
    return std::clamp(l.AttachPoint_, 1, n);
}

void Chart2D::assignContent(const Chart2D& other)
{
    const int d1 = c_.groups[0].data_.batchDepth_;
    const int d2 = c_.groups[1].data_.batchDepth_;
    c_ = other.c_;
    c_.groups[0].data_.batchDepth_ = d1;
    c_.groups[1].data_.batchDepth_ = d2;
    bindAll();
    noteChange();
}

void Chart2D::resetContent()
{
    Chart2D fresh;
    assignContent(fresh);
}

} // namespace kinhom
