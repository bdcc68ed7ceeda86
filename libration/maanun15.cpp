#include "libration/maanun15.h"

Tmaanbeelddlg::Tmaanbeelddlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Het zichtbare deel van de maan verplaatst zich door de libratie"));
    resize(800, 600);
}
