#include "presentation/maanun9.h"

#include "app/maanun1.h"
#include "app/windows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

Ttiteldlg::Ttiteldlg(QWidget* parent)
    : Form(parent)
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::Dialog);
    QPalette p = client()->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    client()->setPalette(p);
    resize(555, 480);
    Label1 = new QLabel(QStringLiteral("SELVANOR"), client());
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(48);
    f.setBold(true);
    Label1->setFont(f);
    Label1->setPalette(p);
    Label1->move(22, 11);
    Label1->adjustSize();
    Image1 = new QLabel(client());
    Image1->setScaledContents(true);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(QStringLiteral("Start hier"));
}

void Ttiteldlg::FormActivate()
{
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    move(screen.x() + (screen.width() - width()) / 2, 90);
    Image1->setGeometry((width() - 210) / 2, 220, 210, 200);
    QPixmap moon;
    if (moon.load(QStringLiteral("titelmaan.bmp")))
        Image1->setPixmap(moon);
}

void Ttiteldlg::FormClose()
{
    if (Form1)
        Form1->Label8->hide();
}

bool Ttiteldlg::FormKeyDown(int, Qt::KeyboardModifiers)
{
    return false;
}

void Ttiteldlg::keyPressEvent(QKeyEvent* event)
{
    // Any key that types a character, Enter and Esc included.
    if (!event->text().isEmpty())
        close();
}

void Ttiteldlg::mousePressEvent(QMouseEvent*)
{
    close();
}
