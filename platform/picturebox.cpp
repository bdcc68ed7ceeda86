#include "platform/picturebox.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

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
}

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    drawPictureScaled(painter, picture_, QPoint(0, 0), 1, event->rect());
}
