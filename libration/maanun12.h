#pragma once
#include <QMargins>

#include "astro/libration.h"
#include "platform/form.h"

class CanvasView;
class QAction;
class QLabel;

// Libration in latitude: the Moon with its inclined axis on a circular orbit
// seen obliquely from above the orbit plane; the north pole nods towards the
// Earth and away from it.
class Tlibratie2dlg : public Form {
    Q_OBJECT
public:
    explicit Tlibratie2dlg(QWidget* parent = nullptr);

    void FormPaint();
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void FormClose() override;
    void Afsluiten1Click();
    void Toelichting1Click();
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
    QAction* Afsluiten1;
    QAction* Toelichting1;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drawPolyline(const std::vector<PolyPoint>& points);
    // Right edge on the screen's right, top at its top, the screen's height,
    // 544 wide: all measured by the outer frame.
    void placeOnScreen();
    QMargins frameMargins() const;
    void takeFocusBack();
    QMargins placedWithMargins_;
    bool reclaimFocus_ = false;
    bool placing_ = false;
};
