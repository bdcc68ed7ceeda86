#include "lists/maanun14.h"

Tkeuzedlg::Tkeuzedlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Kies een kaart"));
    setClientSize(129, 231);
}
