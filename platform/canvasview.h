#pragma once
#include <QWidget>
#include <functional>

#include "platform/canvas.h"

class QMouseEvent;
class QWheelEvent;

// The painting surface of a window that paints on its own (the main window, the
// index map, the demonstrations): its picture is drawn into the canvas, which
// painting only copies to the screen, and its mouse goes to the window.
class CanvasView : public QWidget {
    Q_OBJECT
public:
    explicit CanvasView(QWidget* parent = nullptr);
    Canvas& canvas() { return canvas_; }

    // Runs when the size changed, before the picture is drawn again.
    std::function<void()> onResize;
    // Draws the whole picture into the canvas; runs after every resize.
    std::function<void()> onDraw;
    std::function<void(QMouseEvent*)> onMousePress;
    std::function<void(QMouseEvent*)> onMouseMove;
    std::function<void(QMouseEvent*)> onMouseRelease;
    std::function<void(QWheelEvent*)> onWheel;

    // Draws the picture and shows it at once.
    void repaintNow();
    // Shows at once what was drawn straight onto the canvas (it stays until
    // the next repaint).
    void showCanvas();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    Canvas canvas_;
};
