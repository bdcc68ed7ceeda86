#include "lists/maanun3.h"

Tlijstdlg::Tlijstdlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Landkenmerken"));
    setClientSize(170, 567);
}
