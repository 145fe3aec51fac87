#pragma once

// Keeps a fixed-size window whole on whichever screen it is on.
//
// At its first showing the window, frame and all, is centred on the screen
// under the pointer, where the user has just started it, or else on the
// primary screen, as Qt centres a window it places itself; not on whichever
// screen holds the window's first, unplaced geometry. It is placed before
// its native window is made, so that it is made on that screen and at that
// screen's scale. Where it is larger than the screen's free area, its
// frame's top left is kept on that area, so that the title bar and the
// close box can be reached.
//
// Windows knows a window's frame before showing it; an X11 window manager
// adds the frame only as it maps the window, and some (fluxbox) report it
// only after the window is first exposed. So the window is centred again
// whenever Qt learns of another frame while the window is still where it
// was centred; once something else (Qt's -qwindowgeometry, the window
// manager, the user) has moved it, it stays where they put it.
//
// Qt 6.4 on X11 keeps a window's size in device pixels when the window moves
// to a screen of another scale: outside Windows, QGuiApplicationPrivate::
// processWindowScreenChangedEvent only works its size in the window's own
// pixels out anew (a bare fixed-size QWidget does the same). A fixed-size
// window then shows a quarter of itself on a screen of twice the scale, and
// its size hints keep the old size, so the window manager will not let it
// grow. So on a change of screen the window is given its fixed size again,
// which resizes it in device pixels and renews the hints; around its centre,
// which decides its screen, so that it does not bounce back across the edge.
// Qt's Windows plugin resizes the window itself on WM_DPICHANGED, which also
// comes as a change of screen; there the size is already right and nothing
// is done.

#include <QMargins>
#include <QObject>
#include <QRect>

class QScreen;
class QWidget;

namespace hearthvale {

// The frame moved into the area: wholly where it fits, and otherwise with
// its top left on the area.
QRect keptInside(QRect frame, const QRect &area);

class ScreenFit : public QObject
{
public:
    // The window must have a fixed size; it owns the ScreenFit. Called
    // before the window first shows, and places it.
    explicit ScreenFit(QWidget *window);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMargins frame() const;
    void centre(const QScreen *screen);
    // Its frame centred on centre, kept inside the screen's free area.
    void place(QPoint centre, const QScreen *screen);
    void screenChanged();

    QWidget *m_window;
    QRect m_centred; // where it was centred, without its frame
    QMargins m_frame; // the frame it was last placed with
};

} // namespace hearthvale
