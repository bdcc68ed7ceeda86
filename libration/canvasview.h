#pragma once
#include <QWidget>
#include <functional>

#include "platform/canvas.h"

// A drawing area of a demonstration: its picture is drawn into the canvas,
// which painting only copies to the screen.
class CanvasView : public QWidget {
    Q_OBJECT
public:
    explicit CanvasView(QWidget* parent = nullptr);
    Canvas& canvas() { return canvas_; }
    // Draws the whole picture into the canvas; runs after every resize.
    std::function<void()> onDraw;
    // Draws the picture and shows it at once.
    void repaintNow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Canvas canvas_;
};

// A panel in the default colour of panels, as the status lines have.
void setPanelColours(QWidget* panel);
