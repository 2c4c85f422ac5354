// The chart view: pixels that prove the drawing, hit tests on a shown chart,
// one repaint per batch, and the image, PDF and print outputs.

#include <QtTest>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <limits>

#include "builders.h"
#include "core/chart/chart2d.h"
#include "core/chart/chartlayout.h"
#include "ui/chart/chartoutput.h"
#include "ui/chart/chartview.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

// A 0..10 x 0..10 chart without grid, in white.
void Plain(Chart2D& c)
{
    for (const char* a : {"X", "Y"}) {
        Axis& ax = c.ChartArea().Axes(a);
        ax.setMin(0);
        ax.setMax(10);
        ax.GridStyle().setPattern(LinePattern::None);
    }
}

// Renders the view's chart into an image and hands back the layout drawn.
QImage Render(const ChartView& v, int w, int h, ChartLayout* layout = nullptr)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    ChartView::paintChart(v.chart(), p, QRectF(0, 0, w, h), layout);
    p.end();
    return img;
}

bool Near(QRgb px, const QColor& c, int tol = 60)
{
    return std::abs(qRed(px) - c.red()) + std::abs(qGreen(px) - c.green()) + std::abs(qBlue(px) - c.blue()) <= tol;
}

// Pixels of a colour inside a rectangle of the image.
int Count(const QImage& img, const QRect& r, const std::function<bool(QRgb)>& pred)
{
    int n = 0;
    const QRect in = r.intersected(img.rect());
    for (int y = in.top(); y <= in.bottom(); ++y)
        for (int x = in.left(); x <= in.right(); ++x)
            if (pred(img.pixel(x, y))) ++n;
    return n;
}

bool Reddish(QRgb p) { return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90; }
bool Bluish(QRgb p) { return qBlue(p) > 150 && qRed(p) < 100 && qGreen(p) < 120; }

} // namespace

class TestChartView : public QObject {
    Q_OBJECT
private slots:
    void solidRedSeriesCrossesItsPixels_hiddenSeriesDrawsNothing()
    {
        ChartView v;
        Chart2D& c = v.chart();
        Plain(c);
        SetCurve(c, {.group = 1, .series = 1, .x = {0, 10}, .y = {0, 10}});
        c.ChartGroups(1).Styles(1).LineStyle().setColor(RGB(255, 0, 0));
        c.ChartGroups(1).Styles(1).LineStyle().setWidth(3);
        SetCurve(c, {.group = 1, .series = 2, .x = {0, 10}, .y = {10, 0}});
        c.ChartGroups(1).Styles(2).LineStyle().setColor(RGB(0, 0, 255));
        c.ChartGroups(1).Styles(2).LineStyle().setWidth(3);
        c.ChartGroups(1).Data().setDisplay(2, DisplayState::Hidden);

        ChartLayout L;
        QImage img = Render(v, 500, 400, &L);
        QVERIFY(L.hasPlot());
        for (double t : {1.0, 2.5, 5.0, 7.5, 9.0}) {
            PointF p;
            QVERIFY(L.toPixel(t, t, p));
            QVERIFY2(Reddish(img.pixel(int(p.x), int(p.y))), qPrintable(QString("no red at %1").arg(t)));
            // beside the line the plot is white
            QVERIFY(Near(img.pixel(int(p.x), int(p.y) - 12), Qt::white, 10));
        }
        QCOMPARE(Count(img, img.rect(), Bluish), 0);

        // shown, the blue one is there: the check above could fail
        c.ChartGroups(1).Data().setDisplay(2, DisplayState::Shown);
        img = Render(v, 500, 400, &L);
        PointF q;
        QVERIFY(L.toPixel(2, 8, q));
        QVERIFY(Bluish(img.pixel(int(q.x), int(q.y))));
        // excluded draws nothing either
        c.ChartGroups(1).Data().setDisplay(2, DisplayState::Excluded);
        QCOMPARE(Count(Render(v, 500, 400), QRect(0, 0, 500, 400), Bluish), 0);
    }

    void dottedGridDiffersFromSolidGrid()
    {
        auto gridPixels = [](int pattern, int* total) {
            ChartView v;
            Chart2D& c = v.chart();
            Plain(c);
            Axis& x = c.ChartArea().Axes("X");
            x.GridStyle().setPattern(pattern);
            x.GridStyle().setColor(RGB(0, 160, 0));
            ChartLayout L;
            const QImage img = Render(v, 500, 400, &L);
            const double gx = L.axis(AxisId::X).grid[2]; // an inner grid line
            const int col = int(std::floor(gx));
            *total = int(L.plot.bottom()) - int(L.plot.y) - 4;
            return Count(img, QRect(col, int(L.plot.y) + 2, 1, *total),
                         [](QRgb p) { return qGreen(p) > 120 && qRed(p) < 100 && qBlue(p) < 100; });
        };
        int total = 0;
        const int solid = gridPixels(LinePattern::Solid, &total);
        const int dotted = gridPixels(LinePattern::Dotted, &total);
        const int none = gridPixels(LinePattern::None, &total);
        QVERIFY2(solid > total * 9 / 10, qPrintable(QString("solid %1 of %2").arg(solid).arg(total)));
        QVERIFY2(dotted > total / 5 && dotted < total * 2 / 3, qPrintable(QString("dotted %1 of %2").arg(dotted).arg(total)));
        QCOMPARE(none, 0);
    }

    void transparentLegendShowsPlotBackground()
    {
        ChartView v;
        Chart2D& c = v.chart();
        Plain(c);
        c.ChartArea().PlotArea().Interior().setBackgroundColor(RGB(255, 255, 160));
        SetCurve(c, {.group = 1, .series = 1, .x = {0, 10}, .y = {0, 1}});
        c.ChartGroups(1).SeriesLabels().Add("a rather long legend text");
        c.Legend().Location().setLeft(200); // over the plot area
        c.Legend().Location().setTop(100);
        c.Legend().Interior().setBackgroundColor(RGB(200, 220, 255));
        ChartLayout L;
        QImage img = Render(v, 500, 400, &L);
        QVERIFY(L.legend.shown);
        QVERIFY(L.plot.contains(L.legend.box.x, L.legend.box.y));
        // a point inside the legend box where no text or sample is drawn
        const QPoint inside(int(L.legend.box.right()) - 4, int(L.legend.box.bottom()) - 4);
        QVERIFY(Near(img.pixel(inside), QColor(200, 220, 255), 6));
        c.Legend().Interior().setTransparent(true);
        img = Render(v, 500, 400, &L);
        QVERIFY(Near(img.pixel(inside), QColor(255, 255, 160), 6));
        // setting a colour again makes it opaque at once
        c.Legend().Interior().setBackgroundColor(RGB(200, 220, 255));
        QVERIFY(!c.Legend().Interior().IsTransparent());
    }

    void headerTextIsInsideTheTopBand()
    {
        ChartView v;
        Chart2D& c = v.chart();
        Plain(c);
        c.Header().setText("Concentration-time diagram\nsecond line");
        c.Header().Interior().setForegroundColor(RGB(255, 0, 255));
        ChartLayout L;
        const QImage img = Render(v, 600, 400, &L);
        auto magenta = [](QRgb p) { return qRed(p) > 150 && qBlue(p) > 150 && qGreen(p) < 120; };
        const int all = Count(img, img.rect(), magenta);
        const int top = Count(img, QRect(0, 0, 600, int(L.chartArea.y)), magenta);
        QVERIFY(all > 100);
        QCOMPARE(top, all);
        // centred: about as much ink left of the middle as right of it
        const int left = Count(img, QRect(0, 0, 300, int(L.chartArea.y)), magenta);
        QVERIFY(std::abs(2 * left - all) < all / 5);
    }

    void logarithmicDecadesAreEquallySpacedOnScreen()
    {
        ChartView v;
        Chart2D& c = v.chart();
        Plain(c);
        Axis& y = c.ChartArea().Axes("Y");
        y.setIsLogarithmic(true);
        y.setMin(1);
        y.setMax(1e5);
        y.GridStyle().setPattern(LinePattern::Solid);
        y.GridStyle().setColor(RGB(0, 0, 200));
        ChartLayout L;
        const QImage img = Render(v, 500, 400, &L);
        const auto& g = L.axis(AxisId::Y).grid;
        QCOMPARE(int(g.size()), 6);
        std::vector<int> rows;
        const int col = int(L.plot.x + L.plot.w / 2);
        for (int yy = int(L.plot.y) + 2; yy < int(L.plot.bottom()) - 1; ++yy)
            if (Bluish(img.pixel(col, yy))) rows.push_back(yy);
        QCOMPARE(int(rows.size()), 4); // the four inner decades, one pixel each
        for (std::size_t i = 1; i < rows.size(); ++i) QVERIFY(std::abs((rows[i] - rows[i - 1]) - (rows[1] - rows[0])) <= 1);
        QVERIFY(std::abs((rows[1] - rows[0]) - L.plot.h / 5) <= 1);
    }

    void everySymbolShapeAndLinePatternDraws()
    {
        for (int shape = 1; shape <= 11; ++shape) {
            ChartView v;
            Chart2D& c = v.chart();
            Plain(c);
            SetCurve(c, {.group = 2, .series = 1, .x = {5}, .y = {5}});
            c.ChartGroups(2).Styles(1).SymbolStyle().setShape(shape);
            c.ChartGroups(2).Styles(1).SymbolStyle().setSize(12);
            c.ChartGroups(2).Styles(1).SymbolStyle().setColor(RGB(255, 0, 0));
            ChartLayout L;
            const QImage img = Render(v, 300, 300, &L);
            PointF p;
            QVERIFY(L.toPixel(5, 5, p));
            const int ink = Count(img, QRect(int(p.x) - 8, int(p.y) - 8, 17, 17), Reddish);
            if (shape == SymbolShape::None)
                QCOMPARE(ink, 0);
            else
                QVERIFY2(ink >= 6, qPrintable(QString("shape %1: %2 pixels").arg(shape).arg(ink)));
        }
        std::vector<int> inks;
        for (int pattern = 1; pattern <= 7; ++pattern) {
            ChartView v;
            Chart2D& c = v.chart();
            Plain(c);
            SetCurve(c, {.group = 1, .series = 1, .x = {0, 10}, .y = {5, 5}});
            c.ChartGroups(1).Styles(1).LineStyle().setPattern(pattern);
            c.ChartGroups(1).Styles(1).LineStyle().setColor(RGB(255, 0, 0));
            c.ChartGroups(1).Styles(1).LineStyle().setWidth(2);
            ChartLayout L;
            const QImage img = Render(v, 400, 300, &L);
            PointF a;
            QVERIFY(L.toPixel(1, 5, a));
            // along the line: count red pixels in its row
            int n = 0;
            for (int x = int(a.x); x < int(a.x) + 200; ++x)
                if (Reddish(img.pixel(x, int(a.y))) || Reddish(img.pixel(x, int(a.y) + 1)) || Reddish(img.pixel(x, int(a.y) - 1))) ++n;
            inks.push_back(n);
        }
        QCOMPARE(inks[0], 0);     // none
        QVERIFY(inks[1] >= 199); // solid
        for (int i = 2; i < 7; ++i) QVERIFY2(inks[i] > 40 && inks[i] < 190, qPrintable(QString::number(inks[i])));
        QVERIFY(inks[3] < inks[2]); // dotted has less ink than dashed
    }

    void hitTestsOnTheShownChart()
    {
        ChartView v;
        Chart2D& c = v.chart();
        Plain(c);
        c.Header().setText("Header");
        c.ChartArea().Axes("X").Title().setText("t/s");
        SetCurve(c, {.group = 1, .series = 1, .x = {0, 10}, .y = {0, 10}});
        SetCurve(c, {.group = 2, .series = 1, .x = {8}, .y = {2}});
        c.ChartGroups(1).SeriesLabels().Add("curve");
        v.resize(600, 400);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QTRY_VERIFY(v.paintCount() > 0);
        const ChartLayout& L = v.lastLayout();
        QCOMPARE(L.width, 600.0);
        PointF p;
        QVERIFY(L.toPixel(5, 5, p));
        QCOMPARE(v.hitTest(QPointF(p.x + 1, p.y)).kind, HitResult::Kind::Curve);
        QVERIFY(L.toPixel(8, 2, p));
        const HitResult ps = v.hitTest(QPointF(p.x, p.y + 2));
        QCOMPARE(ps.kind, HitResult::Kind::PointSet);
        QCOMPARE(ps.series, 1);
        QVERIFY(L.toPixel(2, 8, p));
        QCOMPARE(v.hitTest(QPointF(p.x, p.y)).kind, HitResult::Kind::PlotArea);
        double dx = 0, dy = 0;
        QVERIFY(v.dataAt(QPointF(p.x, p.y), dx, dy));
        QVERIFY(std::fabs(dx - 2) < 1e-9 && std::fabs(dy - 8) < 1e-9);
        QCOMPARE(v.hitTest(QPointF(L.header.box.x + L.header.box.w / 2, L.header.box.y + L.header.box.h / 2)).kind,
                 HitResult::Kind::Header);
        const TextBlock& xt = L.axis(AxisId::X).title;
        QCOMPARE(v.hitTest(QPointF(xt.box.x + xt.box.w / 2, xt.box.y + xt.box.h / 2)).kind, HitResult::Kind::AxisTitle);
        QCOMPARE(v.hitTest(QPointF(L.legend.box.x + 3, L.legend.box.y + 3)).kind, HitResult::Kind::Legend);
        QCOMPARE(v.hitTest(QPointF(2, 398)).kind, HitResult::Kind::None);
        // the chart reports the locations of the drawing on screen
        QCOMPARE(c.Width(), 600);
        QCOMPARE(c.Header().Location().Left(), int(std::lround(L.header.box.x)));

        // mouse presses come out as signals with the position
        QSignalSpy spy(&v, &ChartView::chartMousePressed);
        QTest::mouseClick(&v, Qt::RightButton, Qt::NoModifier, QPoint(100, 120));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(spy.at(0).at(2).toPointF(), QPointF(100, 120));
    }

    void oneRepaintWhenABatchEnds()
    {
        ChartView v;
        v.resize(400, 300);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QTRY_VERIFY(v.paintCount() > 0);
        QTest::qWait(50);
        const int before = v.paintCount();
        Chart2D& c = v.chart();
        c.setIsBatched(true);
        ChartData& d = c.ChartGroups(1).Data();
        d.setIsBatched(true);
        d.setNumSeries(24);
        for (int s = 1; s <= 24; ++s) {
            d.setNumPoints(s, 50);
            for (int i = 1; i <= 50; ++i) d.setY(s, i, i * s);
            QCoreApplication::processEvents();
        }
        d.setIsBatched(false);
        QTest::qWait(30);
        QCOMPARE(v.paintCount(), before); // nothing drawn while the chart is batched
        c.setIsBatched(false);
        QTRY_COMPARE(v.paintCount(), before + 1);
        QTest::qWait(50);
        QCOMPARE(v.paintCount(), before + 1);
    }

    void degenerateInputDrawsWithoutGarbage()
    {
        ChartView v;
        Chart2D& c = v.chart();
        const double nan = std::nan("");
        SetCurve(c, {.group = 1, .series = 1, .x = {nan, 1, 2, 1e308, -1e308, 3}, .y = {1, nan, 1e308, 2, -1e308, 4}});
        SetCurve(c, {.group = 2, .series = 1, .x = {1, 2}, .y = {0, -5}});
        Axis& y = c.ChartArea().Axes("Y");
        y.setIsLogarithmic(true);
        y.setMin(0);
        y.setMax(0);
        y.GridSpacing().setAuto(false);
        y.GridSpacing().setValue(1e-12);
        c.ChartArea().Axes("X").setMin(5);
        c.ChartArea().Axes("X").setMax(-5);
        c.ChartLabels().setCount(1);
        c.ChartLabels(1).setText("label");
        c.ChartLabels(1).setAttachMethod(AttachMethod::DataIndex);
        c.ChartLabels(1).setAttachPoint(-1000);
        for (QSize s : {QSize(1, 1), QSize(30, 20), QSize(800, 600)}) {
            const QImage img = v.renderImage(s);
            QCOMPARE(img.size(), s);
        }
        ChartLayout L;
        Render(v, 800, 600, &L);
        QVERIFY(L.hasPlot());
        QVERIFY(L.axis(AxisId::Y).grid.size() <= 20);

        // font sizes that are not numbers (a diagram file may carry "nan" or
        // "inf") are drawn at a usual size, not at a wild one
        for (float size : {std::nanf(""), std::numeric_limits<float>::infinity(), -5.0f}) {
            FontSpec f;
            f.Size = size;
            c.Header().setText("Header");
            c.Header().setFont(f);
            c.ChartArea().Axes("X").setNumberingFont(f);
            Render(v, 800, 600, &L);
            QVERIFY(L.header.shown);
            QVERIFY2(L.header.box.h > 5 && L.header.box.h < 60, qPrintable(QString::number(L.header.box.h)));
            QVERIFY(L.hasPlot());
            QVERIFY(!L.axis(AxisId::X).numbers.empty());
        }
    }

    // On a page the chart stands at its position and size in centimetres.
    void pagePlacementInCentimetres()
    {
        ChartView v;
        Chart2D& c = v.chart();
        Plain(c);
        c.Interior().setBackgroundColor(RGB(255, 0, 0));
        c.ChartArea().Interior().setBackgroundColor(RGB(255, 0, 0));
        c.Header().setText("Header");
        const int dpi = 300;
        QImage page(int(21.0 / 2.54 * dpi), int(15.0 / 2.54 * dpi), QImage::Format_RGB32);
        page.setDotsPerMeterX(int(dpi / 0.0254));
        page.setDotsPerMeterY(int(dpi / 0.0254));
        page.fill(Qt::white);
        QPainter p(&page);
        PaintChartOnPage(v, p, dpi, 3.5, 3, 15, 10);
        p.end();
        auto red = [](QRgb px) { return qRed(px) > 200 && qGreen(px) < 60 && qBlue(px) < 60; };
        const int left = int(3.5 / 2.54 * dpi), top = int(3.0 / 2.54 * dpi);
        const int right = int(18.5 / 2.54 * dpi), bottom = int(13.0 / 2.54 * dpi);
        QVERIFY(red(page.pixel(left + 2, top + 2)));
        QVERIFY(red(page.pixel(right - 3, bottom - 3)));
        QVERIFY(!red(page.pixel(left - 3, top + 20)));
        QVERIFY(!red(page.pixel(right + 3, bottom - 20)));
        QVERIFY(!red(page.pixel(left + 20, top - 3)));
        QVERIFY(!red(page.pixel(left + 20, bottom + 3)));
        // fonts keep their size in points: the 12 point header is about 12/72 inch high
        int inkTop = page.height(), inkBottom = 0;
        for (int y = top; y < top + 200; ++y)
            for (int x = left; x < right; ++x)
                if (qGray(page.pixel(x, y)) < 60) {
                    inkTop = std::min(inkTop, y);
                    inkBottom = std::max(inkBottom, y);
                }
        const double capHeight = inkBottom - inkTop; // "Header": cap height, no descender
        QVERIFY2(capHeight > 0.5 * 12 / 72.0 * dpi && capHeight < 0.9 * 12 / 72.0 * dpi, qPrintable(QString::number(capHeight)));
    }

    void outputsExistAndHoldTheChart()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ChartView v;
        Chart2D& c = v.chart();
        Plain(c);
        c.Header().setText("Kinetics & <Chart>");
        SetCurve(c, {.group = 1, .series = 1, .x = {0, 10}, .y = {0, 10}});
        QString error;
        for (const char* name : {"a.png", "b.BMP", "c.svg"}) {
            const QString path = dir.filePath(name);
            QVERIFY2(SaveChartImage(v, path, QSize(640, 480), &error), qPrintable(error));
            QVERIFY(QFileInfo(path).size() > 0);
        }
        QImage png(dir.filePath("a.png"));
        QCOMPARE(png.size(), QSize(640, 480));
        QImage bmp(dir.filePath("b.BMP"), "BMP");
        QCOMPARE(bmp.size(), QSize(640, 480));
        QFile svg(dir.filePath("c.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray svgText = svg.readAll();
        QVERIFY(svgText.contains("<svg"));
        QVERIFY(svgText.contains("Kinetics &amp; &lt;Chart&gt;"));

        QVERIFY2(SaveChartPdf(v, dir.filePath("d.pdf"), 15, 10, &error), qPrintable(error));
        QFile pdf(dir.filePath("d.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("e.pdf"));
        QVERIFY2(PrintChart(v, printer, 3.5, 3, 15, 10, &error), qPrintable(error));
        QVERIFY(QFileInfo(dir.filePath("e.pdf")).size() > 1000);

        // refused requests say why and write nothing
        QVERIFY(!SaveChartImage(v, dir.filePath("f.gif"), QSize(10, 10), &error));
        QVERIFY(error.contains(".png, .bmp or .svg"));
        QVERIFY(!QFileInfo::exists(dir.filePath("f.gif")));
        QVERIFY(!SaveChartImage(v, dir.filePath("g.png"), QSize(0, 10), &error));
        QVERIFY(!SaveChartPdf(v, dir.filePath("h.pdf"), -1, 10, &error));
        QVERIFY(!PrintChart(v, printer, 500, 3, 15, 10, &error));
        QVERIFY(error.contains("outside the paper"));
        QVERIFY(!SaveChartImage(v, dir.filePath("no/such/folder/x.png"), QSize(10, 10), &error));
    }
};

QTEST_MAIN(TestChartView)
#include "test_chartview.moc"
