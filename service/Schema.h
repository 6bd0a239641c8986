#pragma once

#include <sqlite3.h>

// Creates the tables of a new database; true when they were created now.
bool CreateSchema(sqlite3* db);
