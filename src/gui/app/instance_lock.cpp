#include "gui/app/instance_lock.h"

#include <QDir>

std::unique_ptr<QLockFile> lockProgramFolder(const QString& programFolder,
                                             InstanceLockResult* result) {
    auto lock = std::make_unique<QLockFile>(QDir(programFolder).filePath(kInstanceLockFile));
    // A lock is stale only when the copy that made it no longer runs, however old it is.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        if (result) *result = InstanceLockResult::Acquired;
        return lock;
    }
    if (result)
        *result = lock->error() == QLockFile::LockFailedError ? InstanceLockResult::HeldByOther
                                                              : InstanceLockResult::Unavailable;
    return nullptr;
}
