// The groundwork every painter shares: the picture's size, a seeded random
// source, value noise, colour and lighting helpers, and two curve makers.
//
// Everything random comes from a fixed-seed splitmix64 of our own: the
// standard library's distributions differ between implementations, and the
// committed assets must come out byte for byte the same on every rebuild.

#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QtGlobal>

#include <numbers>
#include <vector>

namespace assetgen {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kPi = std::numbers::pi;

class Rng
{
public:
    explicit Rng(quint64 seed)
        : m_state(seed)
    {
    }

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double unit() { return double(next() >> 11) * 0x1.0p-53; }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return int(next() % quint64(n)); }

private:
    quint64 m_state;
};

// The same lattice point and seed always give the same value in [0, 1),
// which is what makes the noise built on it repeatable.
double latticeValue(int x, int y, quint32 seed);
double smooth(double t); // smoothstep on [0, 1]
double valueNoise(double x, double y, quint32 seed);
// Octaves of value noise added up, for grass that varies at every scale.
double fbm(double x, double y, quint32 seed, int octaves);

int clampByte(double v);
QColor shade(const QColor &c, double f);
QColor withAlpha(QColor c, int alpha);
QColor mix(const QColor &a, const QColor &b, double t);
QPointF polar(double angle, double radius);

// Sunlight comes from the upper left, as people expect in a map-like view;
// faces turned towards it are lit, shadows fall to the lower right.
inline const QPointF kTowardsLight(-0.6, -0.8);
inline const QPointF kShadowDir(0.6, 0.8);

// How much a face with this outward normal is brightened or darkened.
double lightFactor(QPointF normal);

// A closed blob whose radius wobbles with a couple of low harmonics, so water
// and flower beds look natural rather than drawn with a compass.
QPainterPath wobblyBlob(QPointF centre, double rx, double ry, Rng &rng, double wobble);
// Catmull-Rom through the points, so a stream or path bends softly.
QPainterPath smoothCurve(const std::vector<QPointF> &points);

} // namespace assetgen
