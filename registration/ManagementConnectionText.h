#pragma once

#include "core/management/EditionTable.h"

#include <QString>

// The connection texts of the management database: the OLE DB text of each edition, and its
// translation into the keywords of an ODBC driver, which is how this program reaches it.

// The edition's prefix, the database host and the edition's instance suffix.
QString ManagementConnectionText(const EditionRow& edition, const QString& host);

// The same server, database and login as ODBC keywords for the named driver. Values in quotes
// lose them; a value with a character that ODBC reserves is put in braces.
QString OdbcConnectionText(const QString& oleDbText, const QString& driver);
