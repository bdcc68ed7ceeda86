#include "platform/form.h"

#include "platform/dialogs.h"
#include "platform/windowplacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLayout>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <memory>

Form::Form(QWidget* parent)
    : QMainWindow(parent)
    , client_(new QWidget(this))
{
    setCentralWidget(client_);
    client_->setAutoFillBackground(true);
    qApp->installEventFilter(ActivationTracker::instance());
}

Form::~Form()
{
    // Deleting a window hides it without a hide event of ours.
    auto* tracker = ActivationTracker::instance();
    if (tracker->active_ == this)
        tracker->active_ = nullptr;
}

void Form::setClientSize(int width, int height)
{
    // Before the window is first shown its client area has not been laid out
    // yet, so what the menu bar takes would be measured wrongly.
    if (QLayout* l = layout())
        l->activate();
    const int extraW = this->width() - client_->width();
    const int extraH = this->height() - client_->height();
    client_->resize(width, height);
    resize(width + qMax(0, extraW), height + qMax(0, extraH));
}

void Form::setClient(QWidget* client)
{
    client_ = client;
    setCentralWidget(client);
}

int Form::clientWidth() const { return client_->width(); }
int Form::clientHeight() const { return client_->height(); }

bool Form::FormKeyDown(int, Qt::KeyboardModifiers) { return false; }

void Form::setOuterGeometry(int left, int top, int width, int height)
{
    QRect outer = knownWindowFrame(this);
    if (left != keep)
        outer.moveLeft(left);
    if (top != keep)
        outer.moveTop(top);
    if (width != keep)
        outer.setWidth(std::max(width, 1));
    if (height != keep)
        outer.setHeight(std::max(height, 1));
    placeWindowFrame(this, outer, width == keep && height == keep);
}

QRect Form::outerGeometry() const
{
    return knownWindowFrame(this);
}

void Form::showModeless()
{
    show();
    raise();
    activateWindow();
}

int Form::showModal()
{
    // Modality takes effect when a window is shown: one that is open without
    // it (a help window opened from the menu, say) is shown anew.
    if (isVisible())
        hide();
    modalResult_ = mrNone;
    setWindowModality(Qt::ApplicationModal);
    QPointer<Form> opener = ActivationTracker::instance()->activeForm();
    QEventLoop loop;
    modalLoop_ = &loop;
    modalOpener_ = opener;
    QPointer<Form> self(this);
    show();
    raise();
    activateWindow();
    if (isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (!self)
        return mrCancel;
    modalLoop_ = nullptr;
    setWindowModality(Qt::NonModal);
    // The window below gets the focus back without a new activation.
    ActivationTracker::instance()->active_ = opener.data();
    return modalResult_;
}

void Form::setModalResult(int result)
{
    modalResult_ = result;
    if (result != mrNone && modalLoop_)
        close();
}

void Form::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
}

void Form::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (event->spontaneous())
        return;
    FormClose();
    emit closed();
    if (modalLoop_)
        modalLoop_->exit();
    auto* tracker = ActivationTracker::instance();
    // A modal window hands the focus straight back to the window below it,
    // so that window's activation that follows is not a new one.
    if (tracker->active_ == this)
        tracker->active_ = modalLoop_ ? modalOpener_.data() : nullptr;
}

void Form::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    activateOnNextActivation_ = true;
    if (isWindow() && !testAttribute(Qt::WA_ShowWithoutActivating))
        activateWindow();
    // A desktop reports the activation once the window manager has given the
    // window the focus; taking the showing for it as well would count one
    // showing twice when the reports come late. Platforms without a window
    // manager (offscreen) never report it: showing is the activation there.
    if (!showingActivates())
        return;
    QPointer<Form> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->activateOnNextActivation_ && self->isVisible()
            && (QApplication::activeWindow() == self || QApplication::activeWindow() == nullptr))
            ActivationTracker::instance()->formActivated(self);
    });
}

bool Form::showingActivates()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

int previewKeyCode(const QKeyEvent* event)
{
    // The digit keys of the top row are known by their place, not by what they
    // type: Shift + 1 types "!", and on an AZERTY keyboard the unshifted key
    // types "&". X11 numbers the keys of the row 1..9, 0 as 10..19.
    const quint32 scanCode = event->nativeScanCode();
    if (!event->modifiers().testFlag(Qt::KeypadModifier) && scanCode >= 10 && scanCode <= 19
        && QGuiApplication::platformName() == QLatin1String("xcb"))
        return scanCode == 19 ? Qt::Key_0 : int(Qt::Key_1) + int(scanCode - 10);
    return event->key();
}

ActivationTracker* ActivationTracker::instance()
{
    static auto* tracker = new ActivationTracker;
    return tracker;
}

void ActivationTracker::formActivated(Form* form)
{
    if (!form || !form->isVisible())
        return;
    if (form == active_ && !form->activateOnNextActivation_)
        return;
    // A window below a modal one cannot be the program's focused window, even
    // when the window system reports it so.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != form)
        return;
    active_ = form;
    form->activateOnNextActivation_ = false;
    QPointer<Form> self(form);
    // A file error ends the handler here and is shown; it must not unwind
    // through the toolkit, whose frames have no cleanup for exceptions.
    runReportingErrors([form] { form->FormActivate(); });
    if (self)
        emit self->activated();
}

bool ActivationTracker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        if (auto* form = qobject_cast<Form*>(watched))
            formActivated(form);
        break;
    case QEvent::KeyPress: {
        if (event == passingOn_)
            break;
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* form = widget ? qobject_cast<Form*>(widget->window()) : nullptr;
        if (!form || !form->keyPreview())
            break;
        // A key goes to the focus widget and then up to its parents; the window
        // previews it once, at its first receiver.
        QWidget* focus = QApplication::focusWidget();
        if (widget != focus && !(focus == nullptr && widget == form))
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        QPointer<QWidget> receiver(widget);
        bool consumed = false;
        runReportingErrors([&] { consumed = form->FormKeyDown(previewKeyCode(key), key->modifiers()); });
        if (consumed || !receiver)
            return true;
        // The handler may have moved the focus (a message box, say), so the key
        // is passed on as a copy this filter knows: its way up to the parents
        // must not look like a first delivery.
        const std::unique_ptr<QEvent> copy(key->clone());
        passingOn_ = copy.get();
        QCoreApplication::sendEvent(receiver, copy.get());
        passingOn_ = nullptr;
        key->accept();   // its way up is done
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
