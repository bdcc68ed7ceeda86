#include "presentation/aboutbox.h"

#include "platform/accessibility.h"
#include "platform/controls.h"
#include "platform/hints.h"
#include "platform/picture.h"
#include "platform/soundplayer.h"
#include "presentation/resources.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace {
const QColor kBlack(0, 0, 0);
}

AboutBox::AboutBox(QWidget* parent)
    : Form(parent)
{
    initPresentationResources();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("About V.O.K."));
    setKeyPreview(false);
    client()->resize(285, 422);
    setFixedSize(285, 422);
    QPalette silver = client()->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    client()->setPalette(silver);

    Panel1 = new QFrame(client());
    Panel1->setGeometry(10, 8, 265, 401);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(3);
    QPalette aqua = Panel1->palette();
    aqua.setColor(QPalette::Window, QColor(0, 255, 255));
    aqua.setColor(QPalette::WindowText, kBlack);
    aqua.setColor(QPalette::Dark, QColor(128, 128, 128));
    aqua.setColor(QPalette::Light, QColor(255, 255, 255));
    Panel1->setPalette(aqua);
    Panel1->setAutoFillBackground(true);
    Panel1->setFont(pixelFont(QStringLiteral("Arial"), 12));
    onClick(Panel1, [this] { Panel1Click(); });

    win3d = addLabel(Panel1, 34, 22, QStringLiteral("Selvanor"), pixelFont(QStringLiteral("Arial"), 24), kBlack);
    Version = addLabel(Panel1, 114, 58, QString(), pixelFont(QStringLiteral("Arial"), 12), kBlack);

    ProgramIcon = new PictureBox(Panel1);
    ProgramIcon->setGeometry(72, 70, 110, 160);
    ProgramIcon->setStretch(true);
    ProgramIcon->setPicture(QImage(QStringLiteral(":/vokman.png")));
    ProgramIcon->setCursor(Qt::PointingHandCursor);
    describeControl(ProgramIcon, QStringLiteral("Vokmannetje"), QStringLiteral("Klik en luister naar zijn boodschap"));
    onClick(ProgramIcon, [this] { ProgramIconClick(); });

    Label2 = addLabel(Panel1, 88, 248, QStringLiteral("V . O . K. "), pixelFont(QStringLiteral("Arial"), 24), kBlack);
    // The credit lines, each centred in the panel.
    const auto credit = [this](int top, int pixels, const QString& text) {
        QLabel* line = addLabel(Panel1, 0, top, text, pixelFont(QStringLiteral("Arial"), pixels), kBlack);
        line->move((Panel1->width() - line->width()) / 2, top);
        return line;
    };
    Label3 = credit(280, 13, QStringLiteral("Educatieve programma's"));
    Label4 = credit(304, 13, QStringLiteral("voor school en thuis"));
    Label5 = credit(340, 11, QStringLiteral("Maanbeelden en namen: publiek domein"));
    Label6 = credit(373, 12, QStringLiteral("Veel plezier met de maan!"));

    MediaPlayer1 = new SoundPlayer(this);

    // FormCreate
    Version->setText(QStringLiteral("Selvanor versie 1.0"));
    Version->adjustSize();
    ProgramIcon->setToolTip(QStringLiteral("Klik mij\nen luister..."));
    MediaPlayer1->setFileName(QStringLiteral("vokman.wav"));
}

void AboutBox::vokman_praat()
{
    MediaPlayer1->play();
}

void AboutBox::Panel1Click()
{
    vokman_praat();
}

void AboutBox::ProgramIconClick()
{
    vokman_praat();
}

void AboutBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        Form::keyPressEvent(event);
}

void AboutBox::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        ProgramIcon->setToolTipDuration(hintHidePause());
        centreOnScreen(this);
    }
    Form::showEvent(event);
}
