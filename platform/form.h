#pragma once
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <climits>

class QKeyEvent;

// The key a window's FormKeyDown sees: the event's key, except that the digit
// keys of the top row give Qt::Key_0..Key_9 with any modifier and any layout.
int previewKeyCode(const QKeyEvent* event);

// Base of the program's fifteen windows. The client area is the central widget;
// controls are placed on it at fixed client positions.
class Form : public QMainWindow {
    Q_OBJECT
public:
    enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    QWidget* client() const { return client_; }
    void setClientSize(int width, int height);
    int clientWidth() const;
    int clientHeight() const;

    // The window sees every key before the focused control; returning true
    // consumes it.
    virtual bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Runs when the window becomes the program's focused window anew.
    virtual void FormActivate() {}
    // Runs when the window is closed (hidden).
    virtual void FormClose() {}
    // Closing may be refused (the main window asks first).
    virtual bool FormCloseQuery() { return true; }

    // Leaves a value of setOuterGeometry as it is.
    static constexpr int keep = INT_MIN;
    // Places and sizes the window by its outer frame, title bar included,
    // within the screen's available area; `keep` leaves a value as it is. The
    // frame is known only once the window system has decorated the window; it
    // is placed again then.
    void setOuterGeometry(int left, int top, int width, int height);
    QRect outerGeometry() const;

    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }

    // Shows the window beside the others, on top and active.
    void showModeless();
    // Shows the window modally and returns its modal result when it is hidden.
    int showModal();
    bool isShownModally() const { return modalLoop_ != nullptr; }
    int modalResult() const { return modalResult_; }
    // Setting a result other than mrNone closes a modal window.
    void setModalResult(int result);

signals:
    // After FormActivate and FormClose, for the windows that follow this one.
    void activated();
    void closed();

protected:
    // Replaces the plain client widget by one of the window's own.
    void setClient(QWidget* client);
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Whether the platform leaves it to the program to take a window that is
    // shown as activated (no window manager reports it).
    static bool showingActivates();

    friend class ActivationTracker;
    QWidget* client_;
    bool keyPreview_ = true;
    int modalResult_ = mrNone;
    class QEventLoop* modalLoop_ = nullptr;
    QPointer<Form> modalOpener_;
    bool activateOnNextActivation_ = false;
};

// The program's activation rule, kept in one place: a window's FormActivate runs
// when it is shown and when the user comes back to it from another of the
// program's windows; not when a modal window it opened closes, not when one of
// its own helper dialogs closes, not when the user returns from another
// application. Installed once as an application-wide event filter; also sends
// each key to the window's FormKeyDown first (key preview).
class ActivationTracker : public QObject {
    Q_OBJECT
public:
    static ActivationTracker* instance();
    Form* activeForm() const { return active_; }
    // What the window system reports: `form` became the active window.
    void formActivated(Form* form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class Form;
    Form* active_ = nullptr;
    QEvent* passingOn_ = nullptr;   // a previewed key on its way to the controls
};
