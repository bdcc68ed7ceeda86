#pragma once
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

// Answers the modal windows that open while it lives, in order. Each step gets
// one window and closes it in its own way; a window without a step of its own
// is answered with OK (a message box) or closed. The texts of message boxes
// and the titles of other windows are kept, in order.
class ModalDriver : public QObject {
public:
    using Step = std::function<void(QWidget* modal)>;
    explicit ModalDriver(QList<Step> steps = {});
    QStringList texts;
    QList<QMessageBox::Icon> icons;
    int seen = 0;

protected:
    QList<Step> steps_;
    bool boxesOnly_ = false;

private:
    QPointer<QWidget> pending_;
    QTimer timer_;
};

// A step that presses this button of a message box.
ModalDriver::Step answer(QMessageBox::StandardButton button);
// A step that types the text into an input box and confirms it.
ModalDriver::Step typeAndConfirm(const QString& text);
// A step that cancels an input box.
ModalDriver::Step cancelInput();

// Message boxes only (other modal windows are left alone), answered with these
// buttons in order.
class BoxDriver : public ModalDriver {
public:
    explicit BoxDriver(const QList<QMessageBox::StandardButton>& answers = {});
};
