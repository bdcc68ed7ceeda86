#include "app/maanun2.h"

Tinvoerdlg::Tinvoerdlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Een landkenmerk aan de lijst toevoegen"));
    resize(529, 101);
}
