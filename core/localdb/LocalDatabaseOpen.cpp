#include "core/localdb/LocalDatabaseOpen.h"

#include "core/localdb/JetFileLoader.h"
#include "core/localdb/LocalFileKind.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

// Quillane.MDB is either an SQLite database (what the build makes from data/) or an Access
// (Jet 4) file, which is copied into an in-memory SQLite database, on every system alike. The
// statements then run on SQLite (see JetDialect.h).

namespace {

sqlite3* SqliteHandle(const QSqlDatabase& connection)
{
    const QVariant handle = connection.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

bool Failed(QSqlDatabase& connection, const QString& reason, QString& error)
{
    error = reason;
    connection.close();
    return false;
}

// The program only reads the database, so it is opened read-only; reading its schema proves
// that the file is a whole database.
bool OpenSqliteFile(QSqlDatabase& connection, const QString& filePath, QString& error)
{
    connection.setDatabaseName(filePath);
    connection.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!connection.open())
        return Failed(connection, connection.lastError().text(), error);
    QSqlQuery schema(connection);
    if (!schema.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return Failed(connection, schema.lastError().text(), error);
    return true;
}

bool OpenJetFile(QSqlDatabase& connection, const QString& filePath, QString& error)
{
    connection.setDatabaseName(QStringLiteral(":memory:"));
    if (!connection.open())
        return Failed(connection, connection.lastError().text(), error);
    sqlite3* memory = SqliteHandle(connection);
    if (!memory)
        return Failed(connection, QStringLiteral("the SQLite driver gives no handle"), error);
    QString loadError;
    if (!LoadJetFile(filePath, memory, loadError))
        return Failed(connection, loadError, error);
    return true;
}

} // namespace

bool OpenLocalDatabase(const QString& connectionName, const QString& programFolder, QString& error)
{
    QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    const QString filePath = programFolder + LocalDatabaseFileName;
    switch (DetectLocalFileKind(filePath)) {
    case LocalFileKind::Sqlite:
        return OpenSqliteFile(connection, filePath, error);
    case LocalFileKind::Jet:
        return OpenJetFile(connection, filePath, error);
    case LocalFileKind::Unreadable:
        error = filePath + QStringLiteral(" is missing or unreadable");
        return false;
    case LocalFileKind::Unknown:
        break;
    }
    error = filePath + QStringLiteral(" is neither an SQLite nor an Access database");
    return false;
}
