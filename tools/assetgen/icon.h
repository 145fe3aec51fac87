// The program icon, at 16, 32, 48 and 128 pixels. It keeps to the sixteen
// classic colours and hard pixel edges, so it stays crisp at the small sizes
// where a desktop shows it. The 16-pixel one is drawn by hand; the larger
// ones are worked out from the same shapes at each size.

#pragma once

#include <QImage>
#include <QRgb>

#include <array>
#include <vector>

namespace assetgen {

enum Ink : int {
    Clear = -1,
    Black,
    DarkRed,
    DarkGreen,
    DarkYellow,
    DarkBlue,
    DarkMagenta,
    DarkCyan,
    LightGrey,
    DarkGrey,
    Red,
    Green,
    Yellow,
    Blue,
    Magenta,
    Cyan,
    White,
};

// In the order an icon's palette lists them, so an index is an Ink.
constexpr std::array<QRgb, 16> kClassicPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

struct PixelIcon {
    int size = 0;
    std::vector<int> ink; // row-major, top row first; Clear where transparent

    int at(int x, int y) const { return ink[std::size_t(y) * std::size_t(size) + std::size_t(x)]; }
};

// The sizes the desktop gets as icons/<size>.png, and those the icon file
// holds, in its order (the first is the one a Windows shell shows).
constexpr std::array<int, 4> kDesktopIconSizes = {16, 32, 48, 128};
constexpr std::array<int, 2> kIcoFileSizes = {32, 16};

PixelIcon smallIcon();
PixelIcon drawIcon(int n);
// smallIcon() at 16 pixels, drawIcon() at every other size.
PixelIcon iconOfSize(int n);
// The uninstaller's: the same house with a red minus on it, so that the two
// entries side by side in the Start menu tell apart at a glance.
PixelIcon removalIcon(const PixelIcon &icon);
QImage iconImage(const PixelIcon &icon);

} // namespace assetgen
