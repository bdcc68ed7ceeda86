#include "app/folderuse.h"

#include "data/folderlock.h"
#include "platform/dialogs.h"

FolderUse askFolderUse(const FolderLock& lock)
{
    if (lock.state() != FolderLock::State::InUse)
        return FolderUse::Save;
    QString who;
    if (lock.otherProcess() > 0)
        who = QStringLiteral(" (proces %1%2)")
                  .arg(lock.otherProcess())
                  .arg(lock.otherHost().isEmpty() ? QString() : QStringLiteral(" op ") + lock.otherHost());
    const bool goOn = askQuestion(
        QStringLiteral("In deze map werkt al een ander Selvanor-programma") + who
        + QStringLiteral(".\nAls beide programma's de index opslaan, gaan wijzigingen verloren.\n\n"
                         "Toch starten? Dit programma slaat dan geen wijzigingen in de index op."));
    return goOn ? FolderUse::WithoutSaving : FolderUse::Stop;
}
