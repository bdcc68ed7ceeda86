#pragma once
#include <QRect>
#include <QSize>

class QWidget;

// `outer` moved and, where it is larger, shrunk into `area`.
QRect fitFrameIntoArea(const QRect& outer, const QRect& area);

// Places a top-level window by its outer frame (title bar and borders
// included) within the available area of the screen it goes to, so that its
// title bar and menu bar can always be reached with the mouse. Returns the
// frame asked of the window system.
//
// A window manager decorates a window only when it is shown. Until then the
// frame this window had before is assumed (or, for a window never shown, the
// frame another window of the program got); once the real frame is known the
// window is placed again. Moves after that are the user's. With
// `keepClientSize` only the frame's place counts: the client area keeps its
// size, whatever frame it gets.
QRect placeWindowFrame(QWidget* window, const QRect& outer, bool keepClientSize = false);

// The outer frame of a top-level window as far as it is known: its client
// area widened by the frame the window manager put around it.
QRect knownWindowFrame(const QWidget* window);

// Where a window of outer size `size` goes to stand beside `inSight`, what it
// must leave in sight (another window's frame, or the part of a maximised
// window that matters), within `area`: left or right of it, on the side with
// the more room, narrowed to that room though not below `minWidth`, its top
// level with that of `inSight`; touching it, or with `atAreaEdge` at the
// area's edge on that side. Where neither side has room it goes over it, at
// the area's left or right edge, whichever covers less of it (on a tie the
// edge away from its middle, else the right one, away from the menus).
// `size` is shrunk into `area` first.
QRect frameBeside(const QRect& inSight, const QSize& size, const QRect& area, int minWidth = 0,
                  bool atAreaEdge = false);
