#pragma once

#include <QString>

// Registers the local connection under connectionName and opens the local database file in
// programFolder (with its trailing separator). False with the reason when the file is missing,
// unreadable or no database; the connection stays registered but closed. Each operating system
// has its own implementation (LocalDatabaseOpen_posix.cpp, LocalDatabaseOpen_win32.cpp).
bool OpenLocalDatabase(const QString& connectionName, const QString& programFolder, QString& error);
