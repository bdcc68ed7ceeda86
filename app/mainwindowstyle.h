#pragma once
#include <QColor>
#include <QFont>

// The colours and the small Arial the main window's files share.
namespace mainwindowstyle {
inline const QColor kRed(255, 0, 0), kLime(0, 255, 0), kYellow(255, 255, 0), kSilver(192, 192, 192),
    kAqua(0, 255, 255);
inline const QColor kEarthshineGrey(40, 40, 40);

inline QFont arialPixels(int px, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}
}
