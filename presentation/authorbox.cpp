#include "presentation/authorbox.h"

#include "platform/accessibility.h"
#include "platform/controls.h"
#include "platform/picture.h"
#include "presentation/resources.h"

#include <QKeyEvent>
#include <QLabel>

AuthorBox::AuthorBox(QWidget* parent)
    : Form(parent)
{
    initPresentationResources();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("  De auteur"));
    setKeyPreview(false);
    client()->resize(136, 222);
    setFixedSize(136, 222);
    QPalette yellow = client()->palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 128));
    yellow.setColor(QPalette::WindowText, QColor(0, 0, 0));
    client()->setPalette(yellow);
    const QFont font = pixelFont(QStringLiteral("Arial"), 11);
    client()->setFont(font);
    onClick(client(), [this] { FormClick(); });

    Image1 = new PictureBox(client());
    Image1->setPicture(QImage(QStringLiteral(":/auteur.png")));
    Image1->setGeometry(8, 8, 125, 149);
    describeControl(Image1, QStringLiteral("De auteur"), QStringLiteral("Een klik sluit dit venster"));
    onClick(Image1, [this] { Image1Click(); });

    Label1 = addLabel(client(), 13, 176, QStringLiteral("V.O.K. is er voor plezier"), font, QColor(0, 0, 0));
    Label2 = addLabel(client(), 24, 200, QStringLiteral("met Uw computer."), font, QColor(0, 0, 0));
}

void AuthorBox::FormClick()
{
    close();
}

void AuthorBox::Image1Click()
{
    close();
}

void AuthorBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        Form::keyPressEvent(event);
}

void AuthorBox::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        centreOnScreen(this);
    Form::showEvent(event);
}
