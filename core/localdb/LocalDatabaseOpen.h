#pragma once

#include <QString>

// The local database's file, beside the executable.
inline const QString LocalDatabaseFileName = QStringLiteral("Quillane.MDB");

// Registers the local connection under connectionName and opens the local database file in
// programFolder (with its trailing separator). False with the reason when the file is missing,
// unreadable or no database; the connection stays registered but closed.
bool OpenLocalDatabase(const QString& connectionName, const QString& programFolder, QString& error);
