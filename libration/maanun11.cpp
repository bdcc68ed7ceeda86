#include "libration/maanun11.h"

Tlibratiedlg::Tlibratiedlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Verklaring van de Libratie in de lengte"));
    resize(800, 600);
}
