#include "lists/maanun4.h"

Ttotaaldlg::Ttotaaldlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Totaallijst"));
    resize(161, 589);
}
