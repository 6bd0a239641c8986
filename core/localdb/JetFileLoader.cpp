#include "core/localdb/JetFileLoader.h"

#include "core/localdb/JetCatalogCheck.h"
#include "core/localdb/JetUsageMap.h"
#include "core/localdb/Libmdb.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <clocale>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

// Room for a memo of 300,000 Korean characters in UTF-8; libmdb cuts longer values here.
constexpr size_t MemoBindSize = size_t{1} << 20;
// Room for any value stored inside a row, which lies on one 4 KB page: 4,096 single-byte
// characters of two UTF-8 bytes at most. libmdb allocates a buffer of the bind size for every
// text value it reads, so tables without memos are read with this smaller one.
constexpr size_t RowBindSize = size_t{16} << 10;
constexpr int RowOffsetMask = 0x1fff;

using MdbPtr = std::unique_ptr<MdbHandle, decltype(&mdb_close)>;
using TablePtr = std::unique_ptr<MdbTableDef, decltype(&mdb_free_tabledef)>;
using StatementPtr = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

// libmdb formats numbers with the C library's LC_NUMERIC; the copy needs '.' as decimal point
// whatever the user's locale says.
class CNumericLocale
{
public:
    CNumericLocale() : saved(std::setlocale(LC_NUMERIC, nullptr))
    {
        std::setlocale(LC_NUMERIC, "C");
    }
    ~CNumericLocale() { std::setlocale(LC_NUMERIC, saved.c_str()); }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    std::string saved;
};

// One column of the copy: libmdb writes the value as text into buffer and its length into
// length. The buffer is not zeroed first: libmdb ends every value it writes, and zeroing a
// megabyte for each column of a table with memos cost more than reading a small table.
struct BoundColumn
{
    int index = 0;
    std::unique_ptr<char[]> buffer;
    int length = 0;
};

const char* SqliteType(int mdbType)
{
    switch (mdbType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return "INTEGER";
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return "REAL";
    default:
        return "TEXT";
    }
}

std::string QuotedName(const char* name)
{
    std::string quoted = "\"";
    for (const char* c = name; *c; ++c)
        quoted += *c == '"' ? std::string("\"\"") : std::string(1, *c);
    return quoted + '"';
}

MdbColumn* ColumnAt(MdbTableDef* table, unsigned index)
{
    return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, index));
}

// The bound values cannot tell NULL from '' (both come back empty); the null bitmap of the row
// just fetched can.
std::vector<bool> NullColumns(MdbTableDef* table)
{
    std::vector<bool> nulls(table->num_cols, false);
    int start = 0;
    size_t size = 0;
    if (mdb_find_row(table->entry->mdb, static_cast<int>(table->cur_row) - 1, &start, &size) != 0)
        return nulls;
    std::vector<MdbField> fields(table->num_cols);
    const int count = mdb_crack_row(table, start & RowOffsetMask, size, fields.data());
    for (int i = 0; i < std::min(count, static_cast<int>(table->num_cols)); ++i)
        nulls[fields[i].colnum] = fields[i].is_null != 0;
    return nulls;
}

// Creates the table in target with one column for each bound column.
bool CreateTable(MdbTableDef* table, const std::vector<BoundColumn>& columns, sqlite3* target)
{
    std::string create = "CREATE TABLE " + QuotedName(table->name) + " (";
    for (const BoundColumn& column : columns) {
        const MdbColumn* mdbColumn = ColumnAt(table, column.index);
        create += (&column == &columns.front() ? "" : ", ") + QuotedName(mdbColumn->name) + ' ' +
                  SqliteType(mdbColumn->col_type);
    }
    create += ")";
    return sqlite3_exec(target, create.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

StatementPtr PrepareInsert(MdbTableDef* table, size_t columnCount, sqlite3* target)
{
    std::string insert = "INSERT INTO " + QuotedName(table->name) + " VALUES (";
    for (size_t i = 0; i < columnCount; ++i)
        insert += i == 0 ? "?" : ", ?";
    insert += ")";
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(target, insert.c_str(), -1, &statement, nullptr);
    return StatementPtr(statement, &sqlite3_finalize);
}

bool InsertRow(sqlite3_stmt* insert, MdbTableDef* table, const std::vector<BoundColumn>& columns)
{
    const bool anyEmpty = std::any_of(columns.begin(), columns.end(),
                                      [](const BoundColumn& column) { return column.length == 0; });
    const std::vector<bool> nulls = anyEmpty ? NullColumns(table) : std::vector<bool>();
    for (size_t i = 0; i < columns.size(); ++i) {
        const int parameter = static_cast<int>(i) + 1;
        const BoundColumn& column = columns[i];
        if (anyEmpty && nulls[column.index])
            sqlite3_bind_null(insert, parameter);
        else
            sqlite3_bind_text(insert, parameter, column.buffer.get(), column.length, SQLITE_STATIC);
    }
    const bool inserted = sqlite3_step(insert) == SQLITE_DONE;
    sqlite3_reset(insert);
    return inserted;
}

bool HasMemo(MdbTableDef* table)
{
    for (unsigned i = 0; i < table->num_cols; ++i) {
        if (ColumnAt(table, i)->col_type == MDB_MEMO)
            return true;
    }
    return false;
}

bool CopyTable(MdbTableDef* table, sqlite3* target)
{
    mdb_set_bind_size(table->entry->mdb, HasMemo(table) ? MemoBindSize : RowBindSize);
    std::vector<BoundColumn> columns;
    columns.reserve(table->num_cols);
    for (unsigned i = 0; i < table->num_cols; ++i) {
        if (ColumnAt(table, i)->col_type != MDB_OLE)
            columns.push_back({static_cast<int>(i),
                               std::make_unique_for_overwrite<char[]>(table->entry->mdb->bind_size),
                               0});
    }
    if (!CreateTable(table, columns, target))
        return false;
    StatementPtr insert = PrepareInsert(table, columns.size(), target);
    if (!insert)
        return false;
    for (BoundColumn& column : columns)
        mdb_bind_column(table, column.index + 1, column.buffer.get(), &column.length);
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        if (!InsertRow(insert.get(), table, columns))
            return false;
    }
    return true;
}

// The catalog is read once; libmdb keeps it in the handle.
bool CopyUserTables(MdbHandle* mdb, sqlite3* target, QString& error)
{
    const GPtrArray* catalog = mdb_read_catalog(mdb, MDB_TABLE);
    if (!catalog) {
        error = QStringLiteral("cannot read the catalog");
        return false;
    }
    for (guint i = 0; i < catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
        if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry))
            continue;
        const QString name = QString::fromUtf8(entry->object_name);
        TablePtr table(mdb_read_table(entry), &mdb_free_tabledef);
        if (!table || !mdb_read_columns(table.get()) || !UsageMapReadable(*table)) {
            error = QStringLiteral("cannot read table ") + name;
            return false;
        }
        if (!CopyTable(table.get(), target)) {
            error = QStringLiteral("cannot copy table ") + name + QStringLiteral(": ") +
                    QString::fromUtf8(sqlite3_errmsg(target));
            return false;
        }
    }
    return true;
}

} // namespace

bool LoadJetFile(const QString& filePath, sqlite3* target, QString& error)
{
    if (!QFileInfo(filePath).isFile()) {
        error = filePath + QStringLiteral(" does not exist");
        return false;
    }
    const CNumericLocale numericLocale;
    MdbPtr mdb(mdb_open(QFile::encodeName(filePath).constData(), MDB_NOFLAGS), &mdb_close);
    if (!mdb) {
        error = filePath + QStringLiteral(" is not a readable Access file");
        return false;
    }
    mdb_set_bind_size(mdb.get(), RowBindSize);
    mdb_set_date_fmt(mdb.get(), "%Y-%m-%d %H:%M:%S");
    mdb_set_shortdate_fmt(mdb.get(), "%Y-%m-%d");
    mdb_set_boolean_fmt_numbers(mdb.get());

    if (!CatalogReadable(mdb.get(), static_cast<size_t>(QFileInfo(filePath).size()))) {
        error = filePath + QStringLiteral(": the catalog is damaged");
        return false;
    }

    sqlite3_exec(target, "BEGIN", nullptr, nullptr, nullptr);
    QString copyError;
    if (!CopyUserTables(mdb.get(), target, copyError)) {
        sqlite3_exec(target, "ROLLBACK", nullptr, nullptr, nullptr);
        error = filePath + QStringLiteral(": ") + copyError;
        return false;
    }
    if (sqlite3_exec(target, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    error = filePath + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(target));
    return false;
}
