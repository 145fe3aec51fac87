#include "icon.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace assetgen {

namespace {

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
struct IconCell {
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

} // namespace

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

PixelIcon iconOfSize(int n)
{
    return n == 16 ? smallIcon() : drawIcon(n);
}

PixelIcon removalIcon(const PixelIcon &icon)
{
    // A disc in the lower right corner, a quarter of the icon across, with
    // a black rim and a white bar; laid out on whole pixels at 16 and 32.
    PixelIcon marked = icon;
    const int n = icon.size;
    const double r = 3.5 * n / 16;
    const int c = n - 1 - int(r);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const int d2 = (x - c) * (x - c) + (y - c) * (y - c);
            if (d2 > r * r)
                continue;
            int ink = d2 > (r - 1) * (r - 1) ? Black : Red;
            if (ink == Red && std::abs(y - c) <= n / 16 - 1 && std::abs(x - c) <= r - 1.5)
                ink = White;
            marked.ink[std::size_t(y) * std::size_t(n) + std::size_t(x)] = ink;
        }
    }
    return marked;
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

} // namespace assetgen
