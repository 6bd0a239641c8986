#include "core/localdb/SqlOperations.h"

#include "core/localdb/JetDialect.h"

#include <QSqlDriver>
#include <QSqlError>

namespace {

QString InDriverDialect(const QSqlQuery& query, const QString& statement)
{
    const QSqlDriver* driver = query.driver();
    const bool sqlite = driver && driver->dbmsType() == QSqlDriver::SQLite;
    return sqlite ? JetToSqlite(statement) : statement;
}

bool Run(QSqlQuery& query, const QString& statement, QString& error)
{
    query.finish();
    if (query.exec(InDriverDialect(query, statement)))
        return true;
    error = query.lastError().text();
    return false;
}

} // namespace

bool OpenSql(QSqlQuery& query, const QString& statement, QString& error)
{
    return Run(query, statement, error);
}

bool ExecSql(QSqlQuery& query, const QString& statement, QString& error)
{
    if (!Run(query, statement, error))
        return false;
    query.finish();
    return true;
}

bool TryOpenSql(QSqlQuery& query, const QString& statement)
{
    QString error;
    return OpenSql(query, statement, error);
}
