#pragma once
#include "astro/atlasmap.h"
#include "platform/canvasview.h"
#include "platform/form.h"

#include <QMargins>
#include <QRect>

class AtlasSession;
class QAction;
class QLabel;
class QMenu;

// The index map of the printed atlas: its sheets on the Moon disc, dragged and
// scrolled, at half or full size, with a grid, a coordinate read-out and the
// sheet choice.
class AtlasMap : public Form {
    Q_OBJECT
public:
    static constexpr int OuterWidth = 295;
    static constexpr int OuterHeight = 200;
    static constexpr int OuterTop = 40;

    explicit AtlasMap(AtlasSession* session, QWidget* parent = nullptr);

    void OpenFile(const QString& fileName);

    void FormPaint();
    void tekenraster();
    void repaintNow();
    void FormMouseDown(int x, int y);
    void FormMouseUp(Qt::MouseButton button, int x, int y);
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void FormResize();

    // Menu bar and pop-up commands.
    void Afsluiten1Click();
    void half1Click();
    void Raster1Click();
    void Hintaanuit1Click();
    void Kaartkeuze1Click();
    void Toelichting1Click();

signals:
    // "Kaartkeuze": the sheet choice is to be shown.
    void sheetChoiceAsked();

public:
    // Puts the index picture's point (px, py) under the middle of the client
    // area at the scale in force, and repaints.
    void centrePicturePoint(double px, double py);

    void setVisible(bool visible) override;

    AtlasPlacement placement() const { return {atlasScale, atlasOriginX, atlasOriginY}; }
    Canvas& canvas() { return surface_->canvas(); }
    CanvasView* surface() const { return surface_; }

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

    AtlasSession* session_;
    CanvasView* surface_;
    bool hintsOn_ = true;
    bool placed_ = false;
};
