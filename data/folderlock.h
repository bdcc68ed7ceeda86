#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

// The mark a program leaves in the folder it works in, so that a second one
// started there can tell and does not save index files over the first's: a
// lock file (".selvanor.lock") held for as long as the FolderLock lives and
// removed after. A lock left by a program that has ended is taken over.
class FolderLock {
public:
    enum class State {
        Held,         // this program holds it
        InUse,        // another program that still runs holds it
        NotPossible,  // the folder cannot hold one (read-only, gone): nothing
                      // can be saved there either
    };

    explicit FolderLock(const QString& folder = QStringLiteral("."));
    ~FolderLock();

    State state() const { return state_; }
    // The process id and host of the program holding it (InUse); 0 and empty
    // when it does not say.
    qint64 otherProcess() const { return otherPid_; }
    QString otherHost() const { return otherHost_; }

    static QString lockFileName() { return QStringLiteral(".selvanor.lock"); }

private:
    std::unique_ptr<QLockFile> lock_;
    State state_ = State::NotPossible;
    qint64 otherPid_ = 0;
    QString otherHost_;
};
