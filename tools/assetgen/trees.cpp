// Broadleaf, conifer and blossom trees and the shrubs against the houses,
// as canopies with leaf speckle lit from the upper left.

#include "scene.h"

#include "shadowlayer.h"

#include <QPen>
#include <QRadialGradient>

#include <cmath>
#include <utility>

namespace assetgen {

namespace {

QColor treeColour(int kind, Rng &rng)
{
    switch (kind) {
    case 1: return QColor(52, 96, 74);
    case 2: return QColor(196, 142, 150);
    default: break;
    }
    const QColor options[] = {QColor(72, 120, 56), QColor(86, 130, 58), QColor(64, 110, 62), QColor(104, 138, 60),
                              QColor(150, 150, 72)};
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

} // namespace

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
            const QColor c =
                facing + rng.range(-0.5, 0.5) > 0 ? withAlpha(shade(base, 1.4), 110) : withAlpha(shade(base, 0.6), 110);
            p.setBrush(c);
            p.drawEllipse(t.centre + off, 0.8, 0.8);
        }
        p.restore();
    }
}

} // namespace assetgen
