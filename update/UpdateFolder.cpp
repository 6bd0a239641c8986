#include "update/UpdateFolder.h"

#include "platform/FolderPrivacy.h"
#include "platform/OwnFileRemoval.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A link of any kind: a symbolic link, or a junction on Windows.
bool IsLink(const QFileInfo& entry)
{
    return entry.isSymLink() || entry.isJunction();
}

constexpr QFile::Permissions UserOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

QString Cleaned(const QString& folder)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
}

// Creates the missing folders of the path from the top, each for the user alone.
bool MakePrivatePath(const QString& folder)
{
    const QString path = Cleaned(folder);
    if (QFileInfo(path).isDir())
        return true;
    const QString parent = QFileInfo(path).path();
    if (parent != path && !MakePrivatePath(parent))
        return false;
    return QDir().mkdir(path, UserOnly) || QFileInfo(path).isDir();
}

bool IsPrivate(const QString& folder)
{
    return platform::FolderIsPrivate(QDir::toNativeSeparators(Cleaned(folder)).toStdString());
}

} // namespace

QString StagingFolder(const QString& updateFolder)
{
    return QDir(updateFolder).filePath(QStringLiteral("staging"));
}

QString BackupFolder(const QString& updateFolder)
{
    return QDir(updateFolder).filePath(QStringLiteral("backup"));
}

QString SwapJournalPath(const QString& updateFolder)
{
    return QDir(updateFolder).filePath(QStringLiteral("swap.journal"));
}

QString UpdaterLockPath(const QString& updateFolder)
{
    return QDir(updateFolder).filePath(QStringLiteral("Quillane_UP.lock"));
}

bool PrepareUpdateFolder(const QString& folder)
{
    const QString path = Cleaned(folder);
    return MakePrivatePath(path) && IsPrivate(path);
}

bool PrepareSubFolder(const QString& folder)
{
    RemoveFolder(folder);
    return QDir().mkdir(folder, UserOnly) && IsPrivate(folder);
}

void RemoveFolder(const QString& folder)
{
    const QFileInfo top(Cleaned(folder));
    if (IsLink(top) || (top.exists() && !top.isDir())) {
        RemoveOwnCopy(top.filePath());
        return;
    }
    const QFileInfoList entries =
        QDir(top.filePath())
            .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries)
        if (IsLink(entry) || !entry.isDir())
            RemoveOwnCopy(entry.filePath());
    QDir().rmdir(top.filePath());
}

bool RemoveOwnCopy(const QString& path)
{
    return platform::RemoveOwnFile(QDir::toNativeSeparators(path).toStdString());
}
