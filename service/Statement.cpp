#include "service/Statement.h"

#include <map>
#include <mutex>
#include <unordered_map>

namespace {

// Prepared statements not in use, by connection and text; only connections that keep theirs.
using KeptStatements = std::unordered_multimap<std::string, sqlite3_stmt*>;
std::mutex KeptMutex;
std::map<sqlite3*, KeptStatements> Kept;

sqlite3_stmt* TakeKept(sqlite3* db, const std::string& sql, bool& keeps)
{
    std::lock_guard lock(KeptMutex);
    const auto connection = Kept.find(db);
    keeps = connection != Kept.end();
    if (!keeps)
        return nullptr;
    const auto found = connection->second.find(sql);
    if (found == connection->second.end())
        return nullptr;
    sqlite3_stmt* statement = found->second;
    connection->second.erase(found);
    return statement;
}

// Keeps a statement for reuse; false when its connection does not keep statements.
bool GiveBack(sqlite3* db, std::string sql, sqlite3_stmt* statement)
{
    std::lock_guard lock(KeptMutex);
    const auto connection = Kept.find(db);
    if (connection == Kept.end())
        return false;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    connection->second.emplace(std::move(sql), statement);
    return true;
}

} // namespace

void KeepStatements(sqlite3* db)
{
    std::lock_guard lock(KeptMutex);
    Kept.try_emplace(db);
}

void ForgetStatements(sqlite3* db)
{
    std::lock_guard lock(KeptMutex);
    const auto connection = Kept.find(db);
    if (connection == Kept.end())
        return;
    for (const auto& [sql, statement] : connection->second)
        sqlite3_finalize(statement);
    Kept.erase(connection);
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db), sql_(sql)
{
    bool keeps = false;
    statement_ = TakeKept(db, sql_, keeps);
    if (statement_)
        return;
    Check(sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                             keeps ? SQLITE_PREPARE_PERSISTENT : 0, &statement_, nullptr),
          SQLITE_OK);
}

Statement::~Statement()
{
    if (!statement_ || !GiveBack(db_, std::move(sql_), statement_))
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
