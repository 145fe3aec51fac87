// hearthvale-assetgen: draws the window background and the program icons
// from code, so that every picture the program ships can be rebuilt from
// source and checked against the committed copy.
//
// Everything random comes from a fixed-seed splitmix64 of our own: the
// standard library's distributions differ between implementations, and the
// committed assets must come out byte for byte the same on every rebuild.

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRectF>
#include <QSaveFile>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string_view>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kPi = std::numbers::pi;

// The colour the window's controls expect to sit on; they are drawn flat, so
// the panels underneath must be exactly this and nothing else.
const QColor kPanelColour(224, 223, 227);

// ---------------------------------------------------------------------------
// Randomness and noise

class Rng
{
public:
    explicit Rng(quint64 seed) : m_state(seed) {}

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

double smooth(double t) { return t * t * (3.0 - 2.0 * t); }

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

// ---------------------------------------------------------------------------
// Colour helpers

int clampByte(double v) { return std::clamp(int(std::lround(v)), 0, 255); }

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
    return QColor(clampByte(a.red() + (b.red() - a.red()) * t),
                  clampByte(a.green() + (b.green() - a.green()) * t),
                  clampByte(a.blue() + (b.blue() - a.blue()) * t));
}

QPointF polar(double angle, double radius)
{
    return {std::cos(angle) * radius, std::sin(angle) * radius};
}

// Sunlight comes from the upper left, as people expect in a map-like view;
// faces turned towards it are lit, shadows fall to the lower right.
const QPointF kTowardsLight(-0.6, -0.8);
const QPointF kShadowDir(0.6, 0.8);

double lightFactor(QPointF normal)
{
    return 1.0 + 0.27 * (normal.x() * kTowardsLight.x() + normal.y() * kTowardsLight.y());
}

// ---------------------------------------------------------------------------
// Shadows are collected in their own layer, blurred, then multiplied into the
// picture, which gives soft edges without any per-object blur.

class ShadowLayer
{
public:
    ShadowLayer() : m_image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied)
    {
        m_image.fill(Qt::transparent);
    }

    QImage &image() { return m_image; }

    void applyTo(QImage &target, int blurRadius, double strength)
    {
        std::vector<double> alpha(std::size_t(kWidth) * kHeight);
        for (int y = 0; y < kHeight; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(m_image.constScanLine(y));
            for (int x = 0; x < kWidth; ++x)
                alpha[std::size_t(y) * kWidth + x] = qAlpha(line[x]) / 255.0;
        }
        // Three box passes come close enough to a Gaussian for a shadow.
        for (int pass = 0; pass < 3; ++pass) {
            boxBlur(alpha, blurRadius, true);
            boxBlur(alpha, blurRadius, false);
        }
        for (int y = 0; y < kHeight; ++y) {
            auto *line = reinterpret_cast<QRgb *>(target.scanLine(y));
            for (int x = 0; x < kWidth; ++x) {
                const double f = 1.0 - strength * alpha[std::size_t(y) * kWidth + x];
                const QRgb p = line[x];
                // A touch of blue in the shade keeps it from looking muddy.
                line[x] = qRgb(clampByte(qRed(p) * f * 0.97), clampByte(qGreen(p) * f),
                               clampByte(qBlue(p) * std::min(1.0, f * 1.06)));
            }
        }
        m_image.fill(Qt::transparent);
    }

private:
    static void boxBlur(std::vector<double> &data, int radius, bool horizontal)
    {
        if (radius <= 0)
            return;
        const int outer = horizontal ? kHeight : kWidth;
        const int inner = horizontal ? kWidth : kHeight;
        std::vector<double> row(std::size_t(inner), 0.0);
        for (int o = 0; o < outer; ++o) {
            auto at = [&](int i) -> double & {
                return horizontal ? data[std::size_t(o) * kWidth + i]
                                  : data[std::size_t(i) * kWidth + o];
            };
            for (int i = 0; i < inner; ++i)
                row[std::size_t(i)] = at(i);
            double sum = 0.0;
            for (int i = -radius; i <= radius; ++i)
                sum += row[std::size_t(std::clamp(i, 0, inner - 1))];
            for (int i = 0; i < inner; ++i) {
                at(i) = sum / (2 * radius + 1);
                sum += row[std::size_t(std::clamp(i + radius + 1, 0, inner - 1))];
                sum -= row[std::size_t(std::clamp(i - radius, 0, inner - 1))];
            }
        }
    }

    QImage m_image;
};

// ---------------------------------------------------------------------------
// The neighbourhood's layout. The main road is a gentle S-curve across the
// picture; a side street crosses it at right angles.

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

// A closed blob whose radius wobbles with a couple of low harmonics, so water
// and flower beds look natural rather than drawn with a compass.
QPainterPath wobblyBlob(QPointF centre, double rx, double ry, Rng &rng, double wobble)
{
    const double p1 = rng.range(0.0, 2.0 * kPi);
    const double p2 = rng.range(0.0, 2.0 * kPi);
    const double p3 = rng.range(0.0, 2.0 * kPi);
    QPainterPath path;
    const int steps = 120;
    for (int i = 0; i <= steps; ++i) {
        const double a = 2.0 * kPi * i / steps;
        const double r = 1.0 + wobble * (0.55 * std::sin(2.0 * a + p1) + 0.3 * std::sin(3.0 * a + p2)
                                         + 0.15 * std::sin(5.0 * a + p3));
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

// ---------------------------------------------------------------------------
// Ground

const QColor kGrassDark(96, 138, 70);
const QColor kGrassLight(140, 172, 96);

void paintGround(QImage &img)
{
    for (int y = 0; y < kHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const double broad = fbm(x / 110.0, y / 110.0, 11U, 4);
            const double clumps = fbm(x / 13.0, y / 13.0, 23U, 3);
            const double blades = valueNoise(x / 1.7, y / 1.7, 37U);
            const double t = std::clamp((broad - 0.3) * 2.2, 0.0, 1.0);
            const QColor base = mix(kGrassDark, kGrassLight, t);
            const double f = 0.93 + 0.1 * clumps + 0.05 * blades;
            line[x] = qRgb(clampByte(base.red() * f), clampByte(base.green() * f),
                           clampByte(base.blue() * f));
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

// ---------------------------------------------------------------------------
// Water

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

void paintStreams(QPainter &p)
{
    for (const QPainterPath &s : {streamIn(), streamOut()}) {
        p.strokePath(s, QPen(withAlpha(kBank, 180), 17, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.strokePath(s, QPen(shade(kBank, 0.85), 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.strokePath(s, QPen(kWaterShallow, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.strokePath(s, QPen(mix(kWaterShallow, kWaterDeep, 0.5), 5, Qt::SolidLine, Qt::RoundCap,
                             Qt::RoundJoin));
        p.strokePath(s, QPen(QColor(230, 240, 240, 50), 1.2, Qt::DashLine, Qt::RoundCap));
    }
}

QPainterPath pondPath()
{
    Rng rng(0x504F4E44ULL);
    return wobblyBlob({124, 150}, 66, 44, rng, 0.14);
}

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
    const std::array<QPointF, 7> padSpots{{{82, 132}, {90, 126}, {76, 142}, {158, 176}, {166, 170},
                                           {150, 181}, {97, 137}}};
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

// ---------------------------------------------------------------------------
// Roads and paths

const QColor kSidewalk(204, 199, 188);
const QColor kCurb(160, 156, 148);
const QColor kAsphalt(108, 110, 114);

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

// ---------------------------------------------------------------------------
// Yards

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
    const QColor blooms[] = {QColor(232, 150, 170), QColor(244, 214, 112), QColor(244, 242, 232),
                             QColor(176, 136, 206), QColor(230, 120, 96)};
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
    p.strokePath(hedge.translated(-0.6, -0.8), QPen(QColor(76, 120, 60), 5, Qt::SolidLine, Qt::RoundCap,
                                                     Qt::RoundJoin));
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

// ---------------------------------------------------------------------------
// Buildings

struct Roof
{
    QPointF centre;
    double length;
    double depth;
    double angleDeg;
    QColor colour;
    bool hipped;
    bool chimney;
    bool solar;
};

QPolygonF roofOutline(const Roof &r)
{
    QTransform t;
    t.translate(r.centre.x(), r.centre.y());
    t.rotate(r.angleDeg);
    return t.map(QPolygonF(QRectF(-r.length / 2, -r.depth / 2, r.length, r.depth)));
}

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

void paintRoofFace(QPainter &p, const QPolygonF &face, QPointF localNormal, double angleDeg,
                   const QColor &base, QPointF tileAxis, double tileStart, double tileEnd)
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
        paintRoofFace(p, QPolygonF({tl, tr, QPointF(hl, 0), QPointF(-hl, 0)}), {0, -1}, r.angleDeg, r.colour,
                      {0, 1}, -hd, 0);
        paintRoofFace(p, QPolygonF({bl, br, QPointF(hl, 0), QPointF(-hl, 0)}), {0, 1}, r.angleDeg, r.colour,
                      {0, 1}, 0, hd);
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
    p.fillRect(QRectF(1.8, -3.0, 2.4, 6.0), QColor(54, 64, 76));  // windscreen
    p.fillRect(QRectF(-6.0, -3.0, 1.8, 6.0), QColor(64, 74, 86)); // rear window
    p.fillRect(QRectF(-4.2, -3.0, 6.0, 6.0), shade(body, 1.12));  // roof
    p.restore();
}

// ---------------------------------------------------------------------------
// Trees

struct Tree
{
    QPointF centre;
    double radius;
    int kind; // 0 broadleaf, 1 conifer, 2 blossom
};

QColor treeColour(int kind, Rng &rng)
{
    switch (kind) {
    case 1:
        return QColor(52, 96, 74);
    case 2:
        return QColor(196, 142, 150);
    default:
        break;
    }
    const QColor options[] = {QColor(72, 120, 56), QColor(86, 130, 58), QColor(64, 110, 62),
                              QColor(104, 138, 60), QColor(150, 150, 72)};
    return options[rng.below(5)];
}

QPainterPath broadleafCanopy(const Tree &t, Rng &rng, std::vector<std::pair<QPointF, double>> &blobs)
{
    const int n = 6 + rng.below(3);
    const double start = rng.range(0, 2 * kPi);
    for (int i = 0; i < n; ++i) {
        const double a = start + 2 * kPi * i / n + rng.range(-0.25, 0.25);
        blobs.emplace_back(t.centre + polar(a, t.radius * rng.range(0.38, 0.5)), t.radius * rng.range(0.45, 0.58));
    }
    blobs.emplace_back(t.centre + QPointF(rng.range(-1, 1), rng.range(-1, 1)), t.radius * 0.6);
    QPainterPath canopy;
    canopy.setFillRule(Qt::WindingFill);
    for (const auto &[c, r] : blobs)
        canopy.addEllipse(c, r, r);
    return canopy.simplified();
}

QPainterPath coniferCanopy(const Tree &t, Rng &rng)
{
    QPainterPath star;
    const int points = 11 + rng.below(4);
    for (int i = 0; i <= 2 * points; ++i) {
        const double a = kPi * i / points;
        const double r = (i % 2 == 0) ? t.radius * rng.range(0.92, 1.05) : t.radius * 0.68;
        const QPointF p = t.centre + polar(a, r);
        if (i == 0)
            star.moveTo(p);
        else
            star.lineTo(p);
    }
    star.closeSubpath();
    return star;
}

void castTreeShadows(ShadowLayer &shadows, const std::vector<Tree> &trees, quint64 seed)
{
    QPainter sp(&shadows.image());
    sp.setRenderHint(QPainter::Antialiasing);
    Rng rng(seed);
    for (const Tree &t : trees) {
        std::vector<std::pair<QPointF, double>> blobs;
        const QPainterPath canopy = t.kind == 1 ? coniferCanopy(t, rng) : broadleafCanopy(t, rng, blobs);
        sp.fillPath(canopy.translated(kShadowDir * t.radius * 0.8), Qt::black);
    }
}

void paintTrees(QPainter &p, const std::vector<Tree> &trees, quint64 seed)
{
    // The same seed as the shadows, so each canopy matches its own shadow.
    Rng rng(seed);
    Rng colourRng(seed ^ 0xC0105ULL);
    for (const Tree &t : trees) {
        const QColor base = treeColour(t.kind, colourRng);
        std::vector<std::pair<QPointF, double>> blobs;
        const QPainterPath canopy = t.kind == 1 ? coniferCanopy(t, rng) : broadleafCanopy(t, rng, blobs);
        p.fillPath(canopy, shade(base, 0.7));
        if (t.kind == 1) {
            QRadialGradient g(t.centre + kTowardsLight * t.radius * 0.3, t.radius * 1.1);
            g.setColorAt(0.0, shade(base, 1.35));
            g.setColorAt(0.55, base);
            g.setColorAt(1.0, shade(base, 0.72));
            p.fillPath(canopy, g);
            p.setPen(QPen(shade(base, 0.65), 0.7));
            for (int i = 0; i < 12; ++i)
                p.drawLine(t.centre, t.centre + polar(2 * kPi * i / 12 + 0.2, t.radius * 0.85));
        } else {
            for (const auto &[c, r] : blobs) {
                QRadialGradient g(c, r, c + kTowardsLight * r * 0.45);
                g.setColorAt(0.0, shade(base, 1.32));
                g.setColorAt(0.7, base);
                g.setColorAt(1.0, shade(base, 0.8));
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawEllipse(c, r, r);
            }
        }
        // Leaf speckle: lighter towards the sun, darker away from it.
        p.save();
        p.setClipPath(canopy);
        p.setPen(Qt::NoPen);
        const int dots = int(t.radius * t.radius * 1.1);
        for (int i = 0; i < dots; ++i) {
            const QPointF off = polar(rng.range(0, 2 * kPi), t.radius * std::sqrt(rng.unit()));
            const double facing = (off.x() * kTowardsLight.x() + off.y() * kTowardsLight.y()) / t.radius;
            const QColor c = facing + rng.range(-0.5, 0.5) > 0 ? withAlpha(shade(base, 1.4), 110)
                                                                : withAlpha(shade(base, 0.6), 110);
            p.setBrush(c);
            p.drawEllipse(t.centre + off, 0.8, 0.8);
        }
        p.restore();
    }
}

// ---------------------------------------------------------------------------
// The panels the controls sit on, and the blue emblem at their left ends.

QPainterPath upperPanel()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(31, 5, 245, 28), 14, 14);
    return path;
}

QPainterPath lowerPanel()
{
    // Rounded along the top; the bottom runs off the picture.
    QPainterPath path;
    path.addRoundedRect(QRectF(8, 365, 337, 140), 14, 14);
    return path;
}

const QPointF kUpperEmblem(23.5, 18.5);
const QPointF kLowerEmblem(23.5, 378.5);

void paintEmblem(QPainter &p, QPointF c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 241, 246));
    p.drawEllipse(c, 12.4, 12.4);
    QRadialGradient disc(c, 11.3, c + QPointF(-3.5, -4.5));
    disc.setColorAt(0.0, QColor(70, 124, 212));
    disc.setColorAt(1.0, QColor(20, 56, 140));
    p.setBrush(disc);
    p.drawEllipse(c, 11.3, 11.3);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(132, 176, 236), 1.1));
    p.drawEllipse(c, 9.3, 9.3);

    // A little house: roof and walls in outline, so the middle stays blue.
    const QColor white(250, 250, 252);
    QPen line(white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(line);
    p.drawPolyline(QPolygonF({c + QPointF(-6.0, 0.3), c + QPointF(0.0, -5.6), c + QPointF(6.0, 0.3)}));
    line.setWidthF(1.3);
    p.setPen(line);
    p.drawPolyline(QPolygonF({c + QPointF(-4.2, -1.2), c + QPointF(-4.2, 5.6), c + QPointF(4.2, 5.6),
                              c + QPointF(4.2, -1.2)}));
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRect(QRectF(c + QPointF(-1.2, 2.4), QSizeF(2.4, 3.4)));
    p.restore();
}

void paintPanels(QImage &img)
{
    ShadowLayer shadows;
    {
        QPainter sp(&shadows.image());
        sp.setRenderHint(QPainter::Antialiasing);
        sp.fillPath(upperPanel().translated(0, 1.5), Qt::black);
        sp.fillPath(lowerPanel().translated(0, 1.5), Qt::black);
        sp.setPen(Qt::NoPen);
        sp.setBrush(Qt::black);
        sp.drawEllipse(kUpperEmblem + QPointF(0, 1.5), 12.4, 12.4);
        sp.drawEllipse(kLowerEmblem + QPointF(0, 1.5), 12.4, 12.4);
    }
    shadows.applyTo(img, 2, 0.4);

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(upperPanel(), kPanelColour);
    p.fillPath(lowerPanel(), kPanelColour);
    paintEmblem(p, kUpperEmblem);
    paintEmblem(p, kLowerEmblem);
}

// ---------------------------------------------------------------------------
// The whole background

std::vector<Tree> neighbourhoodTrees()
{
    std::vector<Tree> trees = {
        // Park, around the pond.
        {{2, 40}, 12, 0}, {{6, 96}, 13, 1}, {{30, 150}, 15, 0}, {{22, 188}, 12, 0}, {{58, 222}, 14, 0},
        {{150, 60}, 15, 0}, {{186, 44}, 12, 1}, {{228, 70}, 16, 0}, {{240, 126}, 13, 2}, {{218, 168}, 12, 0},
        {{152, 222}, 11, 1}, {{104, 60}, 10, 2},
        // Along the main road.
        {{276, 210}, 9, 0}, {{436, 196}, 9, 0}, {{566, 184}, 9, 0}, {{632, 186}, 9, 0},
        {{300, 270}, 9, 0}, {{520, 246}, 8, 0},
        // Gardens.
        {{262, 58}, 13, 0}, {{350, 48}, 14, 0}, {{440, 62}, 10, 1}, {{520, 52}, 15, 0}, {{620, 40}, 16, 0},
        {{614, 262}, 12, 0}, {{508, 340}, 10, 2}, {{628, 440}, 14, 0}, {{510, 470}, 11, 1},
        {{440, 352}, 9, 0}, {{364, 470}, 12, 0}, {{272, 318}, 12, 0}, {{300, 352}, 10, 2},
        // Down by the allotments.
        {{24, 302}, 14, 0}, {{180, 330}, 13, 1}, {{120, 296}, 9, 0},
        // Shrubs against the houses.
        {{270, 170}, 5, 0}, {{276, 178}, 4, 2}, {{366, 168}, 5, 0}, {{428, 170}, 4, 0},
        {{524, 92}, 5, 0}, {{582, 150}, 4, 2}, {{528, 318}, 5, 0}, {{594, 318}, 4, 0},
        {{578, 380}, 5, 0}, {{528, 440}, 4, 2}, {{416, 322}, 5, 0}, {{352, 312}, 4, 0},
        {{380, 446}, 5, 0}, {{424, 392}, 4, 2},
    };
    return trees;
}

std::vector<Roof> neighbourhoodRoofs()
{
    const double aA = mainRoadAngleDeg(300);
    const double aB = mainRoadAngleDeg(395);
    const double aG = mainRoadAngleDeg(380);
    return {
        // The wing first, so the main roof laps over where they join.
        {{324, 122}, 18, 30, aA, QColor(176, 100, 78), true, false, false},
        {{302, 150}, 56, 38, aA, QColor(176, 100, 78), true, true, false},
        {{396, 140}, 64, 40, aB, QColor(108, 116, 130), false, true, true},
        {{551, 120}, 64, 40, 90, QColor(150, 108, 84), true, false, false},
        {{560, 292}, 66, 38, 0, QColor(166, 88, 82), true, true, false},
        {{552, 408}, 58, 38, 90, QColor(118, 130, 108), false, true, false},
        {{384, 294}, 58, 38, aG, QColor(188, 160, 118), true, true, true},
        {{400, 418}, 54, 36, 90, QColor(140, 96, 86), true, false, false},
        // Garden sheds.
        {{262, 108}, 14, 10, -10, QColor(118, 124, 106), false, false, false},
        {{618, 364}, 14, 11, 0, QColor(146, 112, 84), false, false, false},
    };
}

QImage renderBackground()
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    paintGround(img);
    ShadowLayer shadows;
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);

        // Gardens get tended lawns; the park keeps the wild grass.
        const double n = -2.0;
        paintLawn(p, QPolygonF({{250, n}, {450, n}, {450, 220}, {250, 236}}), -8, 9);
        paintLawn(p, QPolygonF({{488, n}, {660, n}, {660, 196}, {488, 200}}), 90, 9);
        paintLawn(p, QPolygonF({{488, 238}, {660, 236}, {660, 490}, {488, 490}}), 0, 9);
        paintLawn(p, QPolygonF({{258, 256}, {448, 246}, {448, 490}, {258, 490}}), 80, 9);

        paintStreams(p);
        paintPond(p);
        paintReeds(p);
        paintFootpaths(p);
        paintFootbridge(p, shadows, {48, 104}, 125);
        paintFootbridge(p, shadows, {194, 212}, 70);
        paintRoads(p);
        paintBridge(p, shadows);

        // Driveways and front paths.
        const QColor concrete(196, 192, 182);
        paintPaving(p, QRectF(-8, 0, 16, 62), mainRoadAngleDeg(334), {334, 172}, concrete);
        paintPaving(p, QRectF(-8, 0, 16, 46), mainRoadAngleDeg(420), {420, 164}, concrete);
        paintPaving(p, QRectF(0, -8, 44, 16), 0, {487, 150}, concrete);
        paintPaving(p, QRectF(-8, -36, 16, 36), 0, {598, 272}, concrete);
        paintPaving(p, QRectF(0, -8, 48, 16), 0, {487, 426}, concrete);
        paintPaving(p, QRectF(-8, -30, 16, 30), mainRoadAngleDeg(360), {358, 278}, concrete);
        paintPaving(p, QRectF(0, -7, 32, 14), 0, {416, 440}, concrete);
        const QColor stone(214, 204, 184);
        paintPaving(p, QRectF(-2.5, 0, 5, 40), mainRoadAngleDeg(290), {290, 174}, stone);
        paintPaving(p, QRectF(-2.5, 0, 5, 30), 0, {548, 308}, stone);

        // Back gardens.
        paintDeck(p, QRectF(370, 96, 30, 16));
        paintPool(p, QRectF(408, 74, 34, 20));
        paintPool(p, QRectF(594, 300, 22, 40));
        paintDeck(p, QRectF(590, 100, 18, 40));
        Rng veg(0x56454745ULL);
        paintVegetableBed(p, QRectF(272, 80, 22, 14), true, veg);
        paintVegetableBed(p, QRectF(298, 80, 22, 14), true, veg);
        paintVegetableBed(p, QRectF(272, 270, 16, 30), false, veg);
        paintVegetableBed(p, QRectF(332, 300, 16, 26), false, veg);
        // Allotments south of the park.
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 2; ++j)
                paintVegetableBed(p, QRectF(56 + i * 30, 314 + j * 26, 24, 18), (i + j) % 2 == 0, veg);

        Rng flowers(0x464C4F57ULL);
        {
            QPainterPath bed;
            bed.addEllipse(QPointF(110, 236), 7, 5);
            paintFlowerBed(p, bed, flowers, 26);
        }
        {
            Rng shape(0x42454453ULL);
            paintFlowerBed(p, wobblyBlob({240, 220}, 9, 6, shape, 0.2), flowers, 34);
        }
        {
            QPainterPath bed;
            bed.addRect(QRectF(508, 264, 6, 46));
            paintFlowerBed(p, bed, flowers, 40);
            QPainterPath bed2;
            bed2.addRect(QRectF(352, 322, 48, 5));
            paintFlowerBed(p, bed2, flowers, 36);
            QPainterPath bed3;
            bed3.addRect(QRectF(530, 160, 40, 5));
            paintFlowerBed(p, bed3, flowers, 30);
        }

        // Park benches beside the path.
        for (const QPointF b : {QPointF(70, 208), QPointF(196, 98)}) {
            p.fillRect(QRectF(b + QPointF(1, 1.5), QSizeF(10, 4)), QColor(0, 0, 0, 60));
            p.fillRect(QRectF(b, QSizeF(10, 4)), QColor(150, 110, 76));
            p.fillRect(QRectF(b, QSizeF(10, 1.3)), QColor(112, 80, 56));
        }

        Rng hedgeRng(0x48454447ULL);
        paintHedge(p, shadows, {{354, 224}, {352, 190}, {350, 16}}, hedgeRng);
        paintFence(p, shadows, {{252, 232}, {252, -4}});
        paintFence(p, shadows, {{446, 210}, {446, -4}});
        paintFence(p, shadows, {{490, 84}, {660, 84}});
        paintFence(p, shadows, {{490, 356}, {660, 356}});
        paintFence(p, shadows, {{450, 364}, {350, 364}});
        paintFence(p, shadows, {{256, 248}, {256, 370}});
        paintHedge(p, shadows, {{490, 244}, {490, 490}}, hedgeRng);
        paintHedge(p, shadows, {{50, 296}, {180, 296}}, hedgeRng);
    }

    const std::vector<Roof> roofs = neighbourhoodRoofs();
    const std::vector<Tree> trees = neighbourhoodTrees();
    const quint64 treeSeed = 0x5452454553ULL;
    for (const Roof &r : roofs)
        castRoofShadow(shadows, r);
    castTreeShadows(shadows, trees, treeSeed);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        paintCar(p, shadows, {334, 196}, mainRoadAngleDeg(334) + 90, QColor(176, 64, 58));
        paintCar(p, shadows, {598, 252}, 90, QColor(226, 226, 222));
        paintCar(p, shadows, {508, 426}, 0, QColor(70, 96, 140));
        paintCar(p, shadows, {160, mainRoadY(160) + 6}, mainRoadAngleDeg(160), QColor(224, 184, 90));
    }
    shadows.applyTo(img, 2, 0.5);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        Rng rng(0x524F4F46ULL);
        for (const Roof &r : roofs)
            paintRoof(p, r, rng);
        paintTrees(p, trees, treeSeed);
    }

    // A whisper of grain ties the flat shapes into one picture.
    for (int y = 0; y < kHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const double g = (latticeValue(x, y, 0x6752U) - 0.5) * 7.0;
            const QRgb px = line[x];
            line[x] = qRgb(clampByte(qRed(px) + g), clampByte(qGreen(px) + g), clampByte(qBlue(px) + g));
        }
    }

    paintPanels(img);
    return img.convertToFormat(QImage::Format_RGB888);
}

// ---------------------------------------------------------------------------
// Icons. They keep to the sixteen classic colours and hard pixel edges, so
// they stay crisp at the small sizes where a desktop shows them.

enum Ink : int {
    Clear = -1,
    Black,
    DarkRed,
    DarkGreen,
    DarkYellow,
    DarkBlue,
    DarkMagenta,
    DarkCyan,
    LightGrey,
    DarkGrey,
    Red,
    Green,
    Yellow,
    Blue,
    Magenta,
    Cyan,
    White,
};

// In the order an icon's palette lists them, so an index is an Ink.
constexpr std::array<QRgb, 16> kClassicPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

struct PixelIcon
{
    int size = 0;
    std::vector<int> ink; // row-major, top row first; Clear where transparent

    int at(int x, int y) const { return ink[std::size_t(y) * std::size_t(size) + std::size_t(x)]; }
};

// At 16 pixels every pixel is a decision, so that size is drawn by hand.
PixelIcon iconFromMap(const std::vector<std::string_view> &rows)
{
    PixelIcon icon;
    icon.size = int(rows.size());
    for (std::string_view row : rows) {
        for (char ch : row) {
            int ink = Clear;
            switch (ch) {
            case 'K': ink = Black; break;
            case 'r': ink = DarkRed; break;
            case 'g': ink = DarkGreen; break;
            case 'y': ink = DarkYellow; break;
            case 'b': ink = DarkBlue; break;
            case 'm': ink = DarkMagenta; break;
            case 'c': ink = DarkCyan; break;
            case 'l': ink = LightGrey; break;
            case 'd': ink = DarkGrey; break;
            case 'R': ink = Red; break;
            case 'G': ink = Green; break;
            case 'Y': ink = Yellow; break;
            case 'B': ink = Blue; break;
            case 'M': ink = Magenta; break;
            case 'C': ink = Cyan; break;
            case 'W': ink = White; break;
            default: break;
            }
            icon.ink.push_back(ink);
        }
    }
    return icon;
}

// The larger sizes are drawn from the same shapes, evaluated at each pixel
// centre, and then outlined where a nearer shape meets a farther one.
struct IconCell
{
    int depth = 0;
    int ink = Clear;
    bool outlined = true;
};

IconCell iconCell(int px, int py, int n)
{
    const double u = (px + 0.5) / n;
    const double v = (py + 0.5) / n;
    const double one = 1.0 / n;
    const bool big = n >= 48;
    // Dithering turns to noise below 48 pixels, so smaller sizes use flat areas.
    const bool even = big && ((px + py) & 1) == 0;
    IconCell cell;
    auto put = [&cell](int depth, int ink, bool outlined = true) {
        if (depth >= cell.depth) {
            cell.depth = depth;
            cell.ink = ink;
            cell.outlined = outlined;
        }
    };
    auto inside = [](double x, double y, double cx, double cy, double rx, double ry) {
        const double dx = (x - cx) / rx;
        const double dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };

    // Lawn.
    if (inside(u, v, 0.5, 0.86, 0.495, 0.125)) {
        const double t = (v - 0.735) / 0.25;
        int ink = t < 0.45 ? Green : (t < 0.6 ? (even ? Green : DarkGreen) : DarkGreen);
        put(1, ink);
    }
    // A few flowers in the grass, big enough to read as flowers.
    if (big) {
        const std::array<std::array<double, 3>, 4> flowers = {{
            {0.665, 0.80, double(Magenta)},
            {0.93, 0.83, double(Yellow)},
            {0.705, 0.925, double(Red)},
            {0.895, 0.935, double(Magenta)},
        }};
        const double petal = n >= 96 ? 2.0 : 1.0;
        for (const auto &f : flowers) {
            const double dx = std::abs(u - f[0]) * n;
            const double dy = std::abs(v - f[1]) * n;
            if (std::round(dx) + std::round(dy) <= petal)
                put(2, (dx < 0.5 && dy < 0.5) ? int(Yellow == int(f[2]) ? Red : Yellow) : int(f[2]), false);
        }
    }
    // Stepping stones from the door.
    if (v > 0.86 && v < 0.97 && std::abs(u - 0.20 + (v - 0.86) * 0.5) < 0.045)
        put(2, LightGrey);

    // Tree: the trunk is shaded rather than outlined, or a thin trunk would
    // be all outline.
    if (u >= 0.76 && u < 0.835 && v >= 0.48 && v < 0.87) {
        const bool shadowSide = u >= 0.835 - std::max(one, 0.025);
        put(3, shadowSide ? Black : DarkYellow, false);
    }
    // Back clumps first, so the front ones overlap them.
    const std::array<std::array<double, 3>, 4> clumps = {{
        {0.80, 0.255, 0.145},
        {0.705, 0.365, 0.11},
        {0.875, 0.38, 0.10},
        {0.80, 0.455, 0.115},
    }};
    for (const auto &c : clumps) {
        if (inside(u, v, c[0], c[1], c[2], c[2])) {
            // Each clump catches the light on its own upper left, leaving a
            // crescent of shade on the far side.
            const double hx = (u - (c[0] - 0.28 * c[2])) / c[2];
            const double hy = (v - (c[1] - 0.28 * c[2])) / c[2];
            const double lit = std::sqrt(hx * hx + hy * hy);
            int ink = lit < 0.72 ? Green : (lit < 0.86 ? (even ? Green : DarkGreen) : DarkGreen);
            put(4, ink);
        }
    }

    // Chimney, behind the roof.
    if (u >= 0.47 && u < 0.565 && v >= 0.09 && v < 0.4)
        put(5, (u < 0.47 + std::max(one, 0.03)) ? LightGrey : DarkGrey);

    // Walls.
    if (u >= 0.065 && u < 0.615 && v >= 0.49 && v < 0.875) {
        int ink = White;
        if (v < 0.49 + std::max(one * 2, 0.05) || u >= 0.615 - std::max(one * 2, 0.05))
            ink = LightGrey;
        put(6, ink);
    }
    // Door.
    if (u >= 0.13 && u < 0.28 && v >= 0.6 && v < 0.875) {
        int ink = DarkYellow;
        if (big && std::abs(u - 0.245) < one && std::abs(v - 0.75) < one)
            ink = Yellow;
        put(7, ink);
    }
    // Window, with a white cross and the sky caught in its glass.
    if (u >= 0.34 && u < 0.53 && v >= 0.59 && v < 0.76) {
        int ink = ((u - 0.34) + (v - 0.59) < 0.16) ? Cyan : DarkCyan;
        if (std::abs(u - 0.435) < one * 0.75 || std::abs(v - 0.675) < one * 0.75)
            ink = White;
        put(7, ink);
    }

    // Roof.
    const double apexU = 0.34;
    const double apexV = 0.08;
    const double eaveV = 0.51;
    const double halfSpan = 0.325;
    if (v >= apexV && v < eaveV && std::abs(u - apexU) <= halfSpan * (v - apexV) / (eaveV - apexV) + one * 0.5) {
        int ink = Red;
        if (v >= eaveV - std::max(one, 0.045))
            ink = DarkRed;
        else if (big && std::fmod(eaveV - v, 0.08) >= 0.08 - one * (n >= 96 ? 2.0 : 1.0))
            ink = DarkRed;
        put(8, ink);
        // A round window in the gable.
        if (big && inside(u, v, apexU, 0.31, 0.055, 0.055))
            put(9, ((u - apexU) + (v - 0.31) < 0.0) ? Cyan : DarkCyan);
    }
    return cell;
}

PixelIcon drawIcon(int n)
{
    std::vector<IconCell> cells(std::size_t(n) * std::size_t(n));
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            cells[std::size_t(y) * std::size_t(n) + std::size_t(x)] = iconCell(x, y, n);

    const int thickness = n >= 96 ? 2 : 1;
    PixelIcon icon;
    icon.size = n;
    icon.ink.resize(cells.size(), Clear);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const IconCell &c = cells[std::size_t(y) * std::size_t(n) + std::size_t(x)];
            if (c.depth == 0)
                continue;
            bool edge = false;
            for (int dy = -thickness; dy <= thickness && c.outlined && !edge; ++dy) {
                for (int dx = -thickness; dx <= thickness && !edge; ++dx) {
                    if (std::abs(dx) + std::abs(dy) > thickness || (dx == 0 && dy == 0))
                        continue;
                    const int nx = x + dx;
                    const int ny = y + dy;
                    const int depth = (nx < 0 || ny < 0 || nx >= n || ny >= n)
                                          ? 0
                                          : cells[std::size_t(ny) * std::size_t(n) + std::size_t(nx)].depth;
                    edge = depth < c.depth;
                }
            }
            icon.ink[std::size_t(y) * std::size_t(n) + std::size_t(x)] = edge ? int(Black) : c.ink;
        }
    }
    return icon;
}

PixelIcon smallIcon()
{
    return iconFromMap({
        "................",
        ".....K.KKK......",
        "....KRKKdK.KKK..",
        "...KRRRKdKKGGGK.",
        "..KRRRRRK.KGGGgK",
        ".KRRRRRRRKKGGggK",
        "KRRRRRRRRRKGgggK",
        "KrrrrrrrrrKggggK",
        ".KlllllllK.KggK.",
        ".KyyWWWWlK..yK..",
        ".KyyWCCWlK..yK..",
        ".KyyWccWlK..yK..",
        "GKyyWWWWlKGGyKGG",
        "GKKKKKKKKKGGGGGG",
        ".GGlGGGGGGGGGGg.",
        "...gggggggggg...",
    });
}

QImage iconImage(const PixelIcon &icon)
{
    QImage img(icon.size, icon.size, QImage::Format_ARGB32);
    for (int y = 0; y < icon.size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < icon.size; ++x) {
            const int ink = icon.at(x, y);
            line[x] = ink == Clear ? qRgba(0, 0, 0, 0) : kClassicPalette[std::size_t(ink)];
        }
    }
    return img;
}

void putLe16(QByteArray &out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void putLe32(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// One image of an icon file: a bitmap header with the height doubled to
// cover the mask, the palette, the 4-bit colour rows and the 1-bit mask,
// both bottom row first and padded to whole 32-bit words.
QByteArray icoBitmap(const PixelIcon &icon)
{
    const int n = icon.size;
    const int xorStride = ((n * 4 + 31) / 32) * 4;
    const int andStride = ((n + 31) / 32) * 4;
    QByteArray out;
    putLe32(out, 40);
    putLe32(out, quint32(n));
    putLe32(out, quint32(2 * n));
    putLe16(out, 1);
    putLe16(out, 4);
    putLe32(out, 0);
    putLe32(out, quint32((xorStride + andStride) * n));
    putLe32(out, 0);
    putLe32(out, 0);
    putLe32(out, 16);
    putLe32(out, 0);
    for (QRgb c : kClassicPalette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    for (int y = n - 1; y >= 0; --y) {
        QByteArray row(xorStride, '\0');
        for (int x = 0; x < n; ++x) {
            const int ink = std::max(icon.at(x, y), 0); // black under the mask
            row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? ink << 4 : ink));
        }
        out.append(row);
    }
    for (int y = n - 1; y >= 0; --y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < n; ++x) {
            if (icon.at(x, y) == Clear)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

QByteArray icoFile(const std::vector<PixelIcon> &icons)
{
    std::vector<QByteArray> bitmaps;
    for (const PixelIcon &icon : icons)
        bitmaps.push_back(icoBitmap(icon));
    QByteArray out;
    putLe16(out, 0);
    putLe16(out, 1); // an icon, not a cursor
    putLe16(out, int(icons.size()));
    quint32 offset = quint32(6 + 16 * icons.size());
    for (std::size_t i = 0; i < icons.size(); ++i) {
        out.append(char(icons[i].size));
        out.append(char(icons[i].size));
        out.append(char(16));
        out.append(char(0));
        putLe16(out, 1);
        putLe16(out, 4);
        putLe32(out, quint32(bitmaps[i].size()));
        putLe32(out, offset);
        offset += quint32(bitmaps[i].size());
    }
    for (const QByteArray &b : bitmaps)
        out.append(b);
    return out;
}

// ---------------------------------------------------------------------------
// Output

void complain(const QString &message)
{
    std::fprintf(stderr, "hearthvale-assetgen: %s\n", qPrintable(message));
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        complain(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

bool writeImage(const QString &path, const QImage &image, const char *format)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, format) || !file.commit()) {
        complain(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: hearthvale-assetgen OUTDIR\n"
                             "Draws background.bmp, hearthvale.ico and icons/{16,32,48,128}.png into OUTDIR.\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QDir dir(outDir);
    if (!dir.mkpath(QStringLiteral("icons"))) {
        complain(QStringLiteral("cannot create the folder %1").arg(dir.filePath(QStringLiteral("icons"))));
        return 1;
    }

    const PixelIcon icon16 = smallIcon();
    const PixelIcon icon32 = drawIcon(32);
    const PixelIcon icon48 = drawIcon(48);
    const PixelIcon icon128 = drawIcon(128);

    const bool ok = writeImage(dir.filePath(QStringLiteral("background.bmp")), renderBackground(), "BMP")
                    && writeBytes(dir.filePath(QStringLiteral("hearthvale.ico")), icoFile({icon32, icon16}))
                    && writeImage(dir.filePath(QStringLiteral("icons/16.png")), iconImage(icon16), "PNG")
                    && writeImage(dir.filePath(QStringLiteral("icons/32.png")), iconImage(icon32), "PNG")
                    && writeImage(dir.filePath(QStringLiteral("icons/48.png")), iconImage(icon48), "PNG")
                    && writeImage(dir.filePath(QStringLiteral("icons/128.png")), iconImage(icon128), "PNG");
    return ok ? 0 : 1;
}
