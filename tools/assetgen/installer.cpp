#include "installer.h"

#include "panels.h"

#include <QPainterPath>
#include <QRect>

namespace assetgen {

namespace {

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
    // The window's two plates, the lower one raised to fit the page.
    const QRect area(262, 60, 164, 314);
    const QPointF upper(area.left(), area.top());
    const QPointF lower = upper - QPointF(0, 89);
    return cutOut(landscape, area,
                  {{panelPath(kUpperPanel.translated(upper)), kEmblemCentres[0] + upper},
                   {panelPath(kLowerPanel.translated(lower)), kEmblemCentres[1] + lower}});
}

QImage headerPicture(const QImage &landscape)
{
    // The red house by the pool, the emblem at the left.
    const QRect area(490, 258, 150, 57);
    return cutOut(landscape, area, {{QPainterPath(), QPointF(area.left() + 16.5, area.top() + 28.5)}});
}

} // namespace assetgen
