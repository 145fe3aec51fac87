// Shadows are collected in their own layer, blurred, then multiplied into the
// picture, which gives soft edges without any per-object blur.

#pragma once

#include "drawing.h"

#include <QImage>

#include <vector>

namespace assetgen {

class ShadowLayer
{
public:
    ShadowLayer()
        : m_image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied)
    {
        m_image.fill(Qt::transparent);
    }

    QImage &image() { return m_image; }

    // Blurs what was painted into the layer, darkens the target under it,
    // and leaves the layer empty for the next round.
    void applyTo(QImage &target, int blurRadius, double strength);

private:
    static void boxBlur(std::vector<double> &data, int radius, bool horizontal);

    QImage m_image;
};

} // namespace assetgen
