#include "Statement.h"

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db)
{
    Check(sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr),
          SQLITE_OK);
}

Statement::~Statement()
{
    sqlite3_finalize(statement_);
}

Statement& Statement::Bind(int index, std::string_view text)
{
    Check(sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT),
          SQLITE_OK);
    return *this;
}

Statement& Statement::Bind(int index, std::int64_t number)
{
    Check(sqlite3_bind_int64(statement_, index, number), SQLITE_OK);
    return *this;
}

Statement& Statement::BindBlob(int index, std::string_view bytes)
{
    Check(sqlite3_bind_blob(statement_, index, bytes.data(), static_cast<int>(bytes.size()),
                            SQLITE_TRANSIENT),
          SQLITE_OK);
    return *this;
}

bool Statement::Step()
{
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW)
        return true;
    Check(code, SQLITE_DONE);
    return false;
}

void Statement::Run()
{
    while (Step()) {
    }
}

std::string Statement::Text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_blob(statement_, column));
    return text ? std::string(text,
                              static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                : std::string();
}

std::int64_t Statement::Int(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

void Statement::Check(int code, int expected) const
{
    if (code != expected)
        throw StoreError(sqlite3_errmsg(db_));
}

void Execute(sqlite3* db, const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw StoreError(text);
    }
}
