#pragma once

#include <QString>

// The automatic update of the start-up: compares the installed version with the service's and
// hands over to the updater when a newer one is offered. It may end the process.
void UpdateProgram(const QString& installedVersion);
