#include "UpdateStaging.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

QString StagingFolder(const QString& programFolder)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(programFolder)) + QStringLiteral(".update");
}

QString StagedFilesFolder(const QString& programFolder)
{
    return StagingFolder(programFolder) + QStringLiteral("/new");
}

QString BackupFolder(const QString& programFolder)
{
    return StagingFolder(programFolder) + QStringLiteral("/backup");
}

QString UpdaterLockPath(const QString& programFolder)
{
    return StagingFolder(programFolder) + QStringLiteral("/Quillane_UP.lock");
}

QString SwapDoneMarker(const QString& programFolder)
{
    return StagingFolder(programFolder) + QStringLiteral("/swapped");
}

void RemoveUpdateBackup(const QString& programFolder)
{
    const QString staging = StagingFolder(programFolder);
    if (!QDir(staging).exists())
        return;
    QLockFile lock(UpdaterLockPath(programFolder));
    if (!lock.tryLock(0))
        return;
    QDir(StagedFilesFolder(programFolder)).removeRecursively();
    if (QFile::exists(SwapDoneMarker(programFolder)))
        QDir(BackupFolder(programFolder)).removeRecursively();
    QDir().rmdir(BackupFolder(programFolder));
    QFile::remove(SwapDoneMarker(programFolder));
    lock.unlock();
    QDir().rmdir(staging);
}
