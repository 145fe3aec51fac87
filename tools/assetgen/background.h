// The whole window background: the neighbourhood seen from above, with the
// control panels on top. The painters in scene.h each draw one kind of
// thing; this file says where each one goes and in which order they are
// laid on top of each other, shadows included.
//
// The scene is laid out in the 640 x 480 pixels the window shows it in; a
// scale of 2 draws the same scene with twice the pixels each way, for
// screens that have them, rather than blowing the small picture up.

#pragma once

#include <QImage>

namespace assetgen {

QImage renderBackground(int scale);
// The neighbourhood alone, without the panels, at the scene's pixel ratio.
QImage renderLandscape(int scale);

} // namespace assetgen
