#pragma once

#include <cstdint>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <string_view>

// A failure of the store; pages turn it into the internal-error page.
class StoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One prepared statement: bind parameters (numbered from 1), step through rows, read columns. On
// a connection that keeps its statements (KeepStatements) the statement is prepared once and
// reused; a connection is used by one thread at a time.
class Statement
{
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::string_view text);
    Statement& Bind(int index, std::int64_t number);
    Statement& BindBlob(int index, std::string_view bytes);

    // Advances to the next row; false when there is none.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();

    std::string Text(int column) const;
    std::int64_t Int(int column) const;

private:
    void Check(int code, int expected) const;

    sqlite3* db_;
    std::string sql_;
    sqlite3_stmt* statement_ = nullptr;
};

// Starts keeping the prepared statements of db for reuse.
void KeepStatements(sqlite3* db);
// Finalizes the statements kept for db; call before closing it.
void ForgetStatements(sqlite3* db);

// Runs statements without parameters (schema, pragmas, transactions).
void Execute(sqlite3* db, const char* sql);
