#pragma once

#include "registration/ManagementDatabase.h"

#include <QString>
#include <functional>
#include <memory>

// What the import asks of the computer and of the management system. The program's environment
// asks the platform and the management database through ODBC; tests replace it.
struct ManagementEnvironment
{
    std::function<QString()> edition; // the edition detected at start, or empty
    std::function<QString(const QString& iniFile)> databaseHost;
    std::function<bool(const QString& machine, const QString& service)> isServiceRunning;
    std::function<bool(const QString& machine, const QString& service)> startSqlService;
    std::function<QString()> computerName;
    std::function<std::unique_ptr<ManagementDatabase>()> newDatabase;
};

ManagementEnvironment SystemManagementEnvironment();

// The environment in use; the system's until a test replaces it.
const ManagementEnvironment& CurrentManagementEnvironment();
void SetManagementEnvironment(ManagementEnvironment environment);
