#pragma once
#include "platform/form.h"

class CanvasView;
class QAction;
class QLabel;

// The Moon's face with its grid under a chosen libration in latitude and in
// longitude, changed with the arrow keys.
class Tmaanbeelddlg : public Form {
    Q_OBJECT
public:
    explicit Tmaanbeelddlg(QWidget* parent = nullptr);

    void FormPaint();
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void Afsluirten1Click();
    void Toelichting1Click();
    void tekenraster();

    // Set once at start; kept while the window is closed and opened again.
    double librationLongitude = 0;
    double librationLatitude = 0;

    CanvasView* PaintBox;
    QLabel* Panel1;   // status line
    QAction* Afsluiten1;
    QAction* Toelichting1;
};
