#pragma once

// The card's built-in pictures: its background and its icon.
//
// Where the build could prepare them (tools/rawimages.cpp), they are the
// pixels as the window holds them in memory, read in place from the
// program's own pages, with nothing decoded, converted or copied at start-up
// or at any paint. Elsewhere (a build for another machine) the committed PNG
// files are decoded once, with Qt GUI's own reader and no image plugin.

#include <QIcon>
#include <QImage>

namespace hearthvale {

// The background in the window's own format, top row first: "background",
// or "background@2x" with twice the pixels each way, for dense screens.
QImage cardPicture(const char *name);

// The icon at every size it is drawn in.
QIcon cardIcon();

} // namespace hearthvale
