#pragma once

#include <QString>

struct sqlite3;

// Copies every user table of an Access (Jet 3/4) file into the SQLite database target, in one
// transaction. Column types are kept: integer and yes/no columns become INTEGER, single and
// double columns REAL, everything else TEXT (dates as "YYYY-MM-DD HH:MM:SS", currency with four
// decimals); NULL stays NULL and '' stays ''. OLE object columns are left out. False with the
// reason when the file cannot be read.
bool LoadJetFile(const QString& filePath, sqlite3* target, QString& error);
