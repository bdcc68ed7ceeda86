#pragma once
#include <QString>

#include "platform/form.h"

class PictureBox;
class QLabel;
class QTimer;

// The start-up screen: the program's name, a scrolling banner, the Moon to
// click to begin and the mascot that speaks when clicked. A typed key also
// closes it.
class TitleScreen : public Form {
    Q_OBJECT
public:
    static constexpr int BannerLength = 209;
    static constexpr int BannerShown = 53;
    static const QString& banner();
    // The banner as shown at counter value `position`: from that character
    // (1-based, 0 counting as 1) on, continued with its own beginning.
    static QString bannerText(quint16 position);
    static const QString& windowHint();

    explicit TitleScreen(QWidget* parent = nullptr);

    void FormActivate() override;
    void Timer1Timer();
    void Image1Click();
    void Image2Click();

    QLabel* Label1;        // the name
    QLabel* Label7;        // credit lines
    QLabel* Label8;
    QLabel* Label2;        // the banner
    PictureBox* Image1;    // the Moon
    PictureBox* Image2;    // the mascot
    QLabel* StaticText1;   // version
    QLabel* StaticText2;   // disclaimer
    QTimer* Timer1;
    quint16 bannerpositie = 0;

signals:
    // The mascot speaks through the program's one sound player.
    void mascotClicked();

protected:
    // FormKeyPress: a key that types a character.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void centreText(QLabel* text, int top);
};
