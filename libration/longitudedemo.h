#pragma once
#include "astro/libration.h"
#include "libration/demowindow.h"

#include <QSize>

class QLabel;
class QWidget;

// Libration in longitude: the Moon on its elliptical orbit seen from above the
// north poles, stepped through one anomalistic month, or the whole orbit at once.
class LongitudeDemo : public DemoWindow {
    Q_OBJECT
public:
    explicit LongitudeDemo(AtlasSession* session, QWidget* parent = nullptr);

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void Maakmaanbaan();
    void tekenmaan(int x, int y);
    void PaintBox1Paint();

    void Stapsgewijs1Click();
    void Totaal1Click();
    void Toelichting1Click() override;

    LongitudeModel model;
    int middenx = 0;
    int middeny = 0;
    int stap = 0;
    bool totaal = false;
    OrbitTable maanbaan{};
    double libratiehoek = 0;

    CanvasView* PaintBox1;
    QWidget* Panel1;              // the information lines
    QLabel* Label[6];             // Label1 .. Label5 and the distance
    QLabel* Panel2;               // status line
    QAction* Stapsgewijs1;
    QAction* Totaal1;

private:
    void setCentre();
    void showStep();
    // What the drawing takes of the drawing area: the orbit, the Earth and
    // the words at the orbit's ends.
    QRect drawingExtent();
    QSize centredFor_;
};
