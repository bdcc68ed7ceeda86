#include "viewers/maanun6.h"

Tfoto1dlg::Tfoto1dlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Foto"));
    resize(640, 480);
}
