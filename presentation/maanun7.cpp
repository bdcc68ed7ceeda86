#include "presentation/maanun7.h"

Tauteurdlg::Tauteurdlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("  De auteur"));
    setClientSize(136, 222);
}
