#include "app/launchererror.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "platform/dialogs.h"

#include <QScreen>

int main(int argc, char** argv)
{
    Application app(argc, argv);
    Application::installDutchTranslations();
    if (showLauncherError())
        return 1;
    Program program;
    MainWindow* main = program.mainWindow();
    // Without a window manager "maximised" is only a wish: take the screen.
    main->setGeometry(QApplication::primaryScreen()->availableGeometry());
    main->showMaximized();
    return app.exec();
}
