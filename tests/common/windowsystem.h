#pragma once
#include <QRect>
#include <QStringList>

class QWidget;

// What the window system does when the user picks a window: it becomes the
// active window. Null stands for a window of another application. Offscreen
// the toolkit is told so; on a desktop the window manager does it, and the
// call returns once the toolkit has heard of it.
void makeActive(QWidget* window);

// True on a real X server (the tests also run there, with a window manager).
bool onDesktop();

// On a desktop: where the window manager stacks a top-level window among the
// windows it manages, counted from the bottom; -1 when it does not manage it.
int stackingPlace(const QWidget* window);
// On a desktop: the window manager's state words of a window
// ("_NET_WM_STATE_ABOVE", ...).
QStringList windowManagerState(const QWidget* window);
// A window's outer frame as the user sees it: on a desktop as the X server
// and the window manager report it, not as the toolkit believes it.
QRect frameOnScreen(const QWidget* window);
