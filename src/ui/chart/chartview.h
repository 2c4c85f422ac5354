#pragma once
// The chart on screen: a widget that owns a chart model (core/chart/chart2d.h)
// and draws it. One drawing routine, paint(), serves the screen, image files,
// PDF and the printer (chartoutput.h).
//
// - The widget repaints when the chart announces a change, so a batch of changes
//   (Chart2D::IsBatched, the groups' data batch switches) gives one repaint when
//   the outermost batch ends.
// - The chart's size follows the widget's size, and the chart measures its texts
//   with the screen's fonts, so the automatic locations and margins the chart
//   reports are those on screen.
// - What lies under the mouse (hitTest) and the data coordinates of a position
//   (dataAt) come from the layout of the last drawing on screen.
// - Mouse presses, moves and releases are passed on as signals with the widget
//   position, for the chart window's handlers.
//
// Look: antialiased lines, DejaVu Sans for the usual sans-serif families (Arial,
// Helvetica, MS Sans Serif ...), ticks pointing away from the plot, numbers thinned
// out when they would touch.

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QWidget>

#include "core/chart/chart2d.h"
#include "core/chart/chartlayout.h"

class QPaintDevice;
class QPainter;

namespace kinhom {

class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;

    // The chart this view shows (it lives as long as the view).
    Chart2D& chart() { return chart_; }
    const Chart2D& chart() const { return chart_; }

    // Draws the whole chart into target, in the painter's coordinates, where one
    // unit is one pixel at 96 dots per inch (a painter on a printer or PDF page is
    // scaled accordingly by the callers in chartoutput.h). Fonts are sized for the
    // painter's device so that a 10 point text is 10 points on paper.
    void paint(QPainter& painter, const QRectF& target) const;
    // The same for any chart; the layout drawn is handed back when asked.
    static void paintChart(const Chart2D& chart, QPainter& painter, const QRectF& target, ChartLayout* drawn = nullptr);

    // The chart drawn into an image of the given pixel size (white where the
    // chart is transparent).
    QImage renderImage(const QSize& size) const;

    // What lies at a widget position, from the last drawing on screen.
    HitResult hitTest(const QPointF& pos) const;
    // The X and Y data coordinates of a widget position; false without a plot.
    bool dataAt(const QPointF& pos, double& x, double& y) const;
    // The layout of the last drawing on screen (empty before the first one).
    const ChartLayout& lastLayout() const { return last_; }
    // Number of drawings on screen so far.
    int paintCount() const { return paintCount_; }

    QSize sizeHint() const override { return {640, 480}; }
    QSize minimumSizeHint() const override { return {120, 90}; }

signals:
    void chartMousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF pos);
    void chartMouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF pos);
    void chartMouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Chart2D chart_;
    int listener_ = 0;
    ChartLayout last_;
    mutable ChartLayout scratch_; // the layout of paint(), kept for its memory
    int paintCount_ = 0;
};

// A font for a paint device: the look's family for the common sans-serif,
// serif and fixed families, and a size that gives the points asked for on paper
// when the painter scales 96-per-inch units to the device.
QFont ChartFont(const FontSpec& spec, const QPaintDevice* device);
// Measures text with the fonts of a paint device (nullptr: the screen).
TextMeasurer ChartTextMeasurer(const QPaintDevice* device);

} // namespace kinhom
