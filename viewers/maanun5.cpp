#include "viewers/maanun5.h"

Thelpdlg::Thelpdlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Toelichting"));
    resize(510, 223);
}
