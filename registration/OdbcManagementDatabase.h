#pragma once

#include "registration/ManagementDatabase.h"

#include <QSqlQuery>
#include <memory>

// The management database through Qt's ODBC driver: the OLE DB connection text is translated to
// the keywords of the SQL Server ODBC driver of the platform (FreeTDS on Linux). The login
// and the requests on the connection time out after 15 seconds; it closes with the object.
class OdbcManagementDatabase : public ManagementDatabase
{
public:
    OdbcManagementDatabase() = default;
    ~OdbcManagementDatabase() override;
    OdbcManagementDatabase(const OdbcManagementDatabase&) = delete;
    OdbcManagementDatabase& operator=(const OdbcManagementDatabase&) = delete;

    bool Open(const QString& connectionText, QString& error) override;
    bool OpenSql(const QString& statement, ManagementRows& rows, QString& error) override;
    bool ExecSql(const QString& statement, QString& error) override;
    bool TryOpenSql(const QString& statement) override;
    void Close() override;

private:
    std::unique_ptr<QSqlQuery> query_;
};
