#include "platform/cursor.h"

#include <QBitmap>
#include <QPainter>

const QCursor& crossCursor()
{
    static const QCursor cursor = [] {
        // Bitmap 1 = black, mask 1 = drawn; white is bitmap 0 with mask 1.
        QBitmap bits(32, 32), mask(32, 32);
        bits.fill(Qt::color0);
        mask.fill(Qt::color0);
        QPainter m(&mask);
        m.setPen(Qt::color1);
        m.drawLine(0, 16, 31, 16);
        m.drawLine(16, 0, 16, 31);
        m.drawLine(0, 13, 0, 19);
        m.drawLine(31, 13, 31, 19);
        m.drawLine(13, 0, 19, 0);
        m.drawLine(13, 31, 19, 31);
        m.end();
        return QCursor(bits, mask, 16, 16);
    }();
    return cursor;
}
