// The panels the window's controls sit on, and the blue emblem at their
// left ends. This is the one part of the picture the window depends on: the
// controls are drawn flat at fixed places, so the panels under them must be
// exactly there and exactly their colour. Drawn last, over everything else,
// at the picture's pixel ratio: the panels and emblems keep their places in
// the window's pixels whatever the picture's size.

#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPointF>

#include <vector>

namespace assetgen {

void paintPanels(QImage &img);

// A panel with the emblem at its left end, as the window has two of; the
// installer's pictures show them too.
struct Plate {
    QPainterPath panel;
    QPointF emblem;
};
void paintPlates(QImage &img, const std::vector<Plate> &plates);

} // namespace assetgen
