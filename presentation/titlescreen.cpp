#include "presentation/titlescreen.h"

#include "platform/accessibility.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/hints.h"
#include "platform/bmploader.h"
#include "platform/picture.h"
#include "presentation/resources.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace {
const QColor kWhite(255, 255, 255);

// Shown in the Moon's place when "titelmaan.bmp" cannot be loaded, so that a
// mouse user still sees where to click.
QImage missingMoonPicture(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(128, 128, 128), 2));
    painter.drawEllipse(QRectF(image.rect()).adjusted(4, 4, -4, -4));
    painter.setFont(pixelFont(QStringLiteral("Arial"), 16));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Start hier"));
    return image;
}
}

const QString& TitleScreen::banner()
{
    static const QString text = QStringLiteral(
        "V.O.K. maakt educatieve programma's voor school en thuis: over de maan, de sterren en de "
        "planeten. Al onze leerprogramma's vindt u in de mediatheek van uw school en in de bibliotheek "
        "bij u in de buurt.   ***  ");
    return text;
}

QString TitleScreen::bannerText(quint16 position)
{
    const QString& text = banner();
    const int from = position == 0 ? 0 : position - 1;
    return (text.mid(from) + text).left(BannerShown);
}

const QString& TitleScreen::windowHint()
{
    static const QString text = QStringLiteral(
        "Luister wat het Vokmannetje\nheeft te zeggen. Klik hem...\n\nKlik op de maan om te beginnen.");
    return text;
}

TitleScreen::TitleScreen(QWidget* parent)
    : Form(parent)
{
    initPresentationResources();
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Selvanor"));
    QPalette black = client()->palette();
    black.setColor(QPalette::Window, Qt::black);
    client()->setPalette(black);
    setFont(QFont(QStringLiteral("System")));
    client()->resize(555, 480);
    resize(555, 480);
    client()->setToolTip(windowHint());

    Label1 = addLabel(client(), 22, 11, QStringLiteral("SELVANOR"), pixelFont(QStringLiteral("Arial"), 48, true), kWhite);
    Label7 = addLabel(client(), 110, 92, QStringLiteral("Een educatieve atlas van de maan"),
                      pixelFont(QStringLiteral("Arial"), 19), kWhite);
    Label8 = addLabel(client(), 168, 135, QStringLiteral("samengesteld door V.O.K."),
                      pixelFont(QStringLiteral("Arial"), 19), kWhite);
    Label2 = addLabel(client(), 121, 176, bannerText(0), pixelFont(QStringLiteral("Arial"), 12), kWhite);

    Image1 = new PictureBox(client());
    Image1->setStretch(true);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(QStringLiteral("Start hier"));
    describeControl(Image1, QStringLiteral("Start"), QStringLiteral("Klik op de maan om te beginnen"));
    onClick(Image1, [this] { Image1Click(); });

    Image2 = new PictureBox(client());
    Image2->setPicture(QImage(QStringLiteral(":/vokman.png")));
    Image2->setGeometry(429, 242, 71, 101);
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->setToolTip(QStringLiteral("Klik en Luister!"));
    describeControl(Image2, QStringLiteral("Vokmannetje"), QStringLiteral("Klik en luister naar zijn boodschap"));
    onClick(Image2, [this] { Image2Click(); });

    StaticText1 = addLabel(client(), 0, 431, QString(), pixelFont(QStringLiteral("Arial"), 13, true), kWhite);
    StaticText2 = addLabel(client(), 0, 456, QString(), pixelFont(QStringLiteral("Arial Narrow"), 11), kWhite);

    bannerpositie = 0;
    Timer1 = new QTimer(this);
    Timer1->setInterval(250);
    connect(Timer1, &QTimer::timeout, this, &TitleScreen::Timer1Timer);
    Timer1->start();
}

void TitleScreen::FormActivate()
{
    const QRect screen = this->screen()->availableGeometry();
    move(screen.x() + (screen.width() - width()) / 2, 90);
    StaticText1->setText(QStringLiteral("versie 1.0"));
    StaticText2->setText(QStringLiteral(
        "Er kan geen enkele aansprakelijkheid worden aanvaard voor eventuele fouten en/of onvolkomenheden."));
    centreText(StaticText1, 431);
    centreText(StaticText2, 456);
    for (QWidget* w : {client(), static_cast<QWidget*>(Image1), static_cast<QWidget*>(Image2)})
        w->setToolTipDuration(hintHidePause());

    Image1->setGeometry((width() - 210) / 2, 220, 210, 200);
    Image1->setPicture(QImage());
    // The place stays clickable without its picture.
    if (!runReportingErrors([this] { Image1->setPicture(loadBitmapFile(QStringLiteral("titelmaan.bmp"))); }))
        Image1->setPicture(missingMoonPicture(Image1->size()));
}

void TitleScreen::centreText(QLabel* text, int top)
{
    text->adjustSize();
    text->move((width() - text->width()) / 2, top);
}

void TitleScreen::Timer1Timer()
{
    ++bannerpositie;
    if (bannerpositie > BannerLength)
        bannerpositie = 0;
    Label2->setText(bannerText(bannerpositie));
    Label2->adjustSize();
}

void TitleScreen::Image1Click()
{
    close();
}

void TitleScreen::Image2Click()
{
    emit mascotClicked();
}

void TitleScreen::keyPressEvent(QKeyEvent* event)
{
    // A key that types a printable character, and Enter and Esc; not Delete,
    // Backspace or Tab (whose texts are control characters), arrows,
    // function keys or Alt shortcuts.
    const QString text = event->text();
    const bool printable = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
    const int key = event->key();
    const bool enterOrEscape = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
    if ((printable || enterOrEscape) && !event->modifiers().testFlag(Qt::AltModifier))
        close();
    else
        Form::keyPressEvent(event);
}
