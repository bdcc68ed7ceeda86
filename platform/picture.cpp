#include "platform/picture.h"

#include "platform/accessibility.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

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

namespace {
// floor(a / b) for b > 0.
qint64 floorDiv(qint64 a, qint64 b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
}

void drawPictureScaled(QPainter& painter, const QImage& picture, QPoint origin, int scale, const QRect& exposed)
{
    if (picture.isNull() || scale < 1 || exposed.isEmpty())
        return;
    // The picture's pixels under the exposed rectangle, whole ones only.
    const qint64 left = floorDiv(qint64(exposed.left()) - origin.x(), scale);
    const qint64 top = floorDiv(qint64(exposed.top()) - origin.y(), scale);
    const qint64 right = floorDiv(qint64(exposed.right()) - origin.x(), scale);
    const qint64 bottom = floorDiv(qint64(exposed.bottom()) - origin.y(), scale);
    const QRect source = QRect(QPoint(int(std::clamp<qint64>(left, 0, picture.width())),
                                      int(std::clamp<qint64>(top, 0, picture.height()))),
                               QPoint(int(std::clamp<qint64>(right, -1, picture.width() - 1)),
                                      int(std::clamp<qint64>(bottom, -1, picture.height() - 1))));
    if (source.isEmpty())
        return;
    const QRect target(origin.x() + source.x() * scale, origin.y() + source.y() * scale, source.width() * scale,
                       source.height() * scale);
    // Without smoothing, each pixel becomes an exact square.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, picture.copy(source));
}

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    registerAccessibleControls();
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

void PictureBox::paintEvent(QPaintEvent* event)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    if (stretch_)
        painter.drawImage(rect(), image_);
    else
        drawPictureScaled(painter, image_, QPoint(0, 0), 1, event->rect());
}
