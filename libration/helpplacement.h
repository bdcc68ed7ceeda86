#pragma once
#include <QRect>

// Places and sizes the help viewer by its outer frame, as a demonstration asks
// (Thelpdlg::keep leaves a value as the last opener left it), then moves it
// where needed so that its title bar lies on the screen.
void placeHelpViewerOnScreen(int left, int top, int width, int height);

// Where a window with outer frame `frame` goes so that its title bar lies in
// `screen`: the whole bar when the window is narrow enough, its top edge never
// above the screen nor lower than a bar's height above the bottom.
QRect withTitleBarOnScreen(const QRect& frame, const QRect& screen);
