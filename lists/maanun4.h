#pragma once
#include "app/sharedstate.h"
#include "platform/form.h"

class ListBox;

// The total index: the features of all three views as their index files hold
// them (all, only those with a photograph, or only landing sites), each tagged
// with its view; a pick switches to that view and brings the feature to the
// middle of the main window.
class Ttotaaldlg : public Form {
    Q_OBJECT
public:
    explicit Ttotaaldlg(QWidget* parent = nullptr);

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    // Rebuilds the list in the mode of shared().totalIndexMode from the three
    // index files. A damaged file throws FileError; the list and the caption
    // then stay as they were.
    void vullijst();
    // What the main window's commands do after setting the mode: fill, then
    // show. A fill that fails is reported and the window is not shown.
    bool fillAndShow();
    void ListBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                           QPoint position, bool secondOfDouble);

    bool totalListFilled = false;
    ListBox* ListBox1;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void jumpToSelectedEntry();
    TotalIndexMode shownMode_ = TotalIndexMode::None;
};

// Switches the main window to view 0, 1 or 2 (first quarter, full moon, last
// quarter). A failure is reported; then it gives false.
bool switchMainWindowToView(int view);
