#pragma once
#include "platform/form.h"

class PictureBox;
class QFrame;
class QLabel;
class SoundPlayer;

// The about box: the program's name, version and maker, and the mascot that
// speaks when clicked. It owns the program's one sound player, which the
// title screen uses too.
class AboutBox : public Form {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    // Plays the mascot's message from its beginning, without waiting for it;
    // failures are silent.
    void vokman_praat();
    void Panel1Click();
    void ProgramIconClick();

    QFrame* Panel1;
    QLabel* win3d;
    QLabel* Version;
    PictureBox* ProgramIcon;
    QLabel* Label2;
    QLabel* Label3;   // the four credit lines
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    SoundPlayer* MediaPlayer1;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
