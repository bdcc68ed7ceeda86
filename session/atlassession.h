#pragma once
#include <QRect>
#include <QString>
#include <climits>

class FeatureTable;
class Form;
class QWidget;

// The main window's commands that the other windows pass on when the user
// presses their keys there (F1, F2 to F8, 4, the keypad's plus and minus,
// Ctrl + F).
enum class AtlasCommand {
    Help,
    CurrentIndex,
    TotalIndex,
    PhotoIndex,
    LandingIndex,
    DefaultSize,
    TwiceDefaultSize,
    FiveTimesDefaultSize,
    ZoomIn,
    ZoomOut,
    IndexMap,
    Search,
};

// How an explanation is shown in the help viewer.
struct HelpRequest {
    static constexpr int keep = INT_MIN;   // leaves that side of the frame as it is

    QString fileName;
    QString caption;   // empty: the viewer's own
    // The viewer's outer frame, title bar included; `keep` leaves a value.
    int left = keep, top = keep, width = keep, height = keep;
    void setFrame(const QRect& frame)
    {
        left = frame.left();
        top = frame.top();
        width = frame.width();
        height = frame.height();
    }
    enum class Mode {
        Modal,      // the opener waits until it is closed
        Modeless,   // beside the other windows
        // Beside a modal window (`owner`), which keeps the keyboard.
        BesideModal,
    } mode = Mode::Modal;
    // The window that opens it, which the viewer stays above (the main
    // window when none is named).
    QWidget* owner = nullptr;
    // When the file is not there: say so ("File … ontbreekt") and show
    // nothing, instead of the viewer's own error box.
    bool sayWhenMissing = false;
};

// What the other windows ask of the main window, which owns the run: the
// current view and its index, the selection, the views, the help and photo
// viewers. They reach it only through this, never through its controls.
class AtlasSession {
public:
    virtual ~AtlasSession() = default;

    // The index of the view now shown.
    virtual const FeatureTable& featureTable() const = 0;
    // The view now shown: 0, 1 or 2 (first quarter, full moon, last quarter);
    // -1 before the first.
    virtual int currentView() const = 0;
    // Whether "Wijzigen toestaan" is ticked.
    virtual bool changesAllowed() const = 0;

    // Makes the feature in `slot` the selected one; it is circled at the next
    // repaint.
    virtual void selectFeature(int slot) = 0;
    // Selects the feature, brings it to the middle of the main window, repaints
    // at once, circles the middle, names the feature and reads out the
    // position there.
    virtual void jumpToFeature(int slot) = 0;
    // Switches to view 0, 1 or 2 (first quarter, full moon, last quarter), also
    // when it is already shown. A failure is reported; then it gives false.
    virtual bool switchToView(int view) = 0;
    // Asks for a new name for the feature in `slot` and renames it, or deletes
    // it when the name is left empty.
    virtual void renameFeature(int slot) = 0;
    // Opens the photo viewer on a photograph file, modally.
    virtual void showPhotograph(const QString& photoFileName) = 0;
    // Runs one of the main window's commands.
    virtual void runCommand(AtlasCommand command) = 0;
    // Shows an explanation; gives the help viewer's window, or null when it
    // could not be shown.
    virtual Form* showHelp(const HelpRequest& request) = 0;

    // The main window's client area on the screen, for windows placed beside it.
    virtual QRect mainClientArea() const = 0;
    // Gives the keyboard back to the main window; a window that stays on top
    // stays where it is.
    virtual void activateMainWindow() = 0;
};
