#include "service/Schema.h"

#include "service/Statement.h"

#include <array>

namespace {

// The first version of the tables; later versions are the steps below.
constexpr const char* FirstTables = R"sql(
CREATE TABLE requests (
  id INTEGER PRIMARY KEY, time TEXT NOT NULL, method TEXT NOT NULL, target TEXT NOT NULL,
  body BLOB NOT NULL, status INTEGER NOT NULL);
CREATE TABLE members (
  license TEXT PRIMARY KEY, name TEXT NOT NULL, birth TEXT NOT NULL, owner INTEGER NOT NULL);
CREATE TABLE masters (
  license TEXT PRIMARY KEY, pharmacy TEXT, zip1 TEXT, zip2 TEXT, province TEXT, district TEXT,
  town TEXT, address TEXT, detail TEXT, phone TEXT, mobile TEXT, fax TEXT, location TEXT);
CREATE TABLE registrations (
  license TEXT PRIMARY KEY, paname TEXT, pharmacy TEXT, zip1 TEXT, zip2 TEXT, address1 TEXT,
  address2 TEXT, address3 TEXT, address4 TEXT, phone TEXT, mobile TEXT, fax TEXT,
  location TEXT, comname TEXT, birth TEXT, chk TEXT, updated TEXT);
CREATE TABLE presence (
  license TEXT PRIMARY KEY, comname TEXT, state TEXT, sent_time TEXT, received TEXT);
CREATE TABLE presence_history (
  id INTEGER PRIMARY KEY, license TEXT, comname TEXT, state TEXT, sent_time TEXT, received TEXT);
CREATE TABLE weekly (
  license TEXT PRIMARY KEY, records TEXT NOT NULL, comname TEXT, updated TEXT);
CREATE TABLE sundays (
  license TEXT, day TEXT, start TEXT, finish TEXT, PRIMARY KEY (license, day));
CREATE TABLE day_hours (
  license TEXT, day TEXT, start TEXT, finish TEXT, updated TEXT, PRIMARY KEY (license, day));
CREATE TABLE holiday_reports (
  id INTEGER PRIMARY KEY, license TEXT, day TEXT, start TEXT, finish TEXT, received TEXT);
)sql";

// Step n brings a database of version n to version n + 1.
constexpr std::array<const char*, 1> Steps{
    // Refusals noted in the request log; holiday hours keyed by the holiday's name as well, so
    // that two holidays on one date keep their own answers (rows kept from before get no name).
    R"sql(
ALTER TABLE requests ADD COLUMN note TEXT NOT NULL DEFAULT '';
CREATE TABLE day_hours_named (
  license TEXT, day TEXT, name TEXT NOT NULL DEFAULT '', start TEXT, finish TEXT, updated TEXT,
  PRIMARY KEY (license, day, name));
INSERT INTO day_hours_named (license, day, start, finish, updated)
  SELECT license, day, start, finish, updated FROM day_hours;
DROP TABLE day_hours;
ALTER TABLE day_hours_named RENAME TO day_hours;
)sql"};

int Version(sqlite3* db)
{
    Statement version(db, "PRAGMA user_version");
    version.Step();
    return static_cast<int>(version.Int(0));
}

} // namespace

bool CreateSchema(sqlite3* db)
{
    const int version = Version(db);
    if (version >= static_cast<int>(Steps.size()) + 1)
        return false;
    Execute(db, "BEGIN");
    try {
        if (version == 0)
            Execute(db, FirstTables);
        for (std::size_t step = static_cast<std::size_t>(version == 0 ? 0 : version - 1);
             step < Steps.size(); ++step)
            Execute(db, Steps[step]);
        Execute(db, ("PRAGMA user_version = " + std::to_string(Steps.size() + 1)).c_str());
        Execute(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    return version == 0;
}
