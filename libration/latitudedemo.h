#pragma once
#include <QMargins>

#include "astro/libration.h"
#include "libration/demowindow.h"

#include <QPointer>

class QLabel;

// Libration in latitude: the Moon with its inclined axis on a circular orbit
// seen obliquely from above the orbit plane; the north pole nods towards the
// Earth and away from it.
class LatitudeDemo : public DemoWindow {
    Q_OBJECT
public:
    explicit LatitudeDemo(AtlasSession* session, QWidget* parent = nullptr);

    void FormPaint();
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void FormClose() override;
    // The explanation stays beside the window, which keeps the keyboard.
    void Toelichting1Click() override;
    void tekenmaan(int X, int Y, double phi);

    double dagen = 0;
    int kijkhoek = 30;
    int centrumx = 0;
    int centrumy = 0;

    CanvasView* PaintBox;
    QWidget* Panel1;
    QLabel* Label1;   // viewing angle
    QLabel* Label2;   // the north pole
    QLabel* Label3;   // days

protected:
    bool event(QEvent* event) override;

private:
    void drawPolyline(const std::vector<PolyPoint>& points);
    // Right edge on the screen's right, top at its top, the screen's height,
    // 544 wide: all measured by the outer frame.
    void placeOnScreen();
    QMargins frameMargins() const;
    QMargins placedWithMargins_;
    bool placing_ = false;
    QPointer<Form> explanation_;
};
