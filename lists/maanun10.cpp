#include "lists/maanun10.h"

Tselectdlg::Tselectdlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Markerings-selectie"));
    setClientSize(164, 262);
}
