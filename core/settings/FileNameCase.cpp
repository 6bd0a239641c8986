#include "core/settings/FileNameCase.h"

#include <QDir>
#include <QFileInfo>

QString ExistingFilePath(const QString& path)
{
    const QFileInfo given(path);
    if (given.isFile())
        return path;
    const QFileInfoList files =
        given.absoluteDir().entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& file : files) {
        if (file.fileName().compare(given.fileName(), Qt::CaseInsensitive) == 0)
            return file.filePath();
    }
    return path;
}

bool FileExistsIgnoringCase(const QString& path)
{
    return QFileInfo(ExistingFilePath(path)).isFile();
}
