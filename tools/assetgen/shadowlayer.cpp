#include "shadowlayer.h"

#include <algorithm>

namespace assetgen {

void ShadowLayer::applyTo(QImage &target, int blurRadius, double strength)
{
    const int width = m_image.width();
    const int height = m_image.height();
    const int radius = blurRadius * qRound(m_image.devicePixelRatio());
    std::vector<double> alpha(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(m_image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            alpha[std::size_t(y) * width + x] = qAlpha(line[x]) / 255.0;
    }
    // Three box passes come close enough to a Gaussian for a shadow.
    for (int pass = 0; pass < 3; ++pass) {
        boxBlur(alpha, width, height, radius, true);
        boxBlur(alpha, width, height, radius, false);
    }
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(target.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double f = 1.0 - strength * alpha[std::size_t(y) * width + x];
            const QRgb p = line[x];
            // A touch of blue in the shade keeps it from looking muddy.
            line[x] = qRgb(clampByte(qRed(p) * f * 0.97), clampByte(qGreen(p) * f),
                           clampByte(qBlue(p) * std::min(1.0, f * 1.06)));
        }
    }
    m_image.fill(Qt::transparent);
}

void ShadowLayer::boxBlur(std::vector<double> &data, int width, int height, int radius, bool horizontal)
{
    if (radius <= 0)
        return;
    const int outer = horizontal ? height : width;
    const int inner = horizontal ? width : height;
    std::vector<double> row(std::size_t(inner), 0.0);
    for (int o = 0; o < outer; ++o) {
        auto at = [&](int i) -> double & {
            return horizontal ? data[std::size_t(o) * width + i] : data[std::size_t(i) * width + o];
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

} // namespace assetgen
