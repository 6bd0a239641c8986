#include "core/management/EditionDetection.h"

#include "core/management/EditionTable.h"
#include "core/management/ManagementServices.h"
#include "platform/FileSystem.h"

EditionEnvironment SystemEditionEnvironment()
{
    return {
        [](const QString& path) { return platform::FileExists(path.toStdString()); },
        [](const QString& machine, const QString& service) {
            return ServiceState(machine, service);
        },
        [] { return LocalComputerName(); },
    };
}

QString DetectEdition(const EditionEnvironment& environment)
{
    const QString computer = environment.computerName();
    for (const EditionRow& row : EditionTable()) {
        if (environment.fileExists(row.iniFile) &&
            IsRunningState(environment.serviceState(computer, row.serviceName)))
            return row.label;
    }
    return {};
}
