#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// The local database (holiday calendar and postal directory) in ProgramFolder, as the
// LocalDatabaseSession opened it.

// The name of the local connection among Qt's SQL connections.
inline const QString LocalConnectionName = QStringLiteral("LocalConnection");

// The shared query on the local connection; null when the database did not open.
inline QSqlQuery* LocalQuery = nullptr;

// The local connection (registered even when the database did not open; a query on it then
// fails with an error of its own).
inline QSqlDatabase LocalConnection()
{
    return QSqlDatabase::database(LocalConnectionName, false);
}
