#include "drawing.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

double latticeValue(int x, int y, quint32 seed)
{
    quint64 h = quint64(quint32(x)) * 0x9E3779B97F4A7C15ULL;
    h ^= quint64(quint32(y)) * 0xC2B2AE3D27D4EB4FULL;
    h ^= quint64(seed) * 0x165667B19E3779F9ULL;
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ULL;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBULL;
    h ^= h >> 31;
    return double(h >> 11) * 0x1.0p-53;
}

double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

double valueNoise(double x, double y, quint32 seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = int(fx);
    const int iy = int(fy);
    const double tx = smooth(x - fx);
    const double ty = smooth(y - fy);
    const double a = latticeValue(ix, iy, seed);
    const double b = latticeValue(ix + 1, iy, seed);
    const double c = latticeValue(ix, iy + 1, seed);
    const double d = latticeValue(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1.0 - ty) + (c + (d - c) * tx) * ty;
}

double fbm(double x, double y, quint32 seed, int octaves)
{
    double sum = 0.0;
    double amplitude = 0.5;
    double norm = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + quint32(i) * 101U);
        norm += amplitude;
        amplitude *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / norm;
}

int clampByte(double v)
{
    return std::clamp(int(std::lround(v)), 0, 255);
}

QColor shade(const QColor &c, double f)
{
    return QColor(clampByte(c.red() * f), clampByte(c.green() * f), clampByte(c.blue() * f));
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor(clampByte(a.red() + (b.red() - a.red()) * t), clampByte(a.green() + (b.green() - a.green()) * t),
                  clampByte(a.blue() + (b.blue() - a.blue()) * t));
}

QPointF polar(double angle, double radius)
{
    return {std::cos(angle) * radius, std::sin(angle) * radius};
}

double lightFactor(QPointF normal)
{
    return 1.0 + 0.27 * (normal.x() * kTowardsLight.x() + normal.y() * kTowardsLight.y());
}

QPainterPath wobblyBlob(QPointF centre, double rx, double ry, Rng &rng, double wobble)
{
    const double p1 = rng.range(0.0, 2.0 * kPi);
    const double p2 = rng.range(0.0, 2.0 * kPi);
    const double p3 = rng.range(0.0, 2.0 * kPi);
    QPainterPath path;
    const int steps = 120;
    for (int i = 0; i <= steps; ++i) {
        const double a = 2.0 * kPi * i / steps;
        const double r = 1.0
            + wobble * (0.55 * std::sin(2.0 * a + p1) + 0.3 * std::sin(3.0 * a + p2) + 0.15 * std::sin(5.0 * a + p3));
        const QPointF p(centre.x() + std::cos(a) * rx * r, centre.y() + std::sin(a) * ry * r);
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QPainterPath smoothCurve(const std::vector<QPointF> &points)
{
    // Catmull-Rom through the points, so a stream or path bends softly.
    QPainterPath path;
    if (points.empty())
        return path;
    path.moveTo(points.front());
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const QPointF p0 = points[i == 0 ? 0 : i - 1];
        const QPointF p1 = points[i];
        const QPointF p2 = points[i + 1];
        const QPointF p3 = points[std::min(i + 2, points.size() - 1)];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    return path;
}

} // namespace assetgen
