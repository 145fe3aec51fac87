#include "screenfit.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
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
    const QScreen *screen = QGuiApplication::primaryScreen();
    for (const QScreen *candidate : QGuiApplication::screens()) {
        // The pointer's place as this screen's scale maps it: off every
        // screen, another screen's scale could map it onto this one.
        if (candidate->geometry().contains(QCursor::pos(candidate)))
            screen = candidate;
    }
    centre(screen);
    window->winId(); // the native window now: Windows knows its frame from then on
    QWindow *handle = window->windowHandle();
    handle->installEventFilter(this);
    // Queued: Qt tells of the new screen before it works out the window's
    // size on it.
    connect(handle, &QWindow::screenChanged, this, &ScreenFit::screenChanged, Qt::QueuedConnection);
    centre(screen);
}

bool ScreenFit::eventFilter(QObject *watched, QEvent *event)
{
    // The window's own geometry: the widget learns of a move only after
    // this filter.
    if ((event->type() == QEvent::Expose || event->type() == QEvent::Move)
        && static_cast<QWindow *>(watched)->geometry() == m_centred && frame() != m_frame)
        centre(m_window->screen());
    return false;
}

void ScreenFit::screenChanged()
{
    if (m_window->size() != m_window->minimumSize()) {
        m_centred = QRect();
        place(m_window->geometry().marginsAdded(frame()).center(), m_window->screen());
    }
}

void ScreenFit::centre(const QScreen *screen)
{
    if (!screen)
        return;
    place(screen->availableGeometry().center(), screen);
    m_centred = m_window->geometry();
}

QMargins ScreenFit::frame() const
{
    // Asked of the window itself: the widget's own copy may date from before
    // the window manager framed it.
    const QWindow *handle = m_window->windowHandle();
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
#ifdef Q_OS_WIN
    // Windows' own frame, as it is (Wine's may lie a pixel inside the window).
    return frame;
#else
    // Until the window manager reports the frame, Qt on X11 works it out
    // from the window tree, and while the window is being framed the sums
    // can come out negative: then the last frame known stands.
    return qMin(qMin(frame.left(), frame.top()), qMin(frame.right(), frame.bottom())) < 0 ? m_frame : frame;
#endif
}

void ScreenFit::place(QPoint centre, const QScreen *screen)
{
    m_frame = frame();
    QRect wanted(QPoint(0, 0), m_window->minimumSize().grownBy(m_frame));
    wanted.moveCenter(centre);
    m_window->setGeometry(keptInside(wanted, screen->availableGeometry()).marginsRemoved(m_frame));
}

} // namespace hearthvale
