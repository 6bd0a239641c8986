#include "registration/ManagementEnvironment.h"

#include "core/management/EditionDetection.h"
#include "core/management/ManagementServices.h"
#include "core/settings/Settings.h"
#include "registration/OdbcManagementDatabase.h"

namespace {

ManagementEnvironment& Current()
{
    static ManagementEnvironment environment = SystemManagementEnvironment();
    return environment;
}

} // namespace

// The database host is key "PATH" of section "DATAPATH" of the edition's INI file.
ManagementEnvironment SystemManagementEnvironment()
{
    return {
        [] { return DetectedEdition; },
        [](const QString& iniFile) {
            return ReadIniString(iniFile, QStringLiteral("DATAPATH"), QStringLiteral("PATH"), {});
        },
        IsServiceRunning,
        StartSqlService,
        LocalComputerName,
        [] { return std::make_unique<OdbcManagementDatabase>(); },
    };
}

const ManagementEnvironment& CurrentManagementEnvironment()
{
    return Current();
}

void SetManagementEnvironment(ManagementEnvironment environment)
{
    Current() = std::move(environment);
}
