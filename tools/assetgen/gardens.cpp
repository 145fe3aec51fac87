// The ground and what people tend on it: wild grass, mown lawns, paving,
// decks, pools, vegetable and flower beds, fences and hedges.

#include "scene.h"

#include "shadowlayer.h"

#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

const QColor kGrassDark(96, 138, 70);
const QColor kGrassLight(140, 172, 96);

} // namespace

void paintGround(QImage &img)
{
    // The noise is a function of the picture's own coordinates, sampled at
    // the middle of each pixel, so a larger picture shows the same grass.
    const double scale = img.devicePixelRatio();
    for (int py = 0; py < img.height(); ++py) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(py));
        const double y = (py + 0.5) / scale - 0.5;
        for (int px = 0; px < img.width(); ++px) {
            const double x = (px + 0.5) / scale - 0.5;
            const double broad = fbm(x / 110.0, y / 110.0, 11U, 4);
            const double clumps = fbm(x / 13.0, y / 13.0, 23U, 3);
            const double blades = valueNoise(x / 1.7, y / 1.7, 37U);
            const double t = std::clamp((broad - 0.3) * 2.2, 0.0, 1.0);
            const QColor base = mix(kGrassDark, kGrassLight, t);
            const double f = 0.93 + 0.1 * clumps + 0.05 * blades;
            line[px] = qRgb(clampByte(base.red() * f), clampByte(base.green() * f), clampByte(base.blue() * f));
        }
    }
}

// Tended lawns get mowing stripes and a slightly fresher green, which sets
// the gardens apart from the wilder park.
void paintLawn(QPainter &p, const QPolygonF &area, double stripeAngleDeg, double stripeWidth)
{
    p.save();
    QPainterPath clip;
    clip.addPolygon(area);
    clip.closeSubpath();
    p.setClipPath(clip);
    p.fillPath(clip, QColor(150, 200, 90, 38));
    const QPointF c = area.boundingRect().center();
    p.translate(c);
    p.rotate(stripeAngleDeg);
    const double reach = 400.0;
    for (int i = -int(reach / stripeWidth); i <= int(reach / stripeWidth); ++i) {
        const QColor band = (i % 2 == 0) ? QColor(255, 255, 220, 10) : QColor(0, 40, 0, 8);
        p.fillRect(QRectF(i * stripeWidth, -reach, stripeWidth, 2 * reach), band);
    }
    p.restore();
}

void paintPaving(QPainter &p, const QRectF &r, double angleDeg, QPointF pivot, QColor colour)
{
    p.save();
    p.translate(pivot);
    p.rotate(angleDeg);
    p.fillRect(r, colour);
    p.setPen(QPen(shade(colour, 0.86), 0.7));
    for (double y = r.top() + 6; y < r.bottom(); y += 6)
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    p.restore();
}

void paintDeck(QPainter &p, const QRectF &r)
{
    const QColor wood(176, 136, 100);
    p.fillRect(r, wood);
    p.setPen(QPen(shade(wood, 0.82), 0.7));
    for (double x = r.left() + 2.5; x < r.right(); x += 2.5)
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
}

void paintPool(QPainter &p, const QRectF &r)
{
    QPainterPath coping;
    coping.addRoundedRect(r, 4, 4);
    p.fillPath(coping, QColor(232, 228, 216));
    QPainterPath water;
    water.addRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 3, 3);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0.0, QColor(92, 170, 196));
    g.setColorAt(1.0, QColor(140, 206, 218));
    p.fillPath(water, g);
    // The coping throws a thin shadow onto the water along the lit sides.
    p.save();
    p.setClipPath(water);
    p.strokePath(water.translated(1.2, 1.6), QPen(QColor(40, 90, 110, 90), 2.0));
    p.setPen(QPen(QColor(240, 250, 250, 110), 0.9));
    const QRectF inner = r.adjusted(6, 6, -6, -6);
    for (int i = 0; i < 3; ++i) {
        const double y = inner.top() + inner.height() * (i + 0.5) / 3;
        QPainterPath wave;
        wave.moveTo(inner.left(), y);
        wave.cubicTo(inner.left() + inner.width() / 3, y - 2, inner.left() + 2 * inner.width() / 3, y + 2,
                     inner.right(), y);
        p.drawPath(wave);
    }
    p.restore();
}

void paintVegetableBed(QPainter &p, const QRectF &r, bool rowsAcross, Rng &rng)
{
    const QColor soil(128, 98, 70);
    p.fillRect(r.adjusted(-1, -1, 1, 1), QColor(150, 118, 84));
    p.fillRect(r, soil);
    const QColor greens[] = {QColor(88, 140, 62), QColor(120, 160, 70), QColor(70, 120, 66)};
    const double step = 4.0;
    p.setPen(Qt::NoPen);
    if (rowsAcross) {
        for (double y = r.top() + 2; y < r.bottom() - 1; y += step) {
            p.setBrush(greens[rng.below(3)]);
            for (double x = r.left() + 2; x < r.right() - 1; x += 3.0)
                p.drawEllipse(QPointF(x + rng.range(-0.4, 0.4), y), 1.3, 1.3);
        }
    } else {
        for (double x = r.left() + 2; x < r.right() - 1; x += step) {
            p.setBrush(greens[rng.below(3)]);
            for (double y = r.top() + 2; y < r.bottom() - 1; y += 3.0)
                p.drawEllipse(QPointF(x, y + rng.range(-0.4, 0.4)), 1.3, 1.3);
        }
    }
}

void paintFlowerBed(QPainter &p, const QPainterPath &bed, Rng &rng, int flowers)
{
    p.fillPath(bed, QColor(112, 88, 66));
    p.save();
    p.setClipPath(bed);
    const QRectF box = bed.boundingRect();
    p.setPen(Qt::NoPen);
    const QColor leaves[] = {QColor(80, 128, 60), QColor(104, 146, 70)};
    for (int i = 0; i < flowers; ++i) {
        p.setBrush(leaves[rng.below(2)]);
        p.drawEllipse(QPointF(rng.range(box.left(), box.right()), rng.range(box.top(), box.bottom())), 1.8, 1.8);
    }
    const QColor blooms[] = {QColor(232, 150, 170), QColor(244, 214, 112), QColor(244, 242, 232), QColor(176, 136, 206),
                             QColor(230, 120, 96)};
    for (int i = 0; i < flowers; ++i) {
        p.setBrush(blooms[rng.below(5)]);
        p.drawEllipse(QPointF(rng.range(box.left(), box.right()), rng.range(box.top(), box.bottom())), 1.1, 1.1);
    }
    p.restore();
}

void paintFence(QPainter &p, ShadowLayer &shadows, const std::vector<QPointF> &points)
{
    QPainterPath fence;
    fence.moveTo(points.front());
    for (std::size_t i = 1; i < points.size(); ++i)
        fence.lineTo(points[i]);
    QPainter sp(&shadows.image());
    sp.setRenderHint(QPainter::Antialiasing);
    sp.strokePath(fence.translated(1.2, 1.6), QPen(Qt::black, 1.4));
    p.strokePath(fence, QPen(QColor(222, 206, 170), 1.1));
    // Posts every few metres.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 146, 108));
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const QPointF a = points[i];
        const QPointF b = points[i + 1];
        const double len = std::hypot(b.x() - a.x(), b.y() - a.y());
        for (double d = 0; d <= len; d += 9.0)
            p.drawRect(QRectF(a + (b - a) * (d / len) - QPointF(0.9, 0.9), QSizeF(1.8, 1.8)));
    }
}

void paintHedge(QPainter &p, ShadowLayer &shadows, const std::vector<QPointF> &points, Rng &rng)
{
    QPainterPath hedge;
    hedge.moveTo(points.front());
    for (std::size_t i = 1; i < points.size(); ++i)
        hedge.lineTo(points[i]);
    QPainter sp(&shadows.image());
    sp.setRenderHint(QPainter::Antialiasing);
    sp.strokePath(hedge.translated(2.5, 3.5), QPen(Qt::black, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(hedge, QPen(QColor(58, 96, 50), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(hedge.translated(-0.6, -0.8),
                 QPen(QColor(76, 120, 60), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Leafy texture so it does not look like a painted stripe.
    QPainterPathStroker stroker;
    stroker.setWidth(6);
    const QPainterPath body = stroker.createStroke(hedge);
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    const QRectF box = body.boundingRect();
    const int dots = int(box.width() * box.height() / 6.0);
    for (int i = 0; i < dots; ++i) {
        const QPointF d(rng.range(box.left(), box.right()), rng.range(box.top(), box.bottom()));
        p.setBrush(rng.unit() < 0.5 ? QColor(104, 150, 76, 150) : QColor(46, 80, 42, 130));
        p.drawEllipse(d, 0.9, 0.9);
    }
    p.restore();
}

} // namespace assetgen
