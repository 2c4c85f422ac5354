// A full redraw of a busy chart: 24 curves of 201 points, 7 point sets of 50
// points, 24 curve labels and the legend, at 1200 x 800 pixels into an image.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>

#include "core/chart/chart2d.h"
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

} // namespace
