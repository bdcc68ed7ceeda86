#pragma once
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>

// What the main window's files share: its colours, its small Arial and the
// making of its controls.
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

inline void setColours(QWidget* w, const QColor& background, const QColor& text)
{
    QPalette p = w->palette();
    if (background.isValid()) {
        p.setColor(QPalette::Window, background);
        p.setColor(QPalette::Base, background);
        w->setAutoFillBackground(true);
    }
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    w->setPalette(p);
}

// Controls carry their names, so that tests and accessibility tools find them.
template <typename T>
inline T* named(T* object, const char* name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

inline QLabel* makeLabel(QWidget* parent, const char* name, int x, int y, const QString& text)
{
    auto* l = named(new QLabel(text, parent), name);
    l->move(x, y);
    l->adjustSize();
    return l;
}
}
