#include "platform/canvasview.h"

#include "platform/accessibility.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

CanvasView::CanvasView(QWidget* parent)
    : QWidget(parent)
{
    registerAccessibleControls();
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

void CanvasView::showCanvas()
{
    canvas_.endPainting();
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
    if (onResize)
        onResize();
    if (onDraw)
        onDraw();
}

void CanvasView::mousePressEvent(QMouseEvent* event)
{
    if (onMousePress)
        onMousePress(event);
}

void CanvasView::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove)
        onMouseMove(event);
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event)
{
    if (onMouseRelease)
        onMouseRelease(event);
}

void CanvasView::wheelEvent(QWheelEvent* event)
{
    if (onWheel) {
        onWheel(event);
        event->accept();
    } else {
        QWidget::wheelEvent(event);
    }
}
