// A full redraw of a busy chart: 24 curves of 201 points, 7 point sets of 50
// points, 24 curve labels and the legend, at 1200 x 800 pixels into an image.
//
// Long curves: 24 curves of 2001 and of 20001 points drawn by the chart
// (BM_ChartCurves) beside the same lines drawn with plain QPainter
// (BM_PlainCurves: the data mapped into the same plot rectangle and drawn as
// polylines with the same pens). The chart should cost at most 1.2 times the
// plain drawing.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <cmath>
#include <memory>
#include <vector>

#include "builders.h"
#include "core/chart/chart2d.h"
#include "core/chart/chartlayout.h"
#include "ui/chart/chartview.h"

using namespace kinhom;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_chartview";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void Fill(Chart2D& c)
{
    Chart2D::Batch batch(c);
    c.Header().setText("Concentration-time diagram\nModel 9: A => B => C");
    c.ChartArea().Axes("X").Title().setText("t/s");
    c.ChartArea().Axes("Y").Title().setText("c/(mol/l)");
    for (const char* a : {"X", "Y"}) {
        c.ChartArea().Axes(a).GridStyle().setPattern(LinePattern::Dotted);
        c.ChartArea().Axes(a).setMin(0);
    }
    c.ChartArea().Axes("X").setMax(20);
    c.ChartArea().Axes("Y").setMax(1);
    ChartData& d = c.ChartGroups(1).Data();
    d.setNumSeries(27);
    c.ChartLabels().setCount(27);
    const int patterns[] = {LinePattern::Solid, LinePattern::Dashed, LinePattern::Dotted, LinePattern::DashDot};
    for (int s = 1; s <= 24; ++s) {
        d.setNumPoints(s, 201);
        const double k = 0.05 + 0.02 * s;
        for (int i = 1; i <= 201; ++i) {
            const double t = (i - 1) * 0.1;
            d.setX(s, i, t);
            d.setY(s, i, std::exp(-k * t) * (0.5 + 0.02 * s));
        }
        c.ChartGroups(1).SeriesLabels().Add("c(" + std::to_string(s) + ") ");
        c.ChartGroups(1).Styles(s).LineStyle().setPattern(patterns[s % 4]);
        ChartLabel& l = c.ChartLabels(s);
        l.setText("c(" + std::to_string(s) + ")");
        l.setAttachMethod(AttachMethod::DataIndex);
        l.setAttachSeries(s);
        l.setAttachPoint(20 + 7 * s);
        l.Border().setType(BorderType::Plain);
    }
    for (int s = 25; s <= 27; ++s) d.setDisplay(s, DisplayState::Hidden);
    ChartData& p = c.ChartGroups(2).Data();
    p.setNumSeries(7);
    for (int j = 1; j <= 7; ++j) {
        p.setNumPoints(j, 50);
        for (int i = 1; i <= 50; ++i) {
            p.setX(j, i, i * 0.4);
            p.setY(j, i, std::exp(-0.1 * j * i * 0.4) * (0.9 + 0.01 * ((i * 7 + j) % 10)));
        }
        c.ChartGroups(2).SeriesLabels().Add("points " + std::to_string(j));
    }
}

void BM_FullRedraw1200x800(benchmark::State& state)
{
    App();
    auto view = std::make_unique<ChartView>();
    Fill(view->chart());
    QImage img(1200, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        img.fill(Qt::white);
        QPainter p(&img);
        view->paint(p, QRectF(0, 0, 1200, 800));
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_FullRedraw1200x800)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// 24 decaying curves of n points each over 0..20, the axis window fixed.
void FillCurves(Chart2D& c, int n)
{
    Chart2D::Batch batch(c);
    c.Header().setText("Concentration-time diagram");
    c.ChartArea().Axes("X").Title().setText("t/s");
    c.ChartArea().Axes("Y").Title().setText("c/(mol/l)");
    for (const char* a : {"X", "Y"}) c.ChartArea().Axes(a).setMin(0);
    c.ChartArea().Axes("X").setMax(20);
    c.ChartArea().Axes("Y").setMax(1);
    c.ChartGroups(1).Data().setNumSeries(24);
    for (int s = 1; s <= 24; ++s) {
        const double k = 0.05 + 0.02 * s;
        test::CurveValues curve{.group = 1, .series = s};
        for (int i = 0; i < n; ++i) {
            const double t = 20.0 * i / (n - 1);
            curve.x.push_back(t);
            curve.y.push_back(std::exp(-k * t) * (0.5 + 0.02 * s));
        }
        test::SetCurve(c, curve);
        c.ChartGroups(1).Styles(s).LineStyle().setPattern(LinePattern::Solid);
    }
}

void BM_ChartCurves(benchmark::State& state)
{
    App();
    auto view = std::make_unique<ChartView>();
    FillCurves(view->chart(), static_cast<int>(state.range(0)));
    QImage img(1200, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        img.fill(Qt::white);
        QPainter p(&img);
        view->paint(p, QRectF(0, 0, 1200, 800));
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_ChartCurves)->Arg(2001)->Arg(20001)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same curves with plain QPainter: each point mapped into the plot
// rectangle the chart uses, one antialiased polyline per curve in the chart's
// pen, clipped to the plot.
void BM_PlainCurves(benchmark::State& state)
{
    App();
    const int n = static_cast<int>(state.range(0));
    Chart2D c;
    FillCurves(c, n);
    QImage img(1200, 800, QImage::Format_ARGB32_Premultiplied);
    const ChartLayout L = ComputeLayout(c, 1200, 800, ChartTextMeasurer(&img));
    const QRectF plot(L.plot.x, L.plot.y, L.plot.w, L.plot.h);
    const ChartData& d = c.ChartGroups(1).Data();
    QPolygonF poly;
    for (auto _ : state) {
        img.fill(Qt::white);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setClipRect(plot);
        for (int s = 1; s <= 24; ++s) {
            const Rgb col = c.ChartGroups(1).Styles(s).LineStyle().Color();
            QPen pen(QColor(col.r, col.g, col.b), 1);
            pen.setCapStyle(Qt::RoundCap);
            pen.setJoinStyle(Qt::RoundJoin);
            p.setPen(pen);
            poly.resize(n);
            for (int i = 1; i <= n; ++i)
                poly[i - 1] = QPointF(plot.x() + d.X(s, i) / 20.0 * plot.width(),
                                      plot.bottom() - d.Y(s, i) / 1.0 * plot.height());
            p.drawPolyline(poly);
        }
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_PlainCurves)->Arg(2001)->Arg(20001)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
