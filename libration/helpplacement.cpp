#include "libration/helpplacement.h"

#include <QApplication>
#include <QScreen>
#include <algorithm>

#include "app/windows.h"
#include "viewers/maanun5.h"

namespace {
// Enough of a frame's top to grab it by its title.
constexpr int TitleBarHeight = 40;
}

QRect withTitleBarOnScreen(const QRect& frame, const QRect& screen)
{
    QRect r = frame;
    const int maxLeft = std::max(screen.left(), screen.right() + 1 - r.width());
    r.moveLeft(std::clamp(r.left(), screen.left(), maxLeft));
    const int maxTop = std::max(screen.top(), screen.bottom() + 1 - TitleBarHeight);
    r.moveTop(std::clamp(r.top(), screen.top(), maxTop));
    return r;
}

void placeHelpViewerOnScreen(int left, int top, int width, int height)
{
    if (!helpdlg)
        return;
    helpdlg->setOuterGeometry(left, top, width, height);
    const QRect placed = helpdlg->outerGeometry();
    const QRect onScreen = withTitleBarOnScreen(placed, QApplication::primaryScreen()->availableGeometry());
    if (onScreen.topLeft() != placed.topLeft())
        helpdlg->setOuterGeometry(onScreen.left(), onScreen.top(), Thelpdlg::keep, Thelpdlg::keep);
}
