// Houses seen from above are their roofs: tiled faces lit by the sun,
// chimneys and solar panels. The cars in the driveways are here too.

#include "scene.h"

#include "shadowlayer.h"

#include <QPen>
#include <QTransform>

#include <cmath>
#include <utility>

namespace assetgen {

namespace {

QPolygonF roofOutline(const Roof &r)
{
    QTransform t;
    t.translate(r.centre.x(), r.centre.y());
    t.rotate(r.angleDeg);
    return t.map(QPolygonF(QRectF(-r.length / 2, -r.depth / 2, r.length, r.depth)));
}

} // namespace

void castRoofShadow(ShadowLayer &shadows, const Roof &r)
{
    QPainter sp(&shadows.image());
    sp.setRenderHint(QPainter::Antialiasing);
    sp.setPen(Qt::NoPen);
    sp.setBrush(Qt::black);
    const QPolygonF outline = roofOutline(r);
    for (double k = 0.0; k <= 1.0; k += 0.25)
        sp.drawPolygon(outline.translated(kShadowDir * (9.0 * k + 1.0)));
}

namespace {

void paintRoofFace(QPainter &p, const QPolygonF &face, QPointF localNormal, double angleDeg, const QColor &base,
                   QPointF tileAxis, double tileStart, double tileEnd)
{
    const double a = angleDeg * kPi / 180.0;
    const QPointF world(localNormal.x() * std::cos(a) - localNormal.y() * std::sin(a),
                        localNormal.x() * std::sin(a) + localNormal.y() * std::cos(a));
    const QColor faceColour = shade(base, lightFactor(world));
    QPainterPath path;
    path.addPolygon(face);
    path.closeSubpath();
    p.fillPath(path, faceColour);
    // Rows of tiles run parallel to the eave of each face.
    p.save();
    p.setClipPath(path);
    p.setPen(QPen(shade(faceColour, 0.88), 0.8));
    const QPointF across(-tileAxis.y(), tileAxis.x());
    for (double s = tileStart; s <= tileEnd; s += 2.6) {
        const QPointF c = tileAxis * s;
        p.drawLine(c - across * 60.0, c + across * 60.0);
    }
    p.restore();
}

} // namespace

void paintRoof(QPainter &p, const Roof &given, Rng &rng)
{
    // The faces are laid out for a ridge along the length; a roof deeper
    // than it is long is the same roof turned a quarter.
    Roof r = given;
    if (r.depth > r.length) {
        std::swap(r.length, r.depth);
        r.angleDeg += 90.0;
    }
    p.save();
    p.translate(r.centre);
    p.rotate(r.angleDeg);
    const double hl = r.length / 2;
    const double hd = r.depth / 2;
    const QPointF tl(-hl, -hd);
    const QPointF tr(hl, -hd);
    const QPointF bl(-hl, hd);
    const QPointF br(hl, hd);
    if (r.hipped) {
        const QPointF rl(-hl + hd, 0);
        const QPointF rr(hl - hd, 0);
        paintRoofFace(p, QPolygonF({tl, tr, rr, rl}), {0, -1}, r.angleDeg, r.colour, {0, 1}, -hd, 0);
        paintRoofFace(p, QPolygonF({bl, br, rr, rl}), {0, 1}, r.angleDeg, r.colour, {0, 1}, 0, hd);
        paintRoofFace(p, QPolygonF({tl, rl, bl}), {-1, 0}, r.angleDeg, r.colour, {1, 0}, -hl, -hl + hd);
        paintRoofFace(p, QPolygonF({tr, rr, br}), {1, 0}, r.angleDeg, r.colour, {1, 0}, hl - hd, hl);
        p.setPen(QPen(shade(r.colour, 1.3), 0.9));
        p.drawLine(rl, rr);
        p.drawLine(tl, rl);
        p.drawLine(bl, rl);
        p.drawLine(tr, rr);
        p.drawLine(br, rr);
    } else {
        paintRoofFace(p, QPolygonF({tl, tr, QPointF(hl, 0), QPointF(-hl, 0)}), {0, -1}, r.angleDeg, r.colour, {0, 1},
                      -hd, 0);
        paintRoofFace(p, QPolygonF({bl, br, QPointF(hl, 0), QPointF(-hl, 0)}), {0, 1}, r.angleDeg, r.colour, {0, 1}, 0,
                      hd);
        p.setPen(QPen(shade(r.colour, 1.3), 0.9));
        p.drawLine(QPointF(-hl, 0), QPointF(hl, 0));
    }
    if (r.solar) {
        // Panels on the face turned to the sun.
        const QColor cell(62, 78, 108);
        for (int i = 0; i < 3; ++i) {
            const QRectF panel(-hl * 0.45 + i * 8.5, hd * 0.25, 7.5, hd * 0.55);
            p.fillRect(panel, cell);
            p.setPen(QPen(QColor(150, 170, 200, 120), 0.5));
            p.drawLine(QPointF(panel.center().x(), panel.top()), QPointF(panel.center().x(), panel.bottom()));
            p.drawLine(QPointF(panel.left(), panel.center().y()), QPointF(panel.right(), panel.center().y()));
        }
    }
    if (r.chimney) {
        const QPointF c(hl * rng.range(0.15, 0.45), -hd * 0.45);
        p.fillRect(QRectF(c + QPointF(-1.5, -1.0), QSizeF(7, 6.5)), QColor(0, 0, 0, 60));
        p.fillRect(QRectF(c + QPointF(-3, -3), QSizeF(6, 6)), QColor(150, 92, 72));
        p.fillRect(QRectF(c + QPointF(-1.6, -1.6), QSizeF(3.2, 3.2)), QColor(60, 48, 44));
    }
    p.setPen(QPen(shade(r.colour, 0.55), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(tl, br));
    p.restore();
}

void paintCar(QPainter &p, ShadowLayer &shadows, QPointF at, double angleDeg, const QColor &body)
{
    {
        QPainter sp(&shadows.image());
        sp.setRenderHint(QPainter::Antialiasing);
        sp.translate(at + QPointF(1.8, 2.4));
        sp.rotate(angleDeg);
        QPainterPath s;
        s.addRoundedRect(QRectF(-8, -4, 16, 8), 2.5, 2.5);
        sp.fillPath(s, Qt::black);
    }
    p.save();
    p.translate(at);
    p.rotate(angleDeg);
    QPainterPath shell;
    shell.addRoundedRect(QRectF(-8, -4, 16, 8), 2.5, 2.5);
    p.fillPath(shell, body);
    p.strokePath(shell, QPen(shade(body, 0.6), 0.6));
    p.fillRect(QRectF(1.8, -3.0, 2.4, 6.0), QColor(54, 64, 76)); // windscreen
    p.fillRect(QRectF(-6.0, -3.0, 1.8, 6.0), QColor(64, 74, 86)); // rear window
    p.fillRect(QRectF(-4.2, -3.0, 6.0, 6.0), shade(body, 1.12)); // roof
    p.restore();
}

} // namespace assetgen
