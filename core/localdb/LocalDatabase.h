#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <memory>

// The local database (holiday calendar and postal directory) in ProgramFolder.

// The name of the local connection among Qt's SQL connections.
inline const QString LocalConnectionName = QStringLiteral("LocalConnection");

// The shared query on the local connection; null when the database did not open.
inline QSqlQuery* LocalQuery = nullptr;

// The local connection (registered even when the database did not open; a query on it then
// fails with an error of its own).
QSqlDatabase LocalConnection();

// Opens the local connection once at start-up and owns it and LocalQuery for the rest of the
// process. A missing or unreadable database shows "Quillane.MDB 연결실패!!" and leaves
// LocalQuery null; the program runs on.
class TLOGIN
{
public:
    TLOGIN();
    ~TLOGIN();
    TLOGIN(const TLOGIN&) = delete;
    TLOGIN& operator=(const TLOGIN&) = delete;

private:
    std::unique_ptr<QSqlQuery> query;
};
