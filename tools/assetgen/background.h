// The whole window background: the neighbourhood seen from above, with the
// control panels on top. The painters in scene.h each draw one kind of
// thing; this file says where each one goes and in which order they are
// laid on top of each other, shadows included.

#pragma once

#include <QImage>

namespace assetgen {

QImage renderBackground();

} // namespace assetgen
