// Shadows are collected in their own layer, blurred, then multiplied into the
// picture, which gives soft edges without any per-object blur. The layer has
// as many pixels as the picture it shades; painters draw into it in the
// picture's own coordinates whatever its scale.

#pragma once

#include "drawing.h"

#include <QImage>

#include <vector>

namespace assetgen {

class ShadowLayer
{
public:
    explicit ShadowLayer(int scale)
        : m_image(kWidth * scale, kHeight * scale, QImage::Format_ARGB32_Premultiplied)
    {
        m_image.setDevicePixelRatio(scale);
        m_image.fill(Qt::transparent);
    }

    QImage &image() { return m_image; }

    // Blurs what was painted into the layer, darkens the target under it,
    // and leaves the layer empty for the next round. The radius is in the
    // scene's 640 x 480 pixels, so shadows are as soft at every scale.
    void applyTo(QImage &target, int blurRadius, double strength);

private:
    static void boxBlur(std::vector<double> &data, int width, int height, int radius, bool horizontal);

    QImage m_image;
};

} // namespace assetgen
