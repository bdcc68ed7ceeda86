#include "libration/canvasview.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

CanvasView::CanvasView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void CanvasView::repaintNow()
{
    canvas_.resize(width(), height());
    if (onDraw)
        onDraw();
    repaint();
}

void CanvasView::paintEvent(QPaintEvent* event)
{
    canvas_.endPainting();
    QPainter painter(this);
    const QRect r = event->rect();
    painter.drawImage(r, canvas_.image(), r);
}

void CanvasView::resizeEvent(QResizeEvent*)
{
    canvas_.resize(width(), height());
    if (onDraw)
        onDraw();
}

void setPanelColours(QWidget* panel)
{
    QPalette face = panel->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    face.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::ButtonText));
    panel->setPalette(face);
    panel->setAutoFillBackground(true);
}
