#pragma once

#include <sqlite3.h>
#include <string>
#include <vector>

// The fourteen records of the weekly-hours page: weekday start and end, night-duty day ("2" Monday
// to "6" Friday) and closing time, Saturday, every Sunday, the Sundays of weeks 1 to 5
// ("HH:MM,HH:MM") and the operation type; ":" (or empty) marks a row not worked.

// The records of a schedule never registered: nothing worked, operation type "0".
const std::vector<std::string>& UnregisteredWeek();

// The licence's stored records, or those of an unregistered schedule.
std::vector<std::string> StoredWeek(sqlite3* db, const std::string& license);

// The records joined with "]", as they are stored.
std::string JoinedWeek(const std::vector<std::string>& records);
