#pragma once

#include <sqlite3.h>

// Creates the tables of a new database or brings an older one up to date, keeping its rows;
// true when the tables were created now.
bool CreateSchema(sqlite3* db);
