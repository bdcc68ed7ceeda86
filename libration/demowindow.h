#pragma once
#include <functional>

#include "platform/canvasview.h"
#include "platform/form.h"

class AtlasSession;
class QAction;

// What the three libration demonstrations share: a drawing area over a status
// panel, a menu bar that starts with "Afsluiten" and ends with the
// explanation, Esc to close, and the explanation in the help viewer.
class DemoWindow : public Form {
    Q_OBJECT
public:
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void Afsluiten1Click();
    // Shows the explanation (each demonstration places it its own way).
    virtual void Toelichting1Click() = 0;

    QAction* Afsluiten1 = nullptr;
    QAction* Toelichting1 = nullptr;

protected:
    DemoWindow(AtlasSession* session, const QString& title, QWidget* parent);

    CanvasView* drawingArea() const { return drawingArea_; }
    // Puts `panel` under the drawing area, across the window.
    void addStatusPanel(QWidget* panel);
    // A command of the menu bar, after those added before.
    QAction* addMenuCommand(const QString& text, std::function<void()> handler);
    // Ends the menu bar with the explanation's command.
    void addExplanationCommand(const QString& text);
    // Covers the screen, also where no window manager honours "maximised".
    void coverScreen();

    AtlasSession* session_;

private:
    CanvasView* drawingArea_;
    class QVBoxLayout* layout_;
};
