#include "core/program/ProgramConfig.h"

#include "core/program/BuildDefaults.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace {

QString EnvironmentOr(const char* name, const QString& fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

// The key of a program folder among the user's update folders.
QString FolderKey(const QString& programFolder)
{
    const QString path = QDir(QDir::fromNativeSeparators(programFolder)).absolutePath();
    return QString::fromLatin1(
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
}

QString DefaultUpdateFolder(const QString& programFolder)
{
    return QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
        QStringLiteral("/Quillane/Update/") + FolderKey(programFolder));
}

} // namespace

QString WithTrailingSeparator(const QString& folder)
{
    const QString separator = QDir::separator();
    if (folder.endsWith(u'/') || folder.endsWith(separator))
        return folder;
    return folder + separator;
}

ProgramConfig ReadProgramConfig(const QString& executableFolder)
{
    ProgramConfig config;
    config.serviceHost =
        EnvironmentOr("QUILLANE_SERVICE_HOST", QStringLiteral(QUILLANE_DEFAULT_SERVICE_HOST));
    config.contestHost =
        EnvironmentOr("QUILLANE_CONTEST_HOST", QStringLiteral(QUILLANE_DEFAULT_CONTEST_HOST));
    config.tempFolder = WithTrailingSeparator(
        EnvironmentOr("QUILLANE_TEMP_DIR", QStringLiteral(QUILLANE_DEFAULT_TEMP_DIR)));
    config.programFolder =
        WithTrailingSeparator(EnvironmentOr("QUILLANE_PROGRAM_FOLDER", executableFolder));
    config.updateFolder = WithTrailingSeparator(
        EnvironmentOr("QUILLANE_UPDATE_DIR", DefaultUpdateFolder(config.programFolder)));
    return config;
}
