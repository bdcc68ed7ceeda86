#pragma once
#include <vector>

#include "data/indexlists.h"
#include "platform/form.h"

class AtlasSession;
class ListBox;
class QFontMetrics;

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
    // the middle (`jump`), or only selects them; gives the slots found.
    std::vector<int> pickEntry(const QString& line, bool jump);

    AtlasSession* session_;
    TotalIndexMode shownMode_ = TotalIndexMode::None;
};

// A pick of a feature of any view, from the total index or the search: the
// main window switches to `view` and selects the features of that name there;
// `jump` brings each in turn to the middle with the pick circle. Gives their
// slots; none when the view could not be switched to.
std::vector<int> pickInView(AtlasSession* session, int view, const QString& name, bool jump);

// A line of the total index as it fits in `width`: a name too long loses its
// middle to an ellipsis, so that the view's tag is always seen.
QString shownTotalIndexLine(const QString& line, const QFontMetrics& metrics, int width);
