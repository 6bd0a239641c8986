#include "LocalConnectionText.h"
#include "LocalDatabaseOpen.h"

#include <QSqlDatabase>
#include <QSqlError>

// Windows: the Access file itself through the Access ODBC driver; the statements run verbatim.
bool OpenLocalDatabase(const QString& connectionName, const QString& programFolder, QString& error)
{
    QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), connectionName);
    connection.setDatabaseName(AccessOdbcConnectionString(LocalConnectionText(programFolder)));
    if (connection.open())
        return true;
    error = connection.lastError().text();
    return false;
}
