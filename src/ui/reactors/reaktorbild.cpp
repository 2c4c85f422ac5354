#include "ui/reactors/reaktorbild.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace kinhom {

namespace {

const QColor kWand(60, 60, 70);
const QColor kFluessig(150, 195, 235);
const QColor kMetall(120, 120, 130);

// An arrow from a to b with a filled head.
void Pfeil(QPainter& p, QPointF a, QPointF b)
{
    p.drawLine(a, b);
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u = d / len, n(-u.y(), u.x());
    QPolygonF head;
    head << b << b - 4 * u + 2 * n << b - 4 * u - 2 * n;
    p.save();
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.restore();
}

// A vessel with rounded bottom, filled up to `fuellung` (y), with motor, shaft
// and a stirrer whose blades show the position `step` (0 to 11).
void Behaelter(QPainter& p, int step)
{
    QPainterPath wand;
    wand.moveTo(28, 18);
    wand.lineTo(28, 78);
    wand.quadTo(28, 90, 40, 90);
    wand.lineTo(60, 90);
    wand.quadTo(72, 90, 72, 78);
    wand.lineTo(72, 18);

    QPainterPath inhalt;
    inhalt.moveTo(28, 34);
    inhalt.lineTo(28, 78);
    inhalt.quadTo(28, 90, 40, 90);
    inhalt.lineTo(60, 90);
    inhalt.quadTo(72, 90, 72, 78);
    inhalt.lineTo(72, 34);
    inhalt.closeSubpath();
    p.fillPath(inhalt, kFluessig);

    p.setPen(QPen(kWand, 1.6));
    p.drawPath(wand);
    p.drawLine(QPointF(25, 18), QPointF(75, 18)); // lid

    // Motor and shaft.
    p.setBrush(kMetall);
    p.drawRect(QRectF(44, 5, 12, 9));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kWand, 1.4));
    p.drawLine(QPointF(50, 14), QPointF(50, 74));

    // Two blade pairs seen from the side: their visible widths follow the angle.
    const double w = 14.0;
    const double phi = step * M_PI / 6.0;
    p.setBrush(kMetall);
    for (double a : {phi, phi + M_PI / 2}) {
        const double breite = w * std::cos(a);
        p.drawRect(QRectF(50 - std::fabs(breite), 72, 2 * std::fabs(breite), 4));
    }
    p.setBrush(Qt::NoBrush);
}

} // namespace

ReaktorBild::ReaktorBild(Art art, QWidget* parent) : QWidget(parent), art_(art)
{
    setObjectName("picReaktor");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReaktorBild::turnStirrer()
{
    step_ = (step_ + 1) % 12;
    update();
}

void ReaktorBild::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn in a square of 100 x 100 units, centred.
    const double s = std::min(width(), height()) / 100.0;
    p.translate((width() - 100 * s) / 2, (height() - 100 * s) / 2);
    p.scale(s, s);
    QFont f = font();
    f.setPointSizeF(4.2);
    p.setFont(f);

    switch (art_) {
    case Art::Batch:
        Behaelter(p, 1);
        p.setPen(kWand);
        p.drawText(QRectF(0, 91, 100, 9), Qt::AlignCenter, "c(0)  =>  c(t)");
        break;
    case Art::Kessel:
        Behaelter(p, step_);
        p.setPen(QPen(kWand, 1.4));
        // Feed from the upper left into the vessel, outlet at the lower right.
        p.drawLine(QPointF(2, 26), QPointF(36, 26));
        p.drawLine(QPointF(36, 26), QPointF(36, 40));
        Pfeil(p, QPointF(36, 36), QPointF(36, 42));
        p.drawLine(QPointF(72, 80), QPointF(90, 80));
        Pfeil(p, QPointF(90, 80), QPointF(99, 80));
        p.setPen(kWand);
        p.drawText(QRectF(0, 14, 30, 10), Qt::AlignLeft | Qt::AlignVCenter, "V*, c(in)");
        p.drawText(QRectF(70, 82, 30, 10), Qt::AlignRight | Qt::AlignVCenter, "c(out)");
        p.drawText(QRectF(0, 91, 100, 9), Qt::AlignCenter, "V, c = c(out)");
        break;
    case Art::Rohr: {
        const QRectF rohr(12, 42, 76, 16);
        p.fillRect(rohr, kFluessig);
        // Slices of the plug flow: each moves through the tube unmixed.
        p.setPen(QPen(QColor(90, 130, 180), 0.6, Qt::DashLine));
        for (int i = 1; i < 8; ++i)
            p.drawLine(QPointF(12 + i * 9.5, 43), QPointF(12 + i * 9.5, 57));
        p.setPen(QPen(kWand, 1.6));
        p.drawLine(rohr.topLeft(), rohr.topRight());
        p.drawLine(rohr.bottomLeft(), rohr.bottomRight());
        p.setPen(QPen(kWand, 1.4));
        Pfeil(p, QPointF(0, 50), QPointF(11, 50));
        Pfeil(p, QPointF(89, 50), QPointF(99, 50));
        // The length below the tube.
        p.setPen(QPen(kWand, 0.8));
        p.drawLine(QPointF(12, 64), QPointF(12, 70));
        p.drawLine(QPointF(88, 64), QPointF(88, 70));
        Pfeil(p, QPointF(50, 67), QPointF(13, 67));
        Pfeil(p, QPointF(50, 67), QPointF(87, 67));
        p.setPen(kWand);
        p.drawText(QRectF(40, 68, 20, 8), Qt::AlignCenter, "l");
        p.drawText(QRectF(0, 30, 40, 10), Qt::AlignLeft | Qt::AlignVCenter, "V*, c(0)");
        p.drawText(QRectF(60, 30, 40, 10), Qt::AlignRight | Qt::AlignVCenter, "c(out)");
        p.drawText(QRectF(0, 82, 100, 9), Qt::AlignCenter, "tau = V / V*");
        break;
    }
    }
}

} // namespace kinhom
