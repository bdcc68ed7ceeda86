#include "libration/maanun12.h"

Tlibratie2dlg::Tlibratie2dlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Verklaring van libratie in de breedte (ja-knikken van de maan)"));
    resize(544, 700);
}
