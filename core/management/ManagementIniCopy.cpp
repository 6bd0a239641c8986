#include "ManagementIniCopy.h"

#include "EditionTable.h"
#include "FileSystem.h"

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
