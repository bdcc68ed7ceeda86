#pragma once
#include <QImage>
#include <QWidget>

class QPainter;

// Draws `picture` with each of its pixels as a `scale` x `scale` square, its
// top-left corner at `origin`, as far as it falls within `exposed`. Only that
// part is converted for the screen, so no copy of the whole picture at 4 bytes
// a pixel is ever made (a 8192 x 8192 photograph doubled would take 1 GB).
void drawPictureScaled(QPainter& painter, const QImage& picture, QPoint origin, int scale, const QRect& exposed);

// A picture control: shows a picture at its own size from the picture itself
// (shared, not copied), painting the exposed part only. Mouse presses pass on
// to the control below it.
class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    void clear() { setPicture(QImage()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};
