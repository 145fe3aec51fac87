// The painters of the neighbourhood, one file for each kind of thing:
// gardens.cpp (grass, lawns, paving, pools, beds, fences, hedges), water.cpp,
// roads.cpp (streets, footpaths, bridges), houses.cpp (roofs and cars) and
// trees.cpp. background.cpp calls them in the order things lie on top of
// each other. Painters that cast a shadow draw it into the ShadowLayer they
// are given; it is blurred and applied later, all at once.

#pragma once

#include "drawing.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <vector>

namespace assetgen {

class ShadowLayer;

// gardens.cpp
void paintGround(QImage &img);
void paintLawn(QPainter &p, const QPolygonF &area, double stripeAngleDeg, double stripeWidth);
void paintPaving(QPainter &p, const QRectF &r, double angleDeg, QPointF pivot, QColor colour);
void paintDeck(QPainter &p, const QRectF &r);
void paintPool(QPainter &p, const QRectF &r);
void paintVegetableBed(QPainter &p, const QRectF &r, bool rowsAcross, Rng &rng);
void paintFlowerBed(QPainter &p, const QPainterPath &bed, Rng &rng, int flowers);
void paintFence(QPainter &p, ShadowLayer &shadows, const std::vector<QPointF> &points);
void paintHedge(QPainter &p, ShadowLayer &shadows, const std::vector<QPointF> &points, Rng &rng);

// water.cpp
void paintStreams(QPainter &p);
void paintPond(QPainter &p);
void paintReeds(QPainter &p);

// roads.cpp. The main road is a gentle S-curve across the picture; a side
// street crosses it at right angles. Driveways and cars follow its line.
double mainRoadY(double x);
double mainRoadAngleDeg(double x);
void paintRoads(QPainter &p);
void paintBridge(QPainter &p, ShadowLayer &shadows);
void paintFootpaths(QPainter &p);
void paintFootbridge(QPainter &p, ShadowLayer &shadows, QPointF at, double angleDeg);

// houses.cpp
struct Roof {
    QPointF centre;
    double length;
    double depth;
    double angleDeg;
    QColor colour;
    bool hipped;
    bool chimney;
    bool solar;
};

void castRoofShadow(ShadowLayer &shadows, const Roof &r);
void paintRoof(QPainter &p, const Roof &given, Rng &rng);
void paintCar(QPainter &p, ShadowLayer &shadows, QPointF at, double angleDeg, const QColor &body);

// trees.cpp
struct Tree {
    QPointF centre;
    double radius;
    int kind; // 0 broadleaf, 1 conifer, 2 blossom
};

// Shadows and trees are drawn from the same seed, so that each canopy
// matches its own shadow.
void castTreeShadows(ShadowLayer &shadows, const std::vector<Tree> &trees, quint64 seed);
void paintTrees(QPainter &p, const std::vector<Tree> &trees, quint64 seed);

} // namespace assetgen
