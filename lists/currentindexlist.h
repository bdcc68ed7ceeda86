#pragma once
#include <QPoint>
#include <vector>

#include "platform/form.h"

class AtlasSession;
class ListBox;

// The current index list: the names of the view now shown, alphabetically, at
// the main window's right edge; a pick brings the feature to the middle of the
// main window.
class CurrentIndexList : public Form {
    Q_OBJECT
public:
    explicit CurrentIndexList(AtlasSession* session, QWidget* parent = nullptr);

    // Shows the window; the first time it is placed at the main window's right
    // edge, at the top of the screen. After that it stays where the user puts it.
    void showBesideMainWindow();

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void vullijst();
    // Refills an open list, so that it never shows names of another view or
    // of a table as it was.
    void refresh();
    void ListBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                           QPoint position, bool secondOfDouble);

    ListBox* ListBox1;

protected:
    bool event(QEvent* event) override;

private:
    void jumpToSelectedEntry();
    void placeAtMainWindowEdge();

    AtlasSession* session_;
    std::vector<int> entrySlots_;   // the slot each entry was filled from
    bool placed_ = false;
    bool framePlaced_ = false;
};

// The main window's keys that both index lists pass on: help, the zoom presets
// and steps of the keypad, the atlas index map and the search.
void forwardListKey(AtlasSession* session, int key, Qt::KeyboardModifiers modifiers);
