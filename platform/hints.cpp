#include "platform/hints.h"

#include <QApplication>
#include <QProxyStyle>

namespace {
int g_pause = 700, g_shortPause = 100, g_hidePause = 10000;

class HintStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return g_pause;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return g_shortPause;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
}

void setHintTiming(int pause, int shortPause, int hidePause)
{
    g_pause = pause;
    g_shortPause = shortPause;
    g_hidePause = hidePause;
    if (!dynamic_cast<HintStyle*>(QApplication::style()))
        QApplication::setStyle(new HintStyle(QApplication::style()->name()));
}

int hintHidePause()
{
    return g_hidePause;
}
