#include "ProgramConfig.h"

#include "BuildDefaults.h"

#include <QDir>

namespace {

QString EnvironmentOr(const char* name, const QString& fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
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
    return config;
}
