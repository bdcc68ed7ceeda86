#include "platform/controls.h"

#include <QApplication>

#include <QLabel>
#include <QScreen>

QFont pixelFont(const QString& family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* addLabel(QWidget* parent, int x, int y, const QString& text, const QFont& font, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(x, y);
    label->adjustSize();
    return label;
}

void centreOnScreen(QWidget* window)
{
    const QRect screen = window->screen()->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(screen.x() + (screen.width() - size.width()) / 2,
                 screen.y() + (screen.height() - size.height()) / 2);
}

void setPanelColours(QWidget* panel)
{
    QPalette face = panel->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    face.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::ButtonText));
    panel->setPalette(face);
    panel->setAutoFillBackground(true);
}
