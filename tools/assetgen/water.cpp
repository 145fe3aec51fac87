// The park's pond with its lily pads, the streams that feed and drain it,
// and the reeds where they meet.

#include "scene.h"

#include "shadowlayer.h"

#include <QPen>
#include <QRadialGradient>

#include <array>

namespace assetgen {

namespace {

const QColor kWaterDeep(58, 106, 128);
const QColor kWaterShallow(104, 154, 160);
const QColor kBank(150, 138, 100);

QPainterPath streamIn()
{
    return smoothCurve({{-20, 52}, {14, 66}, {38, 92}, {56, 118}, {80, 140}});
}

QPainterPath streamOut()
{
    return smoothCurve(
        {{160, 170}, {186, 196}, {198, 226}, {206, 256}, {216, 292}, {236, 330}, {244, 372}, {252, 500}});
}

} // namespace

void paintStreams(QPainter &p)
{
    for (const QPainterPath &s : {streamIn(), streamOut()}) {
        p.strokePath(s, QPen(withAlpha(kBank, 180), 17, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.strokePath(s, QPen(shade(kBank, 0.85), 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.strokePath(s, QPen(kWaterShallow, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.strokePath(s, QPen(mix(kWaterShallow, kWaterDeep, 0.5), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.strokePath(s, QPen(QColor(230, 240, 240, 50), 1.2, Qt::DashLine, Qt::RoundCap));
    }
}

namespace {

QPainterPath pondPath()
{
    Rng rng(0x504F4E44ULL);
    return wobblyBlob({124, 150}, 66, 44, rng, 0.14);
}

} // namespace

void paintPond(QPainter &p)
{
    const QPainterPath pond = pondPath();
    p.strokePath(pond, QPen(withAlpha(kBank, 150), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(pond, QPen(shade(kBank, 0.9), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QRadialGradient deep(QPointF(130, 154), 70);
    deep.setColorAt(0.0, shade(kWaterDeep, 0.92));
    deep.setColorAt(0.6, kWaterDeep);
    deep.setColorAt(1.0, kWaterShallow);
    p.fillPath(pond, deep);

    p.save();
    p.setClipPath(pond);
    // Shallows along the rim.
    p.strokePath(pond, QPen(withAlpha(kWaterShallow, 160), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Sky reflections: a few soft light ripples.
    Rng rng(0x52495050ULL);
    for (int i = 0; i < 9; ++i) {
        const QPointF c(rng.range(80, 170), rng.range(120, 180));
        const double w = rng.range(10, 22);
        QPainterPath ripple;
        ripple.moveTo(c.x() - w / 2, c.y());
        ripple.quadTo(c.x(), c.y() - 2.5, c.x() + w / 2, c.y());
        p.strokePath(ripple, QPen(QColor(220, 236, 240, 70), 1.1, Qt::SolidLine, Qt::RoundCap));
    }
    p.restore();

    // Lily pads, each with the little notch that makes them read as pads.
    Rng pads(0x4C494C59ULL);
    const std::array<QPointF, 7> padSpots{
        {{82, 132}, {90, 126}, {76, 142}, {158, 176}, {166, 170}, {150, 181}, {97, 137}}};
    for (const QPointF &c : padSpots) {
        const double r = pads.range(3.0, 4.6);
        const double notch = pads.range(0.0, 360.0);
        QPainterPath pad;
        pad.moveTo(c);
        pad.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), notch + 25, 310);
        pad.closeSubpath();
        p.fillPath(pad.translated(0.8, 1.0), QColor(30, 60, 70, 80));
        p.fillPath(pad, QColor(96, 146, 76));
        p.strokePath(pad, QPen(QColor(70, 116, 58), 0.7));
        if (pads.unit() < 0.45) {
            const QPointF f = c + polar(notch * kPi / 180.0 + kPi, r * 0.3);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(246, 214, 226));
            p.drawEllipse(f, 1.5, 1.5);
            p.setBrush(QColor(250, 236, 140));
            p.drawEllipse(f, 0.6, 0.6);
        }
    }
}

void paintReeds(QPainter &p)
{
    // Tufts of reeds gather where the streams meet the pond.
    Rng rng(0x52454544ULL);
    const std::array<QPointF, 5> clumps{{{70, 124}, {86, 112}, {166, 186}, {190, 160}, {60, 168}}};
    for (const QPointF &c : clumps) {
        for (int i = 0; i < 14; ++i) {
            const QPointF base = c + QPointF(rng.range(-6, 6), rng.range(-4, 4));
            const double a = rng.range(-2.6, -0.5);
            const double len = rng.range(3, 7);
            const QColor col = rng.unit() < 0.5 ? QColor(74, 108, 52) : QColor(120, 140, 70);
            p.setPen(QPen(col, 1.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(base, base + polar(a, len));
        }
    }
}

} // namespace assetgen
