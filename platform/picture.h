#pragma once
#include <QImage>
#include <QWidget>
#include <functional>

// Runs `handler` when the user clicks `widget` itself with the left button:
// pressed and released over it. Presses on its child controls (a text, say)
// do not count, though the toolkit passes them on to it; nor does the second
// press of a double click.
void onClick(QWidget* widget, std::function<void()> handler);

class QPainter;

// Draws `picture` with each of its pixels as a `scale` x `scale` square, its
// top-left corner at `origin`, as far as it falls within `exposed`. Only that
// part is converted for the screen, so no copy of the whole picture at 4 bytes
// a pixel is ever made (a 8192 x 8192 photograph doubled would take 1 GB).
void drawPictureScaled(QPainter& painter, const QImage& picture, QPoint origin, int scale, const QRect& exposed);

// A picture control: an image drawn at its own size from the top-left corner
// (the exposed part only, from the image itself, shared, not copied), or
// stretched to the control's bounds. Transparent parts of the image show what
// lies behind the control; mouse presses it does not take pass on to it.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QImage& image);
    const QImage& picture() const { return image_; }
    void clear() { setPicture(QImage()); }
    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    bool stretch_ = false;
};
