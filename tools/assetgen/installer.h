// The installer's own pictures, so that it looks like the program it
// installs: slices of the neighbourhood with the window's panels and emblem
// on them. The welcome and finish pages show a tall one down their left
// side, the other pages a small one in their header; the sizes are the
// ones the installer's pages are laid out for.

#pragma once

#include <QImage>

namespace assetgen {

// 164 x 314: a narrow slice of the window, its two panels included.
QImage welcomePicture(const QImage &landscape);
// 150 x 57: the emblem on a strip of gardens.
QImage headerPicture(const QImage &landscape);

} // namespace assetgen
