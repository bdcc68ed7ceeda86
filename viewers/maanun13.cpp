#include "viewers/maanun13.h"

Tatlas2dlg::Tatlas2dlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("De kaarten uit de   'Atlas de la Lune'"));
    resize(295, 200);
}
