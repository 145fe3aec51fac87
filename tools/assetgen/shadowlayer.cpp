#include "shadowlayer.h"

#include <algorithm>

namespace assetgen {

void ShadowLayer::applyTo(QImage &target, int blurRadius, double strength)
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

void ShadowLayer::boxBlur(std::vector<double> &data, int radius, bool horizontal)
{
    if (radius <= 0)
        return;
    const int outer = horizontal ? kHeight : kWidth;
    const int inner = horizontal ? kWidth : kHeight;
    std::vector<double> row(std::size_t(inner), 0.0);
    for (int o = 0; o < outer; ++o) {
        auto at = [&](int i) -> double & {
            return horizontal ? data[std::size_t(o) * kWidth + i] : data[std::size_t(i) * kWidth + o];
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
