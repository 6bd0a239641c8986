#include "core/management/ManagementIniCopy.h"

#include "core/management/EditionTable.h"
#include "platform/FileSystem.h"

void RefreshIniCopy(const QString& source, const QString& copy)
{
    if (!platform::FileExists(source.toStdString()))
        return;
    platform::RemoveFile(copy.toStdString());
    platform::CopyFileOver(source.toStdString(), copy.toStdString());
}

void RefreshManagementIniCopy()
{
    RefreshIniCopy(ManagementV6Ini, QStringLiteral("C:\\QX2000V6\\DLL\\QX2000V6.INI"));
}
