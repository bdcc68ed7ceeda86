#include "presentation/maanun9.h"

Ttiteldlg::Ttiteldlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral(""));
    resize(555, 480);
}
