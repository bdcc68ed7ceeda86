#pragma once
#include "libration/demowindow.h"

class QLabel;

// The Moon's face with its grid under a chosen libration in latitude and in
// longitude, changed with the arrow keys.
class LibrationFace : public DemoWindow {
    Q_OBJECT
public:
    explicit LibrationFace(AtlasSession* session, QWidget* parent = nullptr);

    void FormPaint();
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void Toelichting1Click() override;
    void tekenraster();

    // Set once at start; kept while the window is closed and opened again.
    double librationLongitude = 0;
    double librationLatitude = 0;

    CanvasView* PaintBox;
    QLabel* Panel1;   // status line

private:
    // The Moon's face in the drawing area: its centre and radius.
    void disc(int* xc, int* yc, int* radius) const;
};
