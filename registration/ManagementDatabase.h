#pragma once

#include <QList>
#include <QSqlRecord>
#include <QString>

// The rows a statement returned; column names are matched without regard to case.
using ManagementRows = QList<QSqlRecord>;

// The pharmacy-management system's SQL Server database as the import reaches it: one connection
// at a time, opened with the edition's OLE DB connection text. Failures come back as no with the
// database's error text.
class ManagementDatabase
{
public:
    virtual ~ManagementDatabase() = default;

    // Closes any earlier connection and opens the one the text names, without a login prompt.
    virtual bool Open(const QString& connectionText, QString& error) = 0;
    // Runs a statement that returns rows and hands all of them back.
    virtual bool OpenSql(const QString& statement, ManagementRows& rows, QString& error) = 0;
    // Runs a statement that returns no rows.
    virtual bool ExecSql(const QString& statement, QString& error) = 0;
    // Whether the statement ran; its rows are not kept.
    virtual bool TryOpenSql(const QString& statement) = 0;
    virtual void Close() = 0;
};
