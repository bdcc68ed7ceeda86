#include "platform/windowplacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QList>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// The frame the window manager last put around any window of the program:
// the best guess for a window that has never been shown.
QMargins lastSeenMargins;

QMargins reportedMargins(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    return handle && window->isVisible() ? handle->frameMargins() : QMargins();
}

// Keeps a window at the frame it was given until the window manager has
// decorated it: only then does the frame's real size become known.
class FramePlacer : public QObject {
public:
    explicit FramePlacer(QWidget* window)
        : QObject(window)
        , window_(window)
    {
        window->installEventFilter(this);
    }

    static FramePlacer* of(const QWidget* window)
    {
        for (QObject* child : window->children())
            if (auto* placer = dynamic_cast<FramePlacer*>(child))
                return placer;
        return nullptr;
    }

    void place(const QRect& frame, bool keepClientSize)
    {
        target_ = frame;
        keepClientSize_ = keepClientSize;
        clientSize_ = window_->size();
        staleReports_ = 0;
        apply();
    }

    QMargins margins() const { return known_ ? margins_ : lastSeenMargins; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            // The decorated frame arrives with the native window's exposure,
            // which the widget does not see.
            if (QWindow* handle = window_->windowHandle(); handle && handle != watchedHandle_) {
                handle->installEventFilter(this);
                watchedHandle_ = handle;
            }
            frameMayHaveChanged();
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Expose:
            frameMayHaveChanged();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void apply()
    {
        applied_ = margins();
        if (keepClientSize_)
            target_.setSize(clientSize_.grownBy(applied_));
        // The client area's place: the window system puts it exactly there,
        // whatever Qt believes the frame to be at this moment.
        const QRect client = target_.marginsRemoved(applied_);
        if (asked_.isEmpty() || asked_.last() != client)
            asked_.append(client);
        if (asked_.size() > 4)
            asked_.removeFirst();
        window_->setGeometry(client);
    }

    void frameMayHaveChanged()
    {
        // No frame reported: not decorated yet, or a platform without frames.
        const QMargins m = reportedMargins(window_);
        if (m.isNull())
            return;
        // Measured against a frame of the window's former size while the
        // manager reframes it, the toolkit may report a frame that is
        // negative, or larger than the window: placing by it would make the
        // window twice the screen's size. Only a frame that can be is taken.
        const QSize size = window_->size();
        if (m.left() < 0 || m.top() < 0 || m.right() < 0 || m.bottom() < 0
            || m.left() + m.right() >= size.width() || m.top() + m.bottom() >= size.height())
            return;
        margins_ = m;
        known_ = true;
        lastSeenMargins = m;
        // While the manager frames a window the toolkit may report a frame
        // of the right total size but split wrongly (all of it on the right
        // and at the bottom), and the right one after it: a frame other than
        // the one the window was placed for places it again, also after it
        // seemed settled. The user's own moves keep the frame's size, so they
        // are left alone.
        if (m != applied_) {
            apply();
            return;
        }
        // The window system may report a place asked for before after the
        // one asked for since (a frame placed by a wrong split, then placed
        // right): that is no move of the user's.
        // A window manager that keeps putting it back is left to do so.
        const QRect now = window_->geometry();
        if (!asked_.isEmpty() && now != asked_.last() && asked_.contains(now) && staleReports_++ < 3)
            apply();
    }

    QWidget* window_;
    QPointer<QWindow> watchedHandle_;
    QRect target_;
    QMargins margins_;
    QMargins applied_;
    bool known_ = false;
    bool keepClientSize_ = false;
    QSize clientSize_;
    QList<QRect> asked_;   // the client places asked for, the last one last
    int staleReports_ = 0;
};

QScreen* screenFor(const QWidget* window, const QRect& outer)
{
    if (QScreen* s = QGuiApplication::screenAt(outer.center()))
        return s;
    if (QScreen* s = window->screen())
        return s;
    return QGuiApplication::primaryScreen();
}

} // namespace

QRect fitFrameIntoArea(const QRect& outer, const QRect& area)
{
    if (area.isEmpty())
        return outer;
    const int width = std::clamp(outer.width(), 1, area.width());
    const int height = std::clamp(outer.height(), 1, area.height());
    const int left = std::clamp(outer.left(), area.left(), area.left() + area.width() - width);
    const int top = std::clamp(outer.top(), area.top(), area.top() + area.height() - height);
    return {left, top, width, height};
}

QRect placeWindowFrame(QWidget* window, const QRect& outer, bool keepClientSize)
{
    const QScreen* screen = screenFor(window, outer);
    const QRect frame = fitFrameIntoArea(outer, screen ? screen->availableGeometry() : QRect());
    FramePlacer* placer = FramePlacer::of(window);
    if (!placer)
        placer = new FramePlacer(window);
    placer->place(frame, keepClientSize);
    return frame;
}

QRect knownWindowFrame(const QWidget* window)
{
    const FramePlacer* placer = FramePlacer::of(window);
    // A window not yet decorated is assumed to get the frame the others got.
    const QMargins m = placer ? placer->margins() : window->isVisible() ? reportedMargins(window) : lastSeenMargins;
    return window->geometry().marginsAdded(m);
}

QRect frameBeside(const QRect& inSight, const QSize& size, const QRect& area, int minWidth, bool atAreaEdge)
{
    if (area.isEmpty())
        return QRect(inSight.topLeft(), size);
    const int width = std::clamp(size.width(), 1, area.width());
    const int height = std::clamp(size.height(), 1, area.height());
    const int narrowest = std::clamp(minWidth, 1, width);
    const int top = std::clamp(inSight.top(), area.top(), area.bottom() + 1 - height);
    const int roomLeft = inSight.left() - area.left();
    const int roomRight = area.right() - inSight.right();
    for (const bool right : {roomRight >= roomLeft, roomRight < roomLeft}) {
        const int room = right ? roomRight : roomLeft;
        if (room < narrowest)
            continue;
        const int w = std::min(width, room);
        int left = 0;
        if (right)
            left = atAreaEdge ? area.right() + 1 - w : inSight.right() + 1;
        else
            left = atAreaEdge ? area.left() : inSight.left() - w;
        return {left, top, w, height};
    }
    const QRect atLeft(area.left(), top, width, height);
    const QRect atRight(area.right() + 1 - width, top, width, height);
    auto covered = [&inSight](const QRect& r) {
        const QRect c = r.intersected(inSight);
        return qint64(c.width()) * c.height();
    };
    const qint64 left = covered(atLeft), right = covered(atRight);
    if (left != right)
        return left < right ? atLeft : atRight;
    return inSight.center().x() > area.center().x() ? atLeft : atRight;
}
