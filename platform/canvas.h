#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QHash>
#include <QPainter>
#include <memory>
#include <vector>

// A picture prepared for drawing at any scale: the original and its halvings,
// each an area average of the one before, so a reduced picture is filtered and
// an enlarged one smooth.
class ScaledPicture {
public:
    // Grey keeps one byte a pixel (a large grey picture takes a quarter of
    // the memory); Colour keeps 32 bits, which the toolkit draws fastest.
    enum class Depth { Colour, Grey };

    ScaledPicture() = default;
    explicit ScaledPicture(const QImage& source, Depth depth = Depth::Colour);
    bool isNull() const { return levels_.empty(); }
    int width() const { return isNull() ? 0 : levels_[0].width(); }
    int height() const { return isNull() ? 0 : levels_[0].height(); }
    // The level to sample for drawing at `scale` screen pixels per picture pixel.
    const QImage& levelFor(double scale, double* levelScale) const;
    qsizetype byteCount() const;

private:
    std::vector<QImage> levels_;
};

// A window's drawing surface: a persistent image the size of the client area
// and the drawing state kept between calls, as a canvas keeps it.
class Canvas {
public:
    void resize(int width, int height);
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    QRgb pixel(int x, int y) const;

    // State
    QColor penColor = Qt::black;
    int penWidth = 1;
    bool penClear = false;          // a pen that draws nothing
    QColor brushColor = Qt::white;
    QFont font;
    QColor fontColor = Qt::black;

    void fill(const QColor& colour);
    void fillRect(const QRect& r, const QColor& colour);

    // Lines leave out their end point, so a cross of half-size h spans 2h+1 pixels.
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void line(int x1, int y1, int x2, int y2);

    // The ellipse inscribed in the box (corners in either order), from the ray
    // towards (x3, y3) counter-clockwise on screen to the ray towards (x4, y4).
    // Equal rays give the whole ellipse.
    void arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    // The same wedge, with its two radii, filled with the brush and outlined.
    void pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void ellipse(int x1, int y1, int x2, int y2);
    void rectangle(int x1, int y1, int x2, int y2);

    // Text with its top-left corner at (x, y) on an opaque box in the brush colour.
    void textOut(int x, int y, const QString& text);
    QSize textExtent(const QString& text) const;

    // Stretches the picture into the rectangle from (left, top) to (right,
    // bottom); exchanged corners turn it by 180 degrees. Only the visible part
    // is drawn.
    void stretchDraw(int left, int top, int right, int bottom, const ScaledPicture& picture);

    // Drawing calls share one painter until the picture is shown; call this
    // before the image is read or copied to the screen.
    void endPainting();

private:
    QPainter& painter();
    void plotLine(int x1, int y1, int x2, int y2);
    const QImage& textSprite(const QString& text);
    QPoint pos_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    // Rendered name boxes: at low zoom every repaint writes hundreds of names.
    QHash<QString, QImage> sprites_;
    struct SpriteStyle {
        QFont font;
        QColor text, box;
        QString key;
    } spriteStyle_;
    // The last picture stretched, as it came out on the canvas: a repaint that
    // draws it to the same place again (a switch turned, a new date, a pick)
    // copies it instead of filtering every pixel anew.
    struct Stretched {
        qint64 pictureKey = 0;
        QRect target;
        QSize canvasSize;
        QRect visible;
        QImage pixels;
    } stretched_;
};
