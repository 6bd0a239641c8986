#include "update/DurableFile.h"

#include "platform/FileSync.h"
#include "platform/FolderSync.h"
#include "update/UpdateFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <filesystem>

namespace {

Q_LOGGING_CATEGORY(lcSwap, "quillane.swap")

std::filesystem::path PathOf(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

bool WriteDurably(const QString& path, const QByteArray& bytes, QFile::Permissions permissions)
{
    RemoveOwnCopy(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        file.write(bytes) != bytes.size() || !file.flush())
        return false;
    file.close();
    return file.error() == QFileDevice::NoError &&
           platform::SyncFile(QDir::toNativeSeparators(path).toStdString()) &&
           file.setPermissions(permissions);
}

bool RenameOver(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(PathOf(from), PathOf(to), error);
    if (error)
        qCWarning(lcSwap) << "cannot move" << from << "to" << to << error.message().c_str();
    return !error;
}

bool SyncFolder(const QString& folder)
{
    return platform::SyncFolder(QDir::toNativeSeparators(folder).toStdString());
}

bool SyncFolderOf(const QString& path)
{
    return SyncFolder(QFileInfo(path).absolutePath());
}

bool ReplaceDurably(const QString& path, const QByteArray& bytes, QFile::Permissions permissions)
{
    const QString part = path + QStringLiteral(".part");
    if (!WriteDurably(part, bytes, permissions) || !RenameOver(part, path)) {
        RemoveOwnCopy(part);
        return false;
    }
    return SyncFolderOf(path);
}
