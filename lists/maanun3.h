#pragma once
#include <QColor>
#include <QPoint>
#include <vector>

#include "platform/form.h"

class ListBox;

// The current index list: the names of the view now shown, alphabetically, at
// the main window's right edge; a pick brings the feature to the middle of the
// main window.
class Tlijstdlg : public Form {
    Q_OBJECT
public:
    explicit Tlijstdlg(QWidget* parent = nullptr);

    // Shows the window; the first time it is placed at the main window's right
    // edge, at the top of the screen. After that it stays where the user puts it.
    void showBesideMainWindow();

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void vullijst();
    void ListBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                           QPoint position, bool secondOfDouble);

    ListBox* ListBox1;

protected:
    bool event(QEvent* event) override;

private:
    void jumpToSelectedEntry();
    void placeAtMainWindowEdge();

    std::vector<int> entrySlots_;   // the slot each entry was filled from
    bool placed_ = false;
    bool framePlaced_ = false;
};

// Shared by both list windows: moves the main window's image so that the
// feature in `slot` lies at the middle, repaints it at once, circles the
// middle, names the feature and reads out the position there.
void jumpToFeature(int slot, const QString& name);
// A 36-sided circle of pen width 2 drawn straight onto the main window's
// surface; it stays until the next repaint.
void drawPickCircle(int x, int y, int radius, const QColor& colour);
// The main window's keys that both lists pass on: help, the zoom presets and
// steps of the keypad, and the atlas index map.
void forwardListKey(int key, Qt::KeyboardModifiers modifiers);
