#pragma once

#include <QSqlQuery>
#include <memory>

// Opens the local database (holiday calendar and postal directory) once at start-up and owns
// the local connection and LocalQuery for the rest of the process. A missing or unreadable
// database shows "Quillane.MDB 연결실패!!" and leaves LocalQuery null; the program runs on.
class LocalDatabaseSession
{
public:
    LocalDatabaseSession();
    ~LocalDatabaseSession();
    LocalDatabaseSession(const LocalDatabaseSession&) = delete;
    LocalDatabaseSession& operator=(const LocalDatabaseSession&) = delete;

private:
    std::unique_ptr<QSqlQuery> query_;
};
