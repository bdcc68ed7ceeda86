#include "presentation/maanun8.h"

TAboutBox::TAboutBox(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("About V.O.K."));
    setClientSize(285, 422);
}
