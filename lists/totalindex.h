#pragma once
#include "data/indexlists.h"
#include "platform/form.h"

class AtlasSession;
class ListBox;

// The total index: the features of all three views as their index files hold
// them (all, only those with a photograph, or only landing sites), each tagged
// with its view; a pick switches to that view and brings the feature to the
// middle of the main window.
class TotalIndex : public Form {
    Q_OBJECT
public:
    explicit TotalIndex(AtlasSession* session, QWidget* parent = nullptr);

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    // Rebuilds the list in the mode of totalIndexMode from the three index
    // files. A damaged file throws FileError; the list and the caption then
    // stay as they were.
    void vullijst();
    // What the main window's commands do: set the mode, fill, then show. A
    // fill that fails is reported and the window is not shown.
    bool fillAndShow(TotalIndexMode mode);
    // Gives the list the keyboard.
    void focusList();
    // Reads the files again while the window is open (they change when the
    // main window saves an index).
    void refresh();
    void ListBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                           QPoint position, bool secondOfDouble);

    TotalIndexMode totalIndexMode = TotalIndexMode::None;
    bool totalListFilled = false;
    ListBox* ListBox1;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void jumpToSelectedEntry();
    // Switches to the entry's view and brings the features of that name to
    // the middle (`jump`), or only selects them.
    void pickEntry(const QString& line, bool jump);

    AtlasSession* session_;
    TotalIndexMode shownMode_ = TotalIndexMode::None;
};
