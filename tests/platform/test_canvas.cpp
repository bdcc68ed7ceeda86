#include <QtTest>

#include "platform/canvas.h"

#include <QElapsedTimer>
#include <functional>

namespace {
const QRgb black = qRgb(0, 0, 0);
const QRgb red = qRgb(255, 0, 0);
const QRgb blue = qRgb(0, 0, 255);
const QRgb white = qRgb(255, 255, 255);

Canvas blackCanvas(int w, int h)
{
    Canvas c;
    c.resize(w, h);
    c.fill(Qt::black);
    c.penColor = QColor(red);
    return c;
}

Canvas blackCanvasWith(int w, int h, int left, int top, int right, int bottom, const ScaledPicture& pic)
{
    Canvas c = blackCanvas(w, h);
    c.stretchDraw(left, top, right, bottom, pic);
    c.endPainting();
    return c;
}

// The pixels of one colour, as a sorted list of points.
QList<QPoint> pixelsOf(const Canvas& c, QRgb colour)
{
    QList<QPoint> out;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) == colour)
                out.append(QPoint(x, y));
    return out;
}

bool anyPixel(const Canvas& c, QRgb colour, const std::function<bool(int, int)>& where)
{
    for (const QPoint& p : pixelsOf(c, colour))
        if (where(p.x(), p.y()))
            return true;
    return false;
}

QImage pattern(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 4) & 255, (y * 5) & 255, (x * y) & 255));
    return img;
}
}

class TestCanvas : public QObject {
    Q_OBJECT
private slots:
    void linesLeaveOutTheirEndPoint()
    {
        Canvas c = blackCanvas(80, 60);
        c.line(10, 10, 15, 10);
        c.line(15, 20, 10, 20);
        c.line(40, 5, 40, 9);
        c.line(0, 30, 5, 35);
        for (int x = 10; x <= 14; ++x)
            QCOMPARE(c.pixel(x, 10), red);
        QCOMPARE(c.pixel(15, 10), black);
        QCOMPARE(c.pixel(9, 10), black);
        for (int x = 11; x <= 15; ++x)
            QCOMPARE(c.pixel(x, 20), red);
        QCOMPARE(c.pixel(10, 20), black);
        QCOMPARE(c.pixel(40, 8), red);
        QCOMPARE(c.pixel(40, 9), black);
        QCOMPARE(c.pixel(4, 34), red);
        QCOMPARE(c.pixel(5, 35), black);
        QCOMPARE(pixelsOf(c, red).size(), 5 + 5 + 4 + 5);

        // A cross of half-size h spans 2h + 1 pixels each way.
        Canvas x = blackCanvas(40, 40);
        for (int h : {2, 3}) {
            x.fill(Qt::black);
            x.line(20 - h, 20, 20 + h + 1, 20);
            x.line(20, 20 - h, 20, 20 + h + 1);
            const QList<QPoint> p = pixelsOf(x, red);
            QCOMPARE(p.size(), 4 * h + 1);
            int minX = 99, maxX = 0, minY = 99, maxY = 0;
            for (const QPoint& q : p) {
                minX = std::min(minX, q.x()); maxX = std::max(maxX, q.x());
                minY = std::min(minY, q.y()); maxY = std::max(maxY, q.y());
            }
            QCOMPARE(maxX - minX + 1, 2 * h + 1);
            QCOMPARE(maxY - minY + 1, 2 * h + 1);
        }

        // A closed polyline: every corner is the start of the next side.
        Canvas s = blackCanvas(50, 50);
        s.moveTo(20, 20);
        s.lineTo(30, 20);
        s.lineTo(30, 30);
        s.lineTo(20, 30);
        s.lineTo(20, 20);
        QCOMPARE(pixelsOf(s, red).size(), 40);
        for (const QPoint& corner : {QPoint(20, 20), QPoint(30, 20), QPoint(30, 30), QPoint(20, 30)})
            QCOMPARE(s.pixel(corner.x(), corner.y()), red);

        // A line of no length and a pen that draws nothing leave no pixel.
        Canvas n = blackCanvas(20, 20);
        n.line(5, 5, 5, 5);
        n.penClear = true;
        n.line(0, 10, 19, 10);
        QVERIFY(pixelsOf(n, red).isEmpty());
    }

    void longLinesAreClippedAndKeepTheRule()
    {
        Canvas c = blackCanvas(80, 60);
        // From far outside to a point inside: the end point is still left out.
        c.line(-100000, 30, 40, 30);
        QCOMPARE(c.pixel(0, 30), red);
        QCOMPARE(c.pixel(39, 30), red);
        QCOMPARE(c.pixel(40, 30), black);
        QCOMPARE(c.pixel(39, 29), black);
        QCOMPARE(c.pixel(39, 31), black);
        // Across the whole surface, and wholly beside it.
        c.line(20, -16000000, 20, 16000000);
        for (int y = 0; y < 60; y += 7)
            QCOMPARE(c.pixel(20, y), red);
        QCOMPARE(c.pixel(19, 10), black);
        c.line(-16000000, -5, 16000000, -5);
        c.line(100, -1000000, 100, 1000000);
        QCOMPARE(pixelsOf(c, red).size(), 40 + 60 - 1);

        // A wider pen covers its width.
        Canvas w = blackCanvas(40, 40);
        w.penWidth = 3;
        w.line(5, 20, 30, 20);
        QCOMPARE(w.pixel(15, 19), red);
        QCOMPARE(w.pixel(15, 21), red);
        QCOMPARE(w.pixel(15, 23), black);
    }

    void arcHalvesAndDirectionPoints()
    {
        // The circle inscribed in (10,10)-(90,90): centre (50,50), radius 40.
        Canvas right = blackCanvas(100, 100);
        right.arc(10, 10, 90, 90, 50, 150, 50, -50);   // from down to up, counter-clockwise
        QCOMPARE(right.pixel(90, 50), red);
        QCOMPARE(right.pixel(50, 90), red);
        QCOMPARE(right.pixel(50, 10), red);
        QCOMPARE(right.pixel(10, 50), black);
        QVERIFY(!anyPixel(right, red, [](int x, int) { return x < 49; }));

        Canvas left = blackCanvas(100, 100);
        left.arc(10, 10, 90, 90, 50, -50, 50, 150);
        QCOMPARE(left.pixel(10, 50), red);
        QCOMPARE(left.pixel(90, 50), black);
        QVERIFY(!anyPixel(left, red, [](int x, int) { return x > 51; }));

        // Corners in either order draw the same.
        Canvas swapped = blackCanvas(100, 100);
        swapped.arc(90, 90, 10, 10, 50, 150, 50, -50);
        QCOMPARE(swapped.image(), right.image());

        // From east to north is the upper right quarter; from north to east
        // the other three.
        Canvas quarter = blackCanvas(100, 100);
        quarter.arc(10, 10, 90, 90, 200, 50, 50, -100);
        QVERIFY(anyPixel(quarter, red, [](int x, int y) { return x > 70 && y < 30; }));
        QVERIFY(!anyPixel(quarter, red, [](int x, int y) { return x < 48 || y > 52; }));
        Canvas three = blackCanvas(100, 100);
        three.arc(10, 10, 90, 90, 50, -100, 200, 50);
        QVERIFY(anyPixel(three, red, [](int x, int y) { return x < 30 && y < 30; }));
        QVERIFY(anyPixel(three, red, [](int x, int y) { return x < 30 && y > 70; }));
        QVERIFY(anyPixel(three, red, [](int x, int y) { return x > 70 && y > 70; }));
        QVERIFY(!anyPixel(three, red, [](int x, int y) { return x > 55 && y < 45; }));

        // Equal rays: the whole ellipse.
        Canvas whole = blackCanvas(100, 100);
        whole.arc(10, 10, 90, 90, 0, 0, 0, 0);
        for (const QPoint& p : {QPoint(90, 50), QPoint(10, 50), QPoint(50, 10), QPoint(50, 90), QPoint(78, 22), QPoint(22, 78)})
            QVERIFY2(whole.pixel(p.x(), p.y()) == red, qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
    }

    void arcRaysMeetAFlatEllipseWhereTheyPoint()
    {
        // Box (0,0)-(200,40): the ray towards the corner (200,0) meets the
        // ellipse at (170.7, 5.9), its parametric angle 45 degrees, not 11.3.
        Canvas c = blackCanvas(220, 60);
        c.arc(0, 0, 200, 40, 200, 0, 0, 0);
        QCOMPARE(c.pixel(100, 0), red);
        QVERIFY(anyPixel(c, red, [](int x, int) { return x >= 170 && x <= 172; }));
        QVERIFY(!anyPixel(c, red, [](int x, int) { return x > 172 || x < 28; }));
        QVERIFY(!anyPixel(c, red, [](int, int y) { return y > 7; }));

        // A box of no width: a straight stroke from pole to pole.
        Canvas z = blackCanvas(100, 100);
        z.arc(50, 10, 50, 90, 50, 150, 50, -50);
        for (int y = 12; y <= 88; y += 4)
            QCOMPARE(z.pixel(50, y), red);
        QVERIFY(!anyPixel(z, red, [](int x, int) { return x != 50; }));
    }

    void hugeArcsDrawOnlyWhatShowsQuickly()
    {
        // A circle of radius 16 million whose top runs along row 50.
        Canvas c = blackCanvas(100, 100);
        QElapsedTimer t;
        t.start();
        const int r = 16000000;
        c.arc(50 - r, 50, 50 + r, 50 + 2 * r, 0, 0, 0, 0);
        c.arc(50 - r, 50 - 2 * r, 50 + r, 50, 50, 0, 50, 0);   // bottom along row 50 as well
        QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
        for (int x = 0; x < 100; x += 9)
            QCOMPARE(c.pixel(x, 50), red);
        QVERIFY(!anyPixel(c, red, [](int, int y) { return y != 50; }));
        // Wholly outside: nothing, and no time.
        Canvas o = blackCanvas(100, 100);
        t.restart();
        o.arc(1000000, 1000000, 1000000 + 2 * r, 1000000 + 2 * r, 0, 0, 0, 0);
        QVERIFY(pixelsOf(o, red).isEmpty());
        QVERIFY(t.elapsed() < 200);
    }

    void pieFillsTheWedge()
    {
        Canvas c = blackCanvas(60, 60);
        c.penColor = Qt::white;
        c.brushColor = Qt::white;
        c.pie(5, 5, 55, 55, 30, 130, 30, -70);   // right half
        QCOMPARE(c.pixel(45, 30), white);
        QCOMPARE(c.pixel(40, 12), white);
        QCOMPARE(c.pixel(15, 30), black);
        QCOMPARE(c.pixel(2, 30), black);

        Canvas q = blackCanvas(60, 60);
        q.penColor = QColor(red);
        q.brushColor = QColor(blue);
        q.pie(5, 5, 55, 55, 100, 30, 30, -100);   // east to north
        QCOMPARE(q.pixel(40, 20), blue);
        QCOMPARE(q.pixel(45, 30), red);           // the radius along the east ray
        QCOMPARE(q.pixel(30, 15), red);           // and along the north ray
        QCOMPARE(q.pixel(20, 40), black);
        QCOMPARE(q.pixel(40, 40), black);
        QCOMPARE(q.pixel(20, 20), black);

        // A pie over a box of no width fills nothing beside its stroke.
        Canvas z = blackCanvas(60, 60);
        z.brushColor = QColor(blue);
        z.pie(30, 5, 30, 55, 30, 130, 30, -70);
        QVERIFY(pixelsOf(z, blue).isEmpty());
    }

    void ellipseAndRectangle()
    {
        Canvas c = blackCanvas(60, 60);
        c.brushColor = QColor(blue);
        c.rectangle(10, 10, 20, 15);
        QCOMPARE(c.pixel(10, 10), red);
        QCOMPARE(c.pixel(19, 14), red);
        QCOMPARE(c.pixel(15, 12), blue);
        QCOMPARE(c.pixel(20, 12), black);
        QCOMPARE(c.pixel(15, 15), black);
        Canvas swapped = blackCanvas(60, 60);
        swapped.brushColor = QColor(blue);
        swapped.rectangle(20, 15, 10, 10);
        QCOMPARE(swapped.image(), c.image());

        // The box's right and bottom edges lie outside the figure.
        Canvas e = blackCanvas(60, 60);
        e.brushColor = QColor(blue);
        e.ellipse(10, 10, 31, 31);
        QCOMPARE(e.pixel(20, 20), blue);
        QCOMPARE(e.pixel(10, 20), red);
        QCOMPARE(e.pixel(30, 20), red);
        QCOMPARE(e.pixel(31, 20), black);
        QCOMPARE(e.pixel(20, 10), red);
        QCOMPARE(e.pixel(20, 30), red);
        QCOMPARE(e.pixel(20, 31), black);
        QCOMPARE(e.pixel(11, 11), black);   // outside the round
        e.penClear = true;
        e.brushColor = Qt::white;
        e.ellipse(40, 40, 51, 51);
        QCOMPARE(e.pixel(45, 45), white);
        QVERIFY(!anyPixel(e, red, [](int x, int) { return x > 35; }));
    }

    void textStandsInAnOpaqueBoxOfTheBrushColour()
    {
        Canvas c = blackCanvas(120, 60);
        c.font = QFont(QStringLiteral("Arial"), 8);
        c.fontColor = QColor(0, 255, 0);
        c.brushColor = Qt::white;
        const QSize box = c.textExtent(QStringLiteral("Mare"));
        QVERIFY(box.width() > 10 && box.height() > 5);
        c.textOut(5, 6, QStringLiteral("Mare"));
        QCOMPARE(c.pixel(5, 6), white);
        QCOMPARE(c.pixel(5 + box.width() - 1, 6 + box.height() - 1), white);
        QCOMPARE(c.pixel(4, 6), black);
        QCOMPARE(c.pixel(5, 5), black);
        QCOMPARE(c.pixel(5 + box.width(), 6), black);
        QCOMPARE(c.pixel(5, 6 + box.height()), black);
        int inked = 0;
        for (int y = 6; y < 6 + box.height(); ++y)
            for (int x = 5; x < 5 + box.width(); ++x) {
                const QRgb p = c.pixel(x, y);
                QVERIFY(p != black);
                inked += p != white ? 1 : 0;
                QVERIFY(qGreen(p) >= qRed(p));   // lime ink on white
            }
        QVERIFY(inked > 10);

        // The same text in another brush or ink colour is drawn in that colour.
        c.brushColor = Qt::yellow;
        c.textOut(5, 30, QStringLiteral("Mare"));
        QCOMPARE(c.pixel(5, 30), qRgb(255, 255, 0));
        c.brushColor = Qt::white;
        c.fontColor = QColor(red);
        c.textOut(60, 30, QStringLiteral("Mare"));
        QCOMPARE(c.pixel(60, 30), white);
        QVERIFY(anyPixel(c, red, [](int x, int y) { return x >= 60 && y >= 30; }));
        QVERIFY(!anyPixel(c, red, [](int x, int y) { return x < 60 || y < 30; }));
        // Partly and wholly outside: what shows is drawn, nothing breaks.
        c.textOut(-5, 50, QStringLiteral("Mare"));
        QCOMPARE(c.pixel(0, 50), white);
        c.textOut(-16000000, 16000000, QStringLiteral("Mare"));
    }

    void stretchDrawNormalAndTurned()
    {
        const ScaledPicture pic(pattern(64, 48));
        // One to one: the picture's own pixels.
        Canvas one = blackCanvas(100, 80);
        one.stretchDraw(10, 20, 74, 68, pic);
        QCOMPARE(one.pixel(10, 20), pattern(64, 48).pixel(0, 0));
        QCOMPARE(one.pixel(73, 67), pattern(64, 48).pixel(63, 47));
        QCOMPARE(one.pixel(40, 30), pattern(64, 48).pixel(30, 10));
        QCOMPARE(one.pixel(9, 20), black);
        QCOMPARE(one.pixel(74, 67), black);
        // Partly outside: the visible part is the right part.
        Canvas part = blackCanvas(100, 80);
        part.stretchDraw(-20, -10, 44, 38, pic);
        QCOMPARE(part.pixel(0, 0), pattern(64, 48).pixel(20, 10));
        QCOMPARE(part.pixel(43, 37), pattern(64, 48).pixel(63, 47));
        QCOMPARE(part.pixel(44, 10), black);

        // Exchanged corners: the same picture turned by 180 degrees, in the same place.
        for (const QRect& r : {QRect(QPoint(10, 20), QPoint(137, 115)), QRect(QPoint(3, 7), QPoint(24, 22)),
                               QRect(QPoint(-40, -30), QPoint(150, 120))}) {
            Canvas normal = blackCanvas(160, 130), turned = blackCanvas(160, 130);
            const int right = r.right() + 1, bottom = r.bottom() + 1;
            normal.stretchDraw(r.left(), r.top(), right, bottom, pic);
            turned.stretchDraw(right, bottom, r.left(), r.top(), pic);
            int mismatches = 0;
            for (int y = 0; y < 130; ++y)
                for (int x = 0; x < 160; ++x) {
                    if (!r.contains(x, y)) {
                        QCOMPARE(turned.pixel(x, y), black);
                        continue;
                    }
                    const int tx = r.left() + right - 1 - x, ty = r.top() + bottom - 1 - y;
                    if (tx < 0 || ty < 0 || tx >= 160 || ty >= 130)
                        continue;
                    // The same samples; interpolation may round the other way by one level.
                    const QRgb a = normal.pixel(x, y), b = turned.pixel(tx, ty);
                    if (std::abs(qRed(a) - qRed(b)) > 1 || std::abs(qGreen(a) - qGreen(b)) > 1 || std::abs(qBlue(a) - qBlue(b)) > 1)
                        ++mismatches;
                }
            QVERIFY2(mismatches == 0, qPrintable(QString("%1 mismatches in %2x%3").arg(mismatches).arg(r.width()).arg(r.height())));
        }
    }

    void repaintAfterTheSameStretchIsTheSame()
    {
        // A repaint may reuse the last stretched picture; only while picture,
        // place and canvas are what they were.
        const ScaledPicture pic(pattern(64, 48));
        QImage inverted = pattern(64, 48);
        inverted.invertPixels();
        const ScaledPicture other(inverted);
        Canvas c = blackCanvas(100, 80);
        c.stretchDraw(-7, 5, 150, 90, pic);
        c.endPainting();
        const QImage first = c.image().copy();
        c.fill(Qt::black);
        c.stretchDraw(-7, 5, 150, 90, pic);
        QCOMPARE(c.image(), first);
        c.stretchDraw(-7, 5, 150, 90, other);
        QCOMPARE(c.pixel(0, 10), blackCanvasWith(100, 80, -7, 5, 150, 90, other).pixel(0, 10));
        QVERIFY(c.pixel(0, 10) != first.pixel(0, 10));
        c.stretchDraw(-6, 5, 151, 90, pic);
        QCOMPARE(c.image(), blackCanvasWith(100, 80, -6, 5, 151, 90, pic).image());
        c.stretchDraw(151, 90, -6, 5, pic);
        QCOMPARE(c.image(), blackCanvasWith(100, 80, 151, 90, -6, 5, pic).image());
        c.resize(90, 80);
        c.fill(Qt::black);
        c.stretchDraw(151, 90, -6, 5, pic);
        QCOMPARE(c.image(), blackCanvasWith(90, 80, 151, 90, -6, 5, pic).image());
    }

    void reducedPicturesAreFiltered()
    {
        // A one-pixel checkerboard reduced to a third is an even grey, not a moire.
        QImage board(192, 192, QImage::Format_RGB32);
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 192; ++x)
                board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        const ScaledPicture pic(board);
        for (bool turnedView : {false, true}) {
            Canvas c = blackCanvas(64, 64);
            if (turnedView)
                c.stretchDraw(64, 64, 0, 0, pic);
            else
                c.stretchDraw(0, 0, 64, 64, pic);
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x)
                    QVERIFY2(std::abs(qGray(c.pixel(x, y)) - 128) <= 24,
                             qPrintable(QString("%1,%2: %3").arg(x).arg(y).arg(qGray(c.pixel(x, y)))));
        }
        double levelScale = 0;
        QCOMPARE(pic.levelFor(1.0, &levelScale).width(), 192);
        QCOMPARE(levelScale, 1.0);
        QCOMPARE(pic.levelFor(0.25, &levelScale).width(), 48);
        QCOMPARE(levelScale, 4.0);
    }

    // A grey picture kept at one byte a pixel draws as the colour one does.
    void greyPicturesKeepOneByteAPixel()
    {
        QImage grey(300, 200, QImage::Format_Grayscale8);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                grey.scanLine(y)[x] = uchar((x * 7 + y * 3) % 256);
        const ScaledPicture colour(grey), oneByte(grey, ScaledPicture::Depth::Grey);
        QVERIFY(oneByte.byteCount() * 3 < colour.byteCount());
        double levelScale = 0;
        for (double scale : {1.0, 0.4, 0.1})
            QCOMPARE(oneByte.levelFor(scale, &levelScale).format(), QImage::Format_Grayscale8);
        for (const QRect& target : {QRect(0, 0, 300, 200), QRect(-40, 10, 90, 60), QRect(5, 5, 900, 600)}) {
            Canvas a = blackCanvas(120, 100), b = blackCanvas(120, 100);
            a.stretchDraw(target.left(), target.top(), target.right() + 1, target.bottom() + 1, colour);
            b.stretchDraw(target.left(), target.top(), target.right() + 1, target.bottom() + 1, oneByte);
            int mismatches = 0;
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 120; ++x)
                    mismatches += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 1 ? 1 : 0;
            QCOMPARE(mismatches, 0);
        }
    }

    void hugeStretchDrawsOnlyTheVisiblePart()
    {
        QImage tiles(10, 10, QImage::Format_RGB32);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                tiles.setPixel(x, y, qRgb(x * 20, y * 20, 100));
        const ScaledPicture pic(tiles);
        // A million screen pixels per picture pixel: the window lies inside picture pixel (5, 5).
        const int s = 1000000, left = -5 * s - s / 2, top = -5 * s - s / 2;
        Canvas c = blackCanvas(200, 100);
        QElapsedTimer t;
        t.start();
        c.stretchDraw(left, top, left + 10 * s, top + 10 * s, pic);
        QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(c.pixel(0, 0), qRgb(100, 100, 100));
        QCOMPARE(c.pixel(199, 99), qRgb(100, 100, 100));
        // Turned in the same rectangle: picture pixel (4, 4) lies there.
        Canvas r = blackCanvas(200, 100);
        t.restart();
        r.stretchDraw(left + 10 * s, top + 10 * s, left, top, pic);
        QVERIFY(t.elapsed() < 500);
        QCOMPARE(r.pixel(0, 0), qRgb(80, 80, 100));
        QCOMPARE(r.pixel(199, 99), qRgb(80, 80, 100));
        // Wholly outside, or of no size: nothing.
        Canvas o = blackCanvas(50, 50);
        o.stretchDraw(60, 60, 60 + 10 * s, 60 + 10 * s, pic);
        o.stretchDraw(10, 10, 10, 40, pic);
        QCOMPARE(pixelsOf(o, black).size(), 2500);
    }
};

QTEST_MAIN(TestCanvas)
#include "test_canvas.moc"
