#pragma once
#include <QRect>

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
