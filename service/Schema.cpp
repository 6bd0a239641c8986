#include "Schema.h"

#include "Statement.h"

static constexpr const char* Tables = R"sql(
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
PRAGMA user_version = 1;
)sql";

bool CreateSchema(sqlite3* db)
{
    Statement version(db, "PRAGMA user_version");
    version.Step();
    if (version.Int(0) != 0)
        return false;
    Execute(db, "BEGIN");
    try {
        Execute(db, Tables);
        Execute(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    return true;
}
