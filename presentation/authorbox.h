#pragma once
#include "platform/form.h"

class PictureBox;
class QLabel;

// A small window about the author: a picture and a two-line greeting. A click
// on the picture or the background closes it.
class AuthorBox : public Form {
    Q_OBJECT
public:
    explicit AuthorBox(QWidget* parent = nullptr);

    void FormClick();
    void Image1Click();

    PictureBox* Image1;
    QLabel* Label1;
    QLabel* Label2;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
