#include "commandbutton.h"

#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    // QPushButton takes Return only when it is a default button; here the
    // focused button answers it, once per key press, not per auto-repeat.
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The button's direction, not the application's: on its own a painter
    // would set "Generate!" right to left as "!Generate" under -reverse.
    painter.setLayoutDirection(layoutDirection());
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
