#pragma once

#include <QString>

// The management system's database services and this computer's name, over the platform layer.
// Any failure of the service control manager counts as not running; platforms without one
// answer 0 and no.

// The service's state (4 running), or 0 when it cannot be read.
int ServiceState(const QString& machine, const QString& service);

// Only state 4 counts as running; start pending (2) and the rest do not.
bool IsRunningState(int state);

// Yes exactly when the service's state is 4.
bool IsServiceRunning(const QString& machine, const QString& service);

// Starts the service and waits while it reports progress (at most two minutes); yes when it
// runs at the end.
bool StartSqlService(const QString& machine, const QString& service);

// This computer's name, at most 15 characters.
QString LocalComputerName();
