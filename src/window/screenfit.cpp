#include "screenfit.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace hearthvale {

QRect keptInside(QRect frame, const QRect &area)
{
    // Right and bottom first, so that top and left win where it is too big.
    frame.moveRight(qMin(frame.right(), area.right()));
    frame.moveBottom(qMin(frame.bottom(), area.bottom()));
    frame.moveLeft(qMax(frame.left(), area.left()));
    frame.moveTop(qMax(frame.top(), area.top()));
    return frame;
}

ScreenFit::ScreenFit(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    window->winId(); // the native window now: Windows knows its frame from then on
    QWindow *handle = window->windowHandle();
    handle->installEventFilter(this);
    // Queued: Qt tells of the new screen before it works out the window's
    // size on it.
    connect(handle, &QWindow::screenChanged, this, &ScreenFit::screenChanged, Qt::QueuedConnection);
    place(false);
}

bool ScreenFit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose) {
        watched->removeEventFilter(this);
        if (m_window->geometry() == m_placed)
            place(false);
    }
    return false;
}

void ScreenFit::screenChanged()
{
    if (m_window->size() != m_window->minimumSize())
        place(true);
}

void ScreenFit::place(bool keepCentre)
{
    const QScreen *screen = m_window->screen();
    if (!screen)
        return;
    // Asked of the window itself: the widget's own copy may date from before
    // the window manager framed it.
    const QMargins frame = m_window->windowHandle()->frameMargins();
    QRect wanted(QPoint(0, 0), m_window->minimumSize().grownBy(frame));
    wanted.moveCenter(keepCentre ? m_window->geometry().marginsAdded(frame).center()
                                 : screen->availableGeometry().center());
    m_window->setGeometry(keptInside(wanted, screen->availableGeometry()).marginsRemoved(frame));
    m_placed = m_window->geometry();
}

} // namespace hearthvale
