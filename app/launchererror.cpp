#include "app/launchererror.h"

#include <QApplication>
#include <QMessageBox>

bool showLauncherError()
{
    const QString reason = qEnvironmentVariable("SELVANOR_LAUNCHER_ERROR");
    if (reason.isEmpty())
        return false;
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), reason, QMessageBox::Ok);
    // The folder's name is there to be copied into a file manager or a terminal.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
    return true;
}
