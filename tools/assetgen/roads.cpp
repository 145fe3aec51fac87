// The main road and the side street with their sidewalks and crossing, the
// stone bridge, and the park's gravel paths and footbridges.

#include "scene.h"

#include "shadowlayer.h"

#include <QPainterPathStroker>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace assetgen {

double mainRoadY(double x)
{
    const double t = std::clamp((x - 40.0) / 560.0, 0.0, 1.0);
    return 262.0 - 48.0 * smooth(t);
}

double mainRoadAngleDeg(double x)
{
    const double dy = mainRoadY(x + 1.0) - mainRoadY(x - 1.0);
    return std::atan2(dy, 2.0) * 180.0 / kPi;
}

namespace {

constexpr double kSideStreetX = 468.0;
constexpr double kAsphaltHalf = 12.0;
constexpr double kRoadHalf = 20.0; // asphalt, curb and sidewalk

QPainterPath mainRoadPath()
{
    QPainterPath path;
    path.moveTo(-30.0, mainRoadY(-30.0));
    for (double x = -26.0; x <= kWidth + 30.0; x += 4.0)
        path.lineTo(x, mainRoadY(x));
    return path;
}

QPainterPath sideStreetPath()
{
    QPainterPath path;
    path.moveTo(kSideStreetX, -30.0);
    path.lineTo(kSideStreetX, kHeight + 30.0);
    return path;
}

const QColor kSidewalk(204, 199, 188);
const QColor kCurb(160, 156, 148);
const QColor kAsphalt(108, 110, 114);

} // namespace

void paintRoads(QPainter &p)
{
    const QPainterPath roads[] = {mainRoadPath(), sideStreetPath()};
    for (const auto &r : roads)
        p.strokePath(r, QPen(kSidewalk, 2 * kRoadHalf, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    for (const auto &r : roads)
        p.strokePath(r, QPen(kCurb, 2 * kAsphaltHalf + 3, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    for (const auto &r : roads)
        p.strokePath(r, QPen(kAsphalt, 2 * kAsphaltHalf, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));

    // Paving joints across the sidewalks.
    p.save();
    QPainterPath walks;
    for (const auto &r : roads) {
        QPainterPathStroker outer;
        outer.setWidth(2 * kRoadHalf);
        QPainterPathStroker inner;
        inner.setWidth(2 * kAsphaltHalf + 3);
        walks = walks.united(outer.createStroke(r).subtracted(inner.createStroke(r)));
    }
    p.setClipPath(walks);
    p.setPen(QPen(QColor(150, 146, 136, 70), 0.8));
    for (double x = -20; x < kWidth + 20; x += 9.0) {
        const double y = mainRoadY(x);
        const double a = (mainRoadAngleDeg(x) + 90.0) * kPi / 180.0;
        p.drawLine(QPointF(x, y) + polar(a, -kRoadHalf), QPointF(x, y) + polar(a, kRoadHalf));
    }
    for (double y = -20; y < kHeight + 20; y += 9.0)
        p.drawLine(QPointF(kSideStreetX - kRoadHalf, y), QPointF(kSideStreetX + kRoadHalf, y));
    p.restore();

    // Centre lines stop short of the crossing, which gets zebra stripes.
    const double crossY = mainRoadY(kSideStreetX);
    p.save();
    QPainterPath away;
    away.addRect(QRectF(-50, -50, kWidth + 100, kHeight + 100));
    QPainterPath crossing;
    crossing.addRect(QRectF(kSideStreetX - 34, crossY - 34, 68, 68));
    p.setClipPath(away.subtracted(crossing));
    QPen dash(QColor(232, 220, 168), 1.5, Qt::CustomDashLine, Qt::FlatCap);
    dash.setDashPattern({5.0, 4.0});
    for (const auto &r : roads)
        p.strokePath(r, dash);
    p.restore();

    p.save();
    const QColor zebra(226, 226, 220, 215);
    for (int side : {-1, 1}) {
        // Across the side street, just off the main road.
        const double y0 = crossY + side * (kRoadHalf + 4) - (side < 0 ? 7 : 0);
        for (double x = kSideStreetX - kAsphaltHalf + 2; x < kSideStreetX + kAsphaltHalf - 2; x += 4.0)
            p.fillRect(QRectF(x, y0, 2.2, 7), zebra);
        // Across the main road, just off the side street.
        const double xc = kSideStreetX + side * (kRoadHalf + 7.5);
        p.save();
        p.translate(xc, mainRoadY(xc));
        p.rotate(mainRoadAngleDeg(xc));
        for (double y = -kAsphaltHalf + 2; y < kAsphaltHalf - 2; y += 4.0)
            p.fillRect(QRectF(-3.5, y, 7, 2.2), zebra);
        p.restore();
    }
    p.restore();
}

void paintBridge(QPainter &p, ShadowLayer &shadows)
{
    // The main road crosses the outgoing stream on a short stone bridge.
    const double x0 = 194.0;
    const double x1 = 216.0;
    QPainter sp(&shadows.image());
    sp.setRenderHint(QPainter::Antialiasing);
    for (int side : {-1, 1}) {
        QPainterPath rail;
        rail.moveTo(x0, mainRoadY(x0) + side * (kRoadHalf - 1));
        for (double x = x0 + 2; x <= x1; x += 2)
            rail.lineTo(x, mainRoadY(x) + side * (kRoadHalf - 1));
        sp.strokePath(rail.translated(1.5, 2.5), QPen(Qt::black, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.strokePath(rail, QPen(QColor(186, 178, 162), 3.4, Qt::SolidLine, Qt::RoundCap));
        p.strokePath(rail.translated(-0.4, -0.6), QPen(QColor(222, 216, 202), 1.2, Qt::SolidLine, Qt::RoundCap));
    }
}

namespace {

const QColor kGravel(208, 192, 152);

QPainterPath parkLoop()
{
    Rng rng(0x4C4F4F50ULL);
    return wobblyBlob({124, 150}, 98, 70, rng, 0.05);
}

QPainterPath parkSpur()
{
    return smoothCurve({{110, 220}, {104, 232}, {100, 246}});
}

} // namespace

void paintFootpaths(QPainter &p)
{
    const QPainterPath paths[] = {parkLoop(), parkSpur(), smoothCurve({{30, 203}, {18, 230}, {6, 242}})};
    for (const auto &path : paths)
        p.strokePath(path, QPen(shade(kGravel, 0.86), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const auto &path : paths)
        p.strokePath(path, QPen(kGravel, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void paintFootbridge(QPainter &p, ShadowLayer &shadows, QPointF at, double angleDeg)
{
    QPainter sp(&shadows.image());
    sp.setRenderHint(QPainter::Antialiasing);
    sp.translate(at + QPointF(1.5, 2.0));
    sp.rotate(angleDeg);
    sp.fillRect(QRectF(-6, -5, 12, 10), Qt::black);

    p.save();
    p.translate(at);
    p.rotate(angleDeg);
    p.fillRect(QRectF(-6, -5, 12, 10), QColor(150, 112, 78));
    p.setPen(QPen(QColor(112, 82, 56), 0.7));
    for (double x = -6; x <= 6; x += 2)
        p.drawLine(QPointF(x, -5), QPointF(x, 5));
    p.setPen(QPen(QColor(98, 70, 48), 1.2));
    p.drawLine(QPointF(-6, -5), QPointF(6, -5));
    p.drawLine(QPointF(-6, 5), QPointF(6, 5));
    p.restore();
}

} // namespace assetgen
