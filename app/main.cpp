#include "app/launchererror.h"
#include "app/maanun1.h"
#include "app/windows.h"
#include "platform/dialogs.h"

#include <QScreen>

int main(int argc, char** argv)
{
    Application app(argc, argv);
    Application::installDutchTranslations();
    if (showLauncherError())
        return 1;
    createAllWindows();
    // Without a window manager "maximised" is only a wish: take the screen.
    Form1->setGeometry(QApplication::primaryScreen()->availableGeometry());
    Form1->showMaximized();
    const int result = app.exec();
    destroyAllWindows();
    return result;
}
