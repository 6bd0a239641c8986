#include "platform/LockFileTake.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

// A living process writes its lock's content right after making the file.
constexpr qint64 EmptyLockAgeMs = 2000;

} // namespace

bool TakeLockFile(QLockFile& lock)
{
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        return true;
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.error() != QLockFile::LockFailedError || lock.getLockInfo(&pid, &host, &application))
        return false;
    const QFileInfo file(lock.fileName());
    if (!file.exists() ||
        file.lastModified().msecsTo(QDateTime::currentDateTime()) < EmptyLockAgeMs)
        return false;
    lock.removeStaleLockFile();
    return lock.tryLock(0);
}
