#pragma once

#include <QString>

// The local database's file, beside the executable.
inline const QString LocalDatabaseFileName = QStringLiteral("Quillane.MDB");

// The Jet 4.0 connection text of the local database in programFolder (with its trailing
// separator), as the program has always used it.
QString LocalConnectionText(const QString& programFolder);

// The same connection for the Access ODBC driver: the file named by "Data Source" of the Jet
// connection text; the Jet options left are the driver's defaults (no password, shared mode).
QString AccessOdbcConnectionString(const QString& jetConnectionText);
