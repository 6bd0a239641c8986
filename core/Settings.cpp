#include "Settings.h"

#include "FileNameCase.h"
#include "FolderSync.h"
#include "IniDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

Q_LOGGING_CATEGORY(lcSettings, "quillane.settings")

namespace {

std::optional<QByteArray> ReadExistingFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSettings) << "cannot read" << path << ":" << file.errorString();
        return std::nullopt;
    }
    return file.readAll();
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, bool isNew)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcSettings) << "cannot write" << path << ":" << file.errorString();
        return false;
    }
    // An existing file keeps its permissions; a new one holds the birth number: owner only.
    if (isNew)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(bytes);
    if (!file.commit()) {
        qCWarning(lcSettings) << "cannot write" << path << ":" << file.errorString();
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!platform::SyncFolder(folder.toStdString())) {
        qCWarning(lcSettings) << "cannot sync the folder" << folder;
        return false;
    }
    return true;
}

} // namespace

QString ReadIniString(const QString& path, const QString& section, const QString& key,
                      const QString& defaultValue)
{
    const QString existing = ExistingFilePath(path);
    if (!QFileInfo(existing).isFile())
        return defaultValue;
    const auto bytes = ReadExistingFile(existing);
    if (!bytes)
        return defaultValue;
    return IniDocument::FromBytes(*bytes).Value(section, key).value_or(defaultValue);
}

bool WriteIniString(const QString& path, const QString& section, const QString& key,
                    const QString& value)
{
    const QString existing = ExistingFilePath(path);
    const bool isNew = !QFileInfo(existing).exists();
    const auto bytes = isNew ? QByteArray() : ReadExistingFile(existing);
    if (!bytes)
        return false;
    IniDocument document = IniDocument::FromBytes(*bytes);
    QString error;
    if (!document.SetValue(section, key, value, error)) {
        qCWarning(lcSettings) << "not written to" << existing << ":" << error;
        return false;
    }
    return ReplaceFile(existing, document.ToBytes(), isNew);
}
