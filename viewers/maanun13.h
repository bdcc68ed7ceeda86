#pragma once
#include "astro/atlasmap.h"
#include "platform/canvas.h"
#include "platform/form.h"

#include <QMargins>
#include <QRect>

class QAction;
class QLabel;
class QMenu;
class AtlasSurface;

// The index map of the printed atlas: its sheets on the Moon disc, dragged and
// scrolled, at half or full size, with a grid, a coordinate read-out and the
// sheet choice.
class Tatlas2dlg : public Form {
    Q_OBJECT
public:
    static constexpr int OuterWidth = 295;
    static constexpr int OuterHeight = 200;
    static constexpr int OuterTop = 40;

    explicit Tatlas2dlg(QWidget* parent = nullptr);

    void OpenFile(const QString& fileName);

    void FormPaint();
    void tekenraster();
    void repaintNow();
    void FormMouseDown(int x, int y);
    void FormMouseUp(Qt::MouseButton button, int x, int y);
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void FormResize();
    void FormClose() override;

    // Menu bar and pop-up commands.
    void Afsluiten1Click();
    void half1Click();
    void Raster1Click();
    void Hintaanuit1Click();
    void Kaartkeuze1Click();
    void Toelichting1Click();

    // Puts the index picture's point (px, py) under the middle of the client
    // area at the scale in force, and repaints.
    void centrePicturePoint(double px, double py);

    void setVisible(bool visible) override;

    AtlasPlacement placement() const { return {atlasScale, atlasOriginX, atlasOriginY}; }
    Canvas& canvas() { return canvas_; }
    AtlasSurface* surface() const { return surface_; }

    // The viewer's state, kept for the whole run.
    double atlasScale = 0.5;
    bool atlasHalfSize = true;
    int atlasOriginX = 0;
    int atlasOriginY = 0;
    bool atlasGridOn = false;
    int atlasPressX = 0;
    int atlasPressY = 0;
    ScaledPicture Image1;   // the index picture; empty when it could not be loaded

    QAction *Afsluiten1 = nullptr, *half1 = nullptr, *Raster1 = nullptr, *Kaartkeuze1 = nullptr,
            *Toelichting1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction *Hintaanuit1 = nullptr, *half2 = nullptr, *Raster2 = nullptr;
    QLabel* Panel1 = nullptr;   // the read-out

private:
    void moveOrigin(int dx, int dy);

    AtlasSurface* surface_;
    Canvas canvas_;
    bool hintsOn_ = true;
    bool placed_ = false;
};

// The viewer's client area: shows the canvas and passes the mouse on.
class AtlasSurface : public QWidget {
    Q_OBJECT
public:
    explicit AtlasSurface(Tatlas2dlg* form);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    Tatlas2dlg* form_;
};
