#pragma once
#include <QImage>
#include <QWidget>
#include <functional>

// Runs `handler` when the user clicks `widget` itself with the left button:
// pressed and released over it. Presses on its child controls (a text, say)
// do not count, though the toolkit passes them on to it; nor does the second
// press of a double click.
void onClick(QWidget* widget, std::function<void()> handler);

// A picture control: an image drawn at its own size from the top-left corner,
// or stretched to the control's bounds. Transparent parts of the image show
// what lies behind the control.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QImage& image);
    const QImage& picture() const { return image_; }
    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    bool stretch_ = false;
};
