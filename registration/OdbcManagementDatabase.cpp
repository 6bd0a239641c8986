#include "registration/OdbcManagementDatabase.h"

#include "core/localdb/SqlOperations.h"
#include "registration/ManagementConnectionText.h"

#include <QSqlDatabase>
#include <QSqlError>

namespace {

const QString ConnectionName = QStringLiteral("ManagementConnection");
const QString Driver = QStringLiteral(QUILLANE_SQLSERVER_ODBC_DRIVER);
const QString TimeOuts = QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=15;SQL_ATTR_CONNECTION_TIMEOUT=15");

} // namespace

OdbcManagementDatabase::~OdbcManagementDatabase()
{
    Close();
}

bool OdbcManagementDatabase::Open(const QString& connectionText, QString& error)
{
    Close();
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), ConnectionName);
    database.setDatabaseName(OdbcConnectionText(connectionText, Driver));
    database.setConnectOptions(TimeOuts);
    if (!database.open()) {
        error = database.lastError().text();
        return false;
    }
    query_ = std::make_unique<QSqlQuery>(database);
    return true;
}

bool OdbcManagementDatabase::OpenSql(const QString& statement, ManagementRows& rows, QString& error)
{
    rows.clear();
    if (!query_) {
        error = QStringLiteral("not connected");
        return false;
    }
    if (!::OpenSql(*query_, statement, error))
        return false;
    while (query_->next())
        rows << query_->record();
    return true;
}

bool OdbcManagementDatabase::ExecSql(const QString& statement, QString& error)
{
    if (!query_) {
        error = QStringLiteral("not connected");
        return false;
    }
    return ::ExecSql(*query_, statement, error);
}

bool OdbcManagementDatabase::TryOpenSql(const QString& statement)
{
    return query_ && ::TryOpenSql(*query_, statement);
}

void OdbcManagementDatabase::Close()
{
    query_.reset();
    if (!QSqlDatabase::contains(ConnectionName))
        return;
    QSqlDatabase::database(ConnectionName, false).close();
    QSqlDatabase::removeDatabase(ConnectionName);
}
