// The panels the window's controls sit on, and the blue emblem at their
// left ends. This is the one part of the picture the window depends on: the
// controls are drawn flat at fixed places, so the panels under them must be
// exactly there and exactly their colour. Drawn last, over everything else,
// at the picture's pixel ratio: the panels and emblems keep their places in
// the window's pixels whatever the picture's size.
//
// The places are written here once, in the window's pixels; the drawing and
// the checks of the committed pictures both read them. Where the controls
// sit comes from the card's own table.

#pragma once

#include "window/cardcontrols.h"

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QRgb>

#include <array>
#include <vector>

namespace assetgen {

// The colour the window's controls expect to sit on.
constexpr QRgb kPanelColour = qRgb(224, 223, 227);
constexpr double kPanelCornerRadius = 14;
constexpr QRectF kUpperPanel(31, 5, 245, 28);
// Rounded along the top; the bottom runs off the picture.
constexpr QRectF kLowerPanel(8, 365, 337, 140);

// Where the controls are drawn: every pixel here is the panel colour.
constexpr std::array<QRect, 2> kPanelInteriors = {hearthvale::panelInterior(hearthvale::Panel::Upper),
                                                  hearthvale::panelInterior(hearthvale::Panel::Lower)};
constexpr bool holds(const QRectF &panel, const QRect &interior)
{
    return panel.left() <= interior.left() && panel.top() <= interior.top() && interior.right() + 1 <= panel.right()
        && interior.bottom() + 1 <= panel.bottom();
}
static_assert(holds(kUpperPanel, kPanelInteriors[0]) && holds(kLowerPanel, kPanelInteriors[1]),
              "a control sits where the panel under it is not drawn");
// Everything the panels and emblems touch, antialiased edges and drop
// shadow included. Outside these the picture is landscape.
constexpr std::array<QRect, 2> kPanelAreas = {QRect(QPoint(9, 3), QPoint(277, 35)),
                                              QRect(QPoint(6, 363), QPoint(346, 479))};

constexpr std::array<QPointF, 2> kEmblemCentres = {QPointF(23.5, 18.5), QPointF(23.5, 378.5)};
constexpr double kEmblemRimRadius = 12.4;
constexpr double kEmblemDiscRadius = 11.3;
// Pixel centres this close to an emblem's centre lie on the blue disc or
// its white rim, clear of the antialiased edge where landscape shows through.
constexpr double kEmblemSolidRadius = 11.5;

void paintPanels(QImage &img);

// A panel with the emblem at its left end, as the window has two of; the
// installer's pictures show them too.
struct Plate {
    QPainterPath panel;
    QPointF emblem;
};
QPainterPath panelPath(const QRectF &panel);
void paintPlates(QImage &img, const std::vector<Plate> &plates);

} // namespace assetgen
