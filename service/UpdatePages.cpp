#include "service/UpdatePages.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

static QFileInfoList UpdateFiles(const std::string& folder)
{
    return QDir(QString::fromStdString(folder)).entryInfoList(QDir::Files, QDir::Name);
}

std::string UpdateList(const std::string& folder)
{
    std::string list;
    for (const QFileInfo& file : UpdateFiles(folder))
        list += file.fileName().toStdString() + "\t" + std::to_string(file.size()) + "\t" +
                file.lastModified().toString("yyyy-MM-dd HH:mm:ss").toStdString() + "\r\n";
    return list;
}

std::optional<std::string> UpdateFile(const std::string& folder, const std::string& name)
{
    const QString wanted = QString::fromStdString(name);
    if (wanted.isEmpty() || wanted.contains('/') || wanted.contains('\\') || wanted.contains(".."))
        return std::nullopt;
    for (const QFileInfo& file : UpdateFiles(folder))
        if (file.fileName().compare(wanted, Qt::CaseInsensitive) == 0)
            return file.absoluteFilePath().toStdString();
    return std::nullopt;
}
