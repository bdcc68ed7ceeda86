#pragma once
#include <QRect>
#include <QString>
#include <sys/types.h>

// A real X server (Xvfb) with a window manager (openbox) for the tests that
// look at what only a real desktop shows: window frames, titles as the window
// manager sees them. start() runs before the QApplication is made and points
// Qt at the new display; both programs end with the object.
class TestDesktop {
public:
    TestDesktop() = default;
    TestDesktop(const TestDesktop&) = delete;
    TestDesktop& operator=(const TestDesktop&) = delete;
    ~TestDesktop();

    // False, with the reason, when no X server or window manager could be
    // started; the caller then skips its tests.
    bool start(int width = 1280, int height = 1024);
    QString failure() const { return failure_; }
    QString display() const { return display_; }

    // The outer frame of a top-level window as the window manager reports it:
    // the client area's place on the screen (xwininfo) widened by the frame
    // extents the manager put on the window (_NET_FRAME_EXTENTS). An empty
    // rectangle when the window is not known to the server.
    static QRect reportedFrame(unsigned long windowId);

private:
    void stop();
    pid_t server_ = -1;
    pid_t manager_ = -1;
    QString display_;
    QString failure_;
};
