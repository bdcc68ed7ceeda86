#include "tests/common/modaldriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>

ModalDriver::ModalDriver(QList<Step> steps)
    : steps_(std::move(steps))
{
    connect(&timer_, &QTimer::timeout, this, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (boxesOnly_ && !box)
            return;
        // A window is answered one tick after it was first seen, once it has
        // settled (a window's activation handler may still prepare it).
        if (pending_ != modal) {
            pending_ = modal;
            return;
        }
        pending_ = nullptr;
        ++seen;
        if (box) {
            texts.append(box->text());
            icons.append(box->icon());
        } else {
            texts.append(modal->windowTitle());
        }
        if (!steps_.isEmpty()) {
            steps_.takeFirst()(modal);
        } else if (box) {
            if (QAbstractButton* b = box->button(QMessageBox::Ok))
                b->click();
            else
                box->reject();
        } else {
            modal->close();
        }
    });
    timer_.start(10);
}

ModalDriver::Step answer(QMessageBox::StandardButton button)
{
    return [button](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return modal->close(), void();
        if (QAbstractButton* b = box->button(button))
            b->click();
        else
            box->reject();
    };
}

ModalDriver::Step typeAndConfirm(const QString& text)
{
    return [text](QWidget* modal) {
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            input->setTextValue(text);
            input->accept();
        } else {
            modal->close();
        }
    };
}

ModalDriver::Step cancelInput()
{
    return [](QWidget* modal) {
        if (auto* input = qobject_cast<QInputDialog*>(modal))
            input->reject();
        else
            modal->close();
    };
}

BoxDriver::BoxDriver(const QList<QMessageBox::StandardButton>& answers)
{
    boxesOnly_ = true;
    for (QMessageBox::StandardButton b : answers)
        steps_.append(answer(b));
}
