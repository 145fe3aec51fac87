// Writing the pictures out. The icon file is put together by hand, so that
// it holds exactly the 4-bit images drawn here (the background and the PNGs
// go through Qt's own writers). Every file is written whole or not at all.

#pragma once

#include "icon.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace assetgen {

// An .ico file holding the given icons, in that order.
QByteArray icoFile(const std::vector<PixelIcon> &icons);

void complain(const QString &message);
bool writeBytes(const QString &path, const QByteArray &bytes);

} // namespace assetgen
