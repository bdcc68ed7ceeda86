#include "app/folderuse.h"
#include "app/launchererror.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "data/folderlock.h"
#include "platform/dialogs.h"

#include <QScreen>

int main(int argc, char** argv)
{
    Application app(argc, argv);
    Application::installDutchTranslations();
    if (showLauncherError())
        return 1;
    // Held for the whole run, so that a second program in this folder knows.
    const FolderLock lock;
    const FolderUse use = askFolderUse(lock);
    if (use == FolderUse::Stop)
        return 0;
    Program program;
    MainWindow* main = program.mainWindow();
    main->state().saveIndexFiles = use == FolderUse::Save;
    // Without a window manager "maximised" is only a wish: take the screen.
    main->setGeometry(QApplication::primaryScreen()->availableGeometry());
    main->showMaximized();
    return app.exec();
}
