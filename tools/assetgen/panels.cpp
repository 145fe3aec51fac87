#include "panels.h"

#include "shadowlayer.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>

namespace assetgen {

namespace {

// Only a picture with at least two pixels to the window's one has room for
// it: a lit window in the gable, four panes with glazing bars one pixel of
// the picture wide between them. Placed so that at twice the pixels each
// pane and bar falls on whole pixels.
void paintGableWindow(QPainter &p, QPointF c, int scale)
{
    const double bar = 1.0 / scale;
    const QRectF window(c + QPointF(-1.0, -3.0), QSizeF(2.0 + bar, 2.0 + bar));
    p.fillRect(window, QColor(250, 250, 252));
    for (const QPointF pane : {QPointF(0, 0), QPointF(1 + bar, 0), QPointF(0, 1 + bar), QPointF(1 + bar, 1 + bar)})
        p.fillRect(QRectF(window.topLeft() + pane, QSizeF(1.0, 1.0)), QColor(255, 212, 104));
}

void paintEmblem(QPainter &p, QPointF c, int scale)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 241, 246));
    p.drawEllipse(c, kEmblemRimRadius, kEmblemRimRadius);
    QRadialGradient disc(c, kEmblemDiscRadius, c + QPointF(-3.5, -4.5));
    disc.setColorAt(0.0, QColor(70, 124, 212));
    disc.setColorAt(1.0, QColor(20, 56, 140));
    p.setBrush(disc);
    p.drawEllipse(c, kEmblemDiscRadius, kEmblemDiscRadius);
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
    p.drawPolyline(
        QPolygonF({c + QPointF(-4.2, -1.2), c + QPointF(-4.2, 5.6), c + QPointF(4.2, 5.6), c + QPointF(4.2, -1.2)}));
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRect(QRectF(c + QPointF(-1.2, 2.4), QSizeF(2.4, 3.4)));
    if (scale >= 2)
        paintGableWindow(p, c, scale);
    p.restore();
}

} // namespace

QPainterPath panelPath(const QRectF &panel)
{
    QPainterPath path;
    path.addRoundedRect(panel, kPanelCornerRadius, kPanelCornerRadius);
    return path;
}

void paintPlates(QImage &img, const std::vector<Plate> &plates)
{
    const int scale = qRound(img.devicePixelRatio());
    ShadowLayer shadows(scale);
    {
        QPainter sp(&shadows.image());
        sp.setRenderHint(QPainter::Antialiasing);
        sp.setPen(Qt::NoPen);
        sp.setBrush(Qt::black);
        for (const Plate &plate : plates) {
            sp.fillPath(plate.panel.translated(0, 1.5), Qt::black);
            sp.drawEllipse(plate.emblem + QPointF(0, 1.5), kEmblemRimRadius, kEmblemRimRadius);
        }
    }
    shadows.applyTo(img, 2, 0.4);

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Plate &plate : plates) {
        p.fillPath(plate.panel, QColor(kPanelColour));
        paintEmblem(p, plate.emblem, scale);
    }
}

void paintPanels(QImage &img)
{
    paintPlates(img, {{panelPath(kUpperPanel), kEmblemCentres[0]}, {panelPath(kLowerPanel), kEmblemCentres[1]}});
}

} // namespace assetgen
