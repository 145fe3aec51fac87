#include "installer.h"

#include "panels.h"

#include <QPainterPath>
#include <QRect>

namespace assetgen {

namespace {

QPainterPath roundedPanel(const QRectF &r)
{
    QPainterPath path;
    path.addRoundedRect(r, 14, 14);
    return path;
}

// Lays the plates on the whole landscape, so their shadows fall as they do
// in the window, and then cuts the picture out.
QImage cutOut(const QImage &landscape, const QRect &area, const std::vector<Plate> &plates)
{
    QImage img = landscape.copy();
    paintPlates(img, plates);
    QImage picture = img.copy(area).convertToFormat(QImage::Format_RGB888);
    picture.setDevicePixelRatio(1);
    return picture;
}

} // namespace

QImage welcomePicture(const QImage &landscape)
{
    // Houses and the crossroads, with the panels running off the edges as
    // the window's run off its own.
    const QRect area(262, 60, 164, 314);
    const double left = area.left();
    const double top = area.top();
    return cutOut(landscape, area,
                  {{roundedPanel(QRectF(left + 31, top + 5, 245, 28)), QPointF(left + 23.5, top + 18.5)},
                   {roundedPanel(QRectF(left + 8, top + 276, 337, 140)), QPointF(left + 23.5, top + 289.5)}});
}

QImage headerPicture(const QImage &landscape)
{
    // The red house by the pool, the emblem at the left.
    const QRect area(490, 258, 150, 57);
    return cutOut(landscape, area, {{QPainterPath(), QPointF(area.left() + 16.5, area.top() + 28.5)}});
}

} // namespace assetgen
