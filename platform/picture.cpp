#include "platform/picture.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* widget, std::function<void()> handler)
        : QObject(widget)
        , widget_(widget)
        , handler_(std::move(handler))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != widget_)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton)
                return false;
            pressed_ = widget_->childAt(mouse->position().toPoint()) == nullptr;
            return pressed_;
        }
        case QEvent::MouseButtonDblClick:
            // A double click is one click and a double click, not two clicks.
            pressed_ = false;
            return false;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || !pressed_)
                return false;
            pressed_ = false;
            if (widget_->rect().contains(mouse->position().toPoint()))
                handler_();
            return true;
        }
        default:
            return false;
        }
    }

private:
    QWidget* widget_;
    std::function<void()> handler_;
    bool pressed_ = false;
};
}

void onClick(QWidget* widget, std::function<void()> handler)
{
    new ClickFilter(widget, std::move(handler));
}

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
}

void PictureBox::setPicture(const QImage& image)
{
    image_ = image;
    update();
}

void PictureBox::setStretch(bool stretch)
{
    stretch_ = stretch;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    if (stretch_)
        painter.drawImage(rect(), image_);
    else
        painter.drawImage(0, 0, image_);
}
