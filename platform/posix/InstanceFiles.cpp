#include "platform/posix/InstanceFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool IsOwnPrivateFolder(const QString& folder)
{
    struct stat status
    {
    };
    return lstat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == getuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// "Quillane" in the user's cache folder, created for the user alone when missing.
QString CacheFolder()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/Quillane";
    QDir().mkpath(QFileInfo(folder).path());
    QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

} // namespace

QString UserRuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return QDir::isAbsolutePath(runtime) && IsOwnPrivateFolder(runtime) ? runtime : CacheFolder();
}

QString InstancePath(const QString& suffix)
{
    return QDir(UserRuntimeFolder())
        .filePath(QStringLiteral("quillane-%1.%2").arg(getuid()).arg(suffix));
}

} // namespace platform
