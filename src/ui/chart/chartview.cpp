#include "ui/chart/chartview.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kinhom {

namespace {

constexpr double kTick = 5;
constexpr double kMinorTick = 3;

QColor ToQColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

QString ToQString(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

int DeviceDpi(const QPaintDevice* device)
{
    const int dpi = device ? device->logicalDpiY() : 96;
    return dpi > 0 ? dpi : 96;
}

// The family drawn for a family name: the look's DejaVu families stand in for
// the usual families of the original platform.
QString Family(const std::string& name)
{
    const QString n = QString::fromStdString(name).trimmed().toLower();
    if (n.isEmpty() || n == "arial" || n == "helvetica" || n == "ms sans serif" || n == "microsoft sans serif" ||
        n == "tahoma" || n == "verdana" || n == "segoe ui" || n == "sans serif" || n == "sans-serif" || n == "sans")
        return QStringLiteral("DejaVu Sans");
    if (n == "times new roman" || n == "times" || n == "serif" || n == "ms serif")
        return QStringLiteral("DejaVu Serif");
    if (n == "courier new" || n == "courier" || n == "monospace" || n == "fixedsys")
        return QStringLiteral("DejaVu Sans Mono");
    return QString::fromStdString(name);
}

Qt::Alignment HAlign(int adjust)
{
    if (adjust == Adjust::Left) return Qt::AlignLeft;
    if (adjust == Adjust::Right) return Qt::AlignRight;
    return Qt::AlignHCenter;
}

// A pen for a line pattern (LinePattern), colour and width; NoPen for None.
QPen PatternPen(int pattern, const Rgb& color, int width)
{
    if (pattern == LinePattern::None) return QPen(Qt::NoPen);
    QPen pen(ToQColor(color), std::clamp(width, 1, 50));
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::FlatCap);
    switch (pattern) {
    case LinePattern::Dashed: pen.setDashPattern({6, 4}); break;
    case LinePattern::Dotted: pen.setDashPattern({1, 2}); break;
    case LinePattern::LongDash: pen.setDashPattern({12, 5}); break;
    case LinePattern::ShortDash: pen.setDashPattern({3, 3}); break;
    case LinePattern::DashDot: pen.setDashPattern({7, 3, 1, 3}); break;
    default: pen.setCapStyle(Qt::RoundCap); break; // solid, and unknown codes
    }
    return pen;
}

class Drawer {
public:
    Drawer(const Chart2D& chart, QPainter& p, const ChartLayout& L) : c_(chart), p_(p), L_(L)
    {
        const QTransform t = p.worldTransform();
        snap_ = !t.isScaling() && !t.isRotating();
    }

    void run()
    {
        p_.setRenderHint(QPainter::Antialiasing, true);
        p_.setRenderHint(QPainter::TextAntialiasing, true);
        const RectF whole{0, 0, L_.width, L_.height};
        fillAndFrame(whole, c_.Interior(), c_.Border(), c_.Interior().BackgroundColor());
        fillAndFrame(L_.chartArea, c_.ChartArea().Interior(), c_.ChartArea().Border(),
                     c_.ChartArea().Interior().BackgroundColor());
        if (L_.hasPlot()) {
            const InteriorFormat& pi = c_.ChartArea().PlotArea().Interior();
            if (!pi.IsTransparent()) p_.fillRect(rect(L_.plot), ToQColor(pi.BackgroundColor()));
            grid();
            series();
            axes();
        }
        textBlock(L_.header, c_.Header().Font(), c_.Header().Interior(), &c_.Header().Border());
        textBlock(L_.footer, c_.Footer().Font(), c_.Footer().Interior(), &c_.Footer().Border());
        labels();
        legend();
    }

private:
    static QRectF rect(const RectF& r) { return QRectF(r.x, r.y, r.w, r.h); }
    double S(double v) const { return snap_ ? std::floor(v) + 0.5 : v; }

    void fillAndFrame(const RectF& r, const InteriorFormat& in, const BorderFormat& b, const Rgb& base)
    {
        if (r.empty()) return;
        if (!in.IsTransparent()) p_.fillRect(rect(r), ToQColor(in.BackgroundColor()));
        frame(r, b, ToQColor(in.ForegroundColor()), ToQColor(base));
    }

    // A frame of the given BorderType inside r.
    void frame(const RectF& r, const BorderFormat& b, const QColor& fg, const QColor& base)
    {
        const int type = b.Type();
        if (type == BorderType::None || r.empty()) return;
        const int w = std::clamp(b.Width(), 1, 50);
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing, false);
        const QColor light = base.lightness() > 230 ? QColor(255, 255, 255) : base.lighter(170);
        const QColor dark = base.darker(base.lightness() < 40 ? 100 : 190);
        const QColor shade = base.lightness() < 40 ? QColor(110, 110, 110) : dark;
        auto bevel = [&](double inset, const QColor& topLeft, const QColor& bottomRight) {
            const double x0 = r.x + inset, y0 = r.y + inset;
            const double x1 = r.right() - inset - 1, y1 = r.bottom() - inset - 1;
            if (x1 <= x0 || y1 <= y0) return;
            p_.setPen(QPen(topLeft, 1));
            p_.drawLine(QPointF(x0, y0), QPointF(x1, y0));
            p_.drawLine(QPointF(x0, y0), QPointF(x0, y1));
            p_.setPen(QPen(bottomRight, 1));
            p_.drawLine(QPointF(x0, y1), QPointF(x1, y1));
            p_.drawLine(QPointF(x1, y0), QPointF(x1, y1));
        };
        switch (type) {
        case BorderType::Raised3D:
            for (int i = 0; i < w; ++i) bevel(i, light, shade);
            break;
        case BorderType::Lowered3D:
            for (int i = 0; i < w; ++i) bevel(i, shade, light);
            break;
        case BorderType::Etched:
            for (int i = 0; i < w; ++i) bevel(i, shade, light);
            for (int i = 0; i < w; ++i) bevel(w + i, light, shade);
            break;
        case BorderType::Shadow: {
            p_.fillRect(QRectF(r.x + w, r.bottom() - w, r.w - w, w), shade);
            p_.fillRect(QRectF(r.right() - w, r.y + w, w, r.h - w), shade);
            p_.setPen(QPen(fg, 1));
            p_.setBrush(Qt::NoBrush);
            p_.drawRect(QRectF(r.x, r.y, r.w - w - 1, r.h - w - 1));
            break;
        }
        default: { // plain, and codes without a look of their own
            QPen pen(fg, w);
            pen.setJoinStyle(Qt::MiterJoin);
            p_.setPen(pen);
            p_.setBrush(Qt::NoBrush);
            p_.drawRect(QRectF(r.x + w / 2.0, r.y + w / 2.0, r.w - w, r.h - w));
            break;
        }
        }
        p_.restore();
    }

    void lines(const std::vector<std::string>& ls, const QRectF& area, double lh, int adjust)
    {
        for (std::size_t i = 0; i < ls.size(); ++i) {
            const QRectF lr(area.x(), area.y() + static_cast<double>(i) * lh, area.width(), lh);
            p_.drawText(lr, static_cast<int>(HAlign(adjust) | Qt::AlignVCenter) | Qt::TextDontClip, ToQString(ls[i]));
        }
    }

    void textBlock(const TextBlock& b, const FontSpec& font, const InteriorFormat& in, const BorderFormat* border)
    {
        if (!b.shown) return;
        if (!in.IsTransparent()) p_.fillRect(rect(b.box), ToQColor(in.BackgroundColor()));
        if (border) {
            const Rgb base = in.IsTransparent() ? c_.Interior().BackgroundColor() : in.BackgroundColor();
            frame(b.box, *border, ToQColor(in.ForegroundColor()), ToQColor(base));
        }
        drawTurned(b, font, ToQColor(in.ForegroundColor()));
    }

    void drawTurned(const TextBlock& b, const FontSpec& font, const QColor& color)
    {
        p_.save();
        p_.setFont(ChartFont(font, p_.device()));
        p_.setPen(color);
        p_.translate(b.box.x + b.box.w / 2, b.box.y + b.box.h / 2);
        if (b.rotation == Rotation::Up) p_.rotate(-90);
        if (b.rotation == Rotation::Down) p_.rotate(90);
        lines(b.lines, QRectF(-b.textWidth / 2, -b.textHeight / 2, b.textWidth, b.textHeight), b.lineHeight, b.adjust);
        p_.restore();
    }

    void grid()
    {
        const RectF& pl = L_.plot;
        p_.save();
        p_.setClipRect(rect(pl));
        p_.setRenderHint(QPainter::Antialiasing, !snap_);
        for (int i = 0; i < 3; ++i) {
            const AxisLayout& al = L_.axes[i];
            if (!al.shown) continue;
            const LineFormat& g = c_.ChartArea().Axes(static_cast<AxisId>(i)).GridStyle();
            const QPen pen = PatternPen(g.Pattern(), g.Color(), g.Width());
            if (pen.style() == Qt::NoPen) continue;
            p_.setPen(pen);
            for (double v : al.grid) {
                if (al.vertical)
                    p_.drawLine(QPointF(pl.x, S(v)), QPointF(pl.right(), S(v)));
                else
                    p_.drawLine(QPointF(S(v), pl.y), QPointF(S(v), pl.bottom()));
            }
        }
        p_.restore();
    }

    void symbol(const QPointF& at, int shape, int size, const QColor& color)
    {
        const double s = std::clamp(size, 3, 60);
        const double h = s / 2;
        // Whole-pixel strokes centred on the pixel grid (on screen and in images),
        // so that every symbol of a set looks alike and thin strokes stay crisp.
        const double sw = std::max(1.0, std::round(s / 6));
        QPointF c = at;
        if (snap_) {
            const bool odd = static_cast<int>(sw) % 2 == 1;
            c = odd ? QPointF(std::floor(at.x()) + 0.5, std::floor(at.y()) + 0.5)
                    : QPointF(std::round(at.x()), std::round(at.y()));
        }
        const QPen stroke(color, sw, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        switch (shape) {
        case SymbolShape::Dot:
            p_.setPen(Qt::NoPen);
            p_.setBrush(color);
            p_.drawEllipse(c, h, h);
            break;
        case SymbolShape::Box:
            p_.setPen(Qt::NoPen);
            p_.setBrush(color);
            p_.drawRect(QRectF(c.x() - h, c.y() - h, s, s));
            break;
        case SymbolShape::Triangle: {
            p_.setPen(Qt::NoPen);
            p_.setBrush(color);
            const QPointF tri[3] = {{c.x(), c.y() - h * 1.1}, {c.x() + h * 1.05, c.y() + h * 0.8},
                                    {c.x() - h * 1.05, c.y() + h * 0.8}};
            p_.drawPolygon(tri, 3);
            break;
        }
        case SymbolShape::Diamond: {
            p_.setPen(Qt::NoPen);
            p_.setBrush(color);
            const QPointF dia[4] = {{c.x(), c.y() - h * 1.2}, {c.x() + h, c.y()}, {c.x(), c.y() + h * 1.2}, {c.x() - h, c.y()}};
            p_.drawPolygon(dia, 4);
            break;
        }
        case SymbolShape::Star: {
            p_.setPen(stroke);
            p_.setBrush(Qt::NoBrush);
            const double d = h * 0.7071;
            p_.drawLine(QPointF(c.x(), c.y() - h), QPointF(c.x(), c.y() + h));
            p_.drawLine(QPointF(c.x() - h, c.y()), QPointF(c.x() + h, c.y()));
            p_.drawLine(QPointF(c.x() - d, c.y() - d), QPointF(c.x() + d, c.y() + d));
            p_.drawLine(QPointF(c.x() - d, c.y() + d), QPointF(c.x() + d, c.y() - d));
            break;
        }
        case SymbolShape::VerticalLine:
            p_.setPen(stroke);
            p_.drawLine(QPointF(c.x(), c.y() - h), QPointF(c.x(), c.y() + h));
            break;
        case SymbolShape::HorizontalLine:
            p_.setPen(stroke);
            p_.drawLine(QPointF(c.x() - h, c.y()), QPointF(c.x() + h, c.y()));
            break;
        case SymbolShape::Cross:
            p_.setPen(stroke);
            p_.drawLine(QPointF(c.x() - h, c.y() - h), QPointF(c.x() + h, c.y() + h));
            p_.drawLine(QPointF(c.x() - h, c.y() + h), QPointF(c.x() + h, c.y() - h));
            break;
        case SymbolShape::Circle:
            p_.setPen(QPen(color, std::max(1.2, s / 8)));
            p_.setBrush(Qt::NoBrush);
            p_.drawEllipse(c, h, h);
            break;
        case SymbolShape::Square:
            p_.setPen(QPen(color, std::max(1.2, s / 8), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p_.setBrush(Qt::NoBrush);
            p_.drawRect(QRectF(c.x() - h, c.y() - h, s, s));
            break;
        default: break;
        }
    }

    void series()
    {
        const RectF& pl = L_.plot;
        // One buffer for the lines of every drawing, so that long curves cost
        // no allocation once it has grown.
        static thread_local QPolygonF poly;
        // Lines are clipped to the plot widened by their pen's width; symbols
        // are not. Consecutive lines of one width share one clip.
        double clipMargin = -1; // none set
        auto unclip = [&] {
            if (clipMargin < 0) return;
            p_.restore();
            clipMargin = -1;
        };
        for (const auto& sl : L_.series) {
            const SeriesStyle& st = c_.ChartGroups(sl.group).Styles(sl.series);
            const LineFormat& ln = st.LineStyle();
            if (!sl.runs.empty()) {
                const QPen pen = PatternPen(ln.Pattern(), ln.Color(), ln.Width());
                const double m = pen.widthF();
                if (m != clipMargin) {
                    unclip();
                    p_.save();
                    p_.setClipRect(QRectF(pl.x - m, pl.y - m, pl.w + 2 * m, pl.h + 2 * m));
                    p_.setBrush(Qt::NoBrush);
                    clipMargin = m;
                }
                p_.setPen(pen);
                for (const auto& run : sl.runs) {
                    poly.resize(static_cast<qsizetype>(run.size()));
                    for (std::size_t i = 0; i < run.size(); ++i) poly[static_cast<qsizetype>(i)] = QPointF(run[i].x, run[i].y);
                    p_.drawPolyline(poly);
                }
            }
            if (!sl.symbols.empty()) {
                unclip();
                const SymbolFormat& sy = st.SymbolStyle();
                const QColor col = ToQColor(sy.Color());
                p_.save();
                for (const auto& c : sl.symbols) symbol(QPointF(c.x, c.y), sy.Shape(), sy.Size(), col);
                p_.restore();
            }
        }
        unclip();
    }

    void axes()
    {
        const ChartAreaBox& ca = c_.ChartArea();
        const RectF& pl = L_.plot;
        const QColor fg = ToQColor(ca.Interior().ForegroundColor());
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing, !snap_);
        QPen pen(fg, 1);
        pen.setCapStyle(Qt::SquareCap);
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        if (ca.PlotArea().IsBoxed())
            p_.drawRect(QRectF(S(pl.x), S(pl.y), std::floor(pl.right()) - std::floor(pl.x), std::floor(pl.bottom()) - std::floor(pl.y)));
        for (int i = 0; i < 3; ++i) {
            const AxisLayout& al = L_.axes[i];
            if (!al.shown) continue;
            const double lp = S(al.linePos), nl = S(al.numberLine);
            if (al.vertical) {
                p_.drawLine(QPointF(lp, pl.y), QPointF(lp, pl.bottom()));
                for (double t : al.majorTicks) p_.drawLine(QPointF(nl, S(t)), QPointF(nl + al.tickDir * kTick, S(t)));
                for (double t : al.minorTicks) p_.drawLine(QPointF(nl, S(t)), QPointF(nl + al.tickDir * kMinorTick, S(t)));
            } else {
                p_.drawLine(QPointF(pl.x, lp), QPointF(pl.right(), lp));
                for (double t : al.majorTicks) p_.drawLine(QPointF(S(t), nl), QPointF(S(t), nl + al.tickDir * kTick));
                for (double t : al.minorTicks) p_.drawLine(QPointF(S(t), nl), QPointF(S(t), nl + al.tickDir * kMinorTick));
            }
        }
        p_.restore();

        for (int i = 0; i < 3; ++i) {
            const AxisLayout& al = L_.axes[i];
            if (!al.shown) continue;
            const Axis& a = ca.Axes(static_cast<AxisId>(i));
            p_.save();
            p_.setFont(ChartFont(a.NumberingFont(), p_.device()));
            p_.setPen(fg);
            const int rot = a.NumberingRotation();
            for (const auto& n : al.numbers) {
                if (rot == Rotation::Up || rot == Rotation::Down) {
                    p_.save();
                    p_.translate(n.rect.x + n.rect.w / 2, n.rect.y + n.rect.h / 2);
                    p_.rotate(rot == Rotation::Up ? -90 : 90);
                    p_.drawText(QRectF(-n.rect.h / 2, -n.rect.w / 2, n.rect.h, n.rect.w), Qt::AlignCenter | Qt::TextDontClip,
                                ToQString(n.text));
                    p_.restore();
                } else {
                    int align = Qt::AlignVCenter | Qt::AlignHCenter;
                    if (al.vertical) align = Qt::AlignVCenter | (al.tickDir < 0 ? Qt::AlignRight : Qt::AlignLeft);
                    p_.drawText(rect(n.rect), align | Qt::TextDontClip, ToQString(n.text));
                }
            }
            p_.restore();
            drawTurned(al.title, a.Title().Font(), fg);
        }
    }

    void labels()
    {
        for (const auto& ll : L_.labels) {
            const ChartLabel& lab = c_.ChartLabels(ll.index);
            const InteriorFormat& in = lab.Interior();
            const QColor fg = ToQColor(in.ForegroundColor());
            if (ll.connected) {
                p_.save();
                p_.setPen(QPen(fg, 1));
                const double ex = std::clamp(ll.point.x, ll.box.x, ll.box.right());
                const double ey = std::clamp(ll.point.y, ll.box.y, ll.box.bottom());
                p_.drawLine(QPointF(ll.point.x, ll.point.y), QPointF(ex, ey));
                p_.restore();
            }
            if (!in.IsTransparent()) p_.fillRect(rect(ll.box), ToQColor(in.BackgroundColor()));
            frame(ll.box, lab.Border(), fg, ToQColor(in.IsTransparent() ? c_.Interior().BackgroundColor() : in.BackgroundColor()));
            p_.save();
            p_.setFont(ChartFont(lab.Font(), p_.device()));
            p_.setPen(fg);
            const double pad = (ll.box.h - ll.lineHeight * static_cast<double>(ll.lines.size())) / 2;
            const double padX = std::min(pad, ll.box.w / 2);
            lines(ll.lines, QRectF(ll.box.x + padX, ll.box.y + pad, ll.box.w - 2 * padX, ll.lineHeight * static_cast<double>(ll.lines.size())),
                  ll.lineHeight, lab.Adjust());
            p_.restore();
        }
    }

    void legend()
    {
        const LegendLayout& lg = L_.legend;
        if (!lg.shown) return;
        const LegendBox& box = c_.Legend();
        const InteriorFormat& in = box.Interior();
        const QColor fg = ToQColor(in.ForegroundColor());
        if (!in.IsTransparent()) p_.fillRect(rect(lg.box), ToQColor(in.BackgroundColor()));
        frame(lg.box, box.Border(), fg, ToQColor(in.IsTransparent() ? c_.Interior().BackgroundColor() : in.BackgroundColor()));
        if (lg.title.shown) drawTurned(lg.title, box.Font(), fg);
        for (const auto& e : lg.entries) {
            const SeriesStyle& st = c_.ChartGroups(e.group).Styles(e.series);
            const LineFormat& ln = st.LineStyle();
            const double my = e.sample.y + e.sample.h / 2;
            const QPen pen = PatternPen(ln.Pattern(), ln.Color(), ln.Width());
            if (pen.style() != Qt::NoPen) {
                p_.save();
                p_.setPen(pen);
                p_.drawLine(QPointF(e.sample.x + 2, my), QPointF(e.sample.right() - 2, my));
                p_.restore();
            }
            const SymbolFormat& sy = st.SymbolStyle();
            p_.save();
            symbol(QPointF(e.sample.x + e.sample.w / 2, my), sy.Shape(), sy.Size(), ToQColor(sy.Color()));
            p_.restore();
            p_.save();
            p_.setFont(ChartFont(box.Font(), p_.device()));
            p_.setPen(fg);
            p_.drawText(rect(e.text), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, ToQString(e.label));
            p_.restore();
        }
    }

    const Chart2D& c_;
    QPainter& p_;
    const ChartLayout& L_;
    bool snap_ = true;
};

} // namespace

QFont ChartFont(const FontSpec& spec, const QPaintDevice* device)
{
    QFont f(Family(spec.Name));
    // a size that is not a number (from a damaged diagram file) is drawn at 10 points
    const double size = spec.Size;
    const double pt = std::isfinite(size) ? std::clamp(size, 1.0, 500.0) : 10.0;
    f.setPointSizeF(pt * 96.0 / DeviceDpi(device));
    f.setBold(spec.Bold);
    f.setItalic(spec.Italic);
    f.setUnderline(spec.Underline);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

TextMeasurer ChartTextMeasurer(const QPaintDevice* device)
{
    struct Entry {
        FontSpec spec;
        QFontMetricsF metrics;
    };
    auto cache = std::make_shared<std::vector<Entry>>();
    return [device, cache](std::string_view line, const FontSpec& spec) -> TextSize {
        const QFontMetricsF* fm = nullptr;
        for (const auto& e : *cache) {
            if (e.spec == spec) {
                fm = &e.metrics;
                break;
            }
        }
        if (!fm) {
            const QFont font = ChartFont(spec, device);
            cache->push_back({spec, device ? QFontMetricsF(font, device) : QFontMetricsF(font)});
            fm = &cache->back().metrics;
        }
        return {fm->horizontalAdvance(ToQString(line)), std::ceil(fm->height())};
    };
}

ChartView::ChartView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    chart_.setTextMeasurer(ChartTextMeasurer(this));
    chart_.setSize(width(), height());
    listener_ = chart_.addListener([this] { update(); });
}

ChartView::~ChartView() { chart_.removeListener(listener_); }

void ChartView::paintChart(const Chart2D& chart, QPainter& painter, const QRectF& target, ChartLayout* drawn)
{
    if (!(target.width() > 0 && target.height() > 0)) {
        if (drawn) *drawn = ChartLayout();
        return;
    }
    painter.save();
    painter.translate(target.topLeft());
    painter.setClipRect(QRectF(0, 0, target.width(), target.height()), Qt::IntersectClip);
    // Laid out where the caller keeps it (no copy afterwards, and the memory of
    // long curves is used again from one drawing to the next).
    ChartLayout local;
    ChartLayout& L = drawn ? *drawn : local;
    ComputeLayout(chart, target.width(), target.height(), ChartTextMeasurer(painter.device()), L);
    Drawer(chart, painter, L).run();
    painter.restore();
}

void ChartView::paint(QPainter& painter, const QRectF& target) const { paintChart(chart_, painter, target, &scratch_); }

QImage ChartView::renderImage(const QSize& size) const
{
    QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    img.setDotsPerMeterX(3780);
    img.setDotsPerMeterY(3780);
    img.fill(Qt::white);
    QPainter p(&img);
    paint(p, QRectF(0, 0, size.width(), size.height()));
    p.end();
    return img;
}

HitResult ChartView::hitTest(const QPointF& pos) const { return HitTest(chart_, last_, pos.x(), pos.y()); }

bool ChartView::dataAt(const QPointF& pos, double& x, double& y) const { return last_.toData(pos.x(), pos.y(), x, y); }

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (chart_.Interior().IsTransparent()) p.fillRect(rect(), palette().window());
    paintChart(chart_, p, QRectF(rect()), &last_);
    ++paintCount_;
}

void ChartView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    chart_.setSize(width(), height());
}

void ChartView::mousePressEvent(QMouseEvent* event)
{
    emit chartMousePressed(event->button(), event->modifiers(), event->position());
    QWidget::mousePressEvent(event);
}

void ChartView::mouseMoveEvent(QMouseEvent* event)
{
    emit chartMouseMoved(event->buttons(), event->modifiers(), event->position());
    QWidget::mouseMoveEvent(event);
}

void ChartView::mouseReleaseEvent(QMouseEvent* event)
{
    emit chartMouseReleased(event->button(), event->modifiers(), event->position());
    QWidget::mouseReleaseEvent(event);
}

} // namespace kinhom
