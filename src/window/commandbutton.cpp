#include "commandbutton.h"

#include <QPainter>
#include <qdrawutil.h>

void CommandButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool down = isDown();
    const QBrush face = palette().button();
    qDrawWinButton(&painter, rect(), palette(), down, &face);

    // A pressed caption moves down and right by one pixel, as the bevel does.
    QRect inner = rect().adjusted(3, 3, -3, -3);
    if (down)
        inner.translate(1, 1);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(inner, Qt::AlignCenter, text());

    if (hasFocus()) {
        QPen dotted(palette().color(QPalette::ButtonText), 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
    }
}
