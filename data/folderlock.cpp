#include "data/folderlock.h"

#include <QDir>

FolderLock::FolderLock(const QString& folder)
    : lock_(std::make_unique<QLockFile>(QDir(folder).filePath(lockFileName())))
{
    // However long a session lasts, its lock is never old enough to take.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        state_ = State::Held;
        return;
    }
    if (lock_->error() == QLockFile::LockFailedError) {
        state_ = State::InUse;
        QString application;
        lock_->getLockInfo(&otherPid_, &otherHost_, &application);
    }
}

FolderLock::~FolderLock() = default;
