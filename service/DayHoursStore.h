#pragma once

#include <optional>
#include <sqlite3.h>
#include <string>

// The hours a pharmacy gave for single dates: the rows of the legal-holiday and festival pages
// (keyed by date and holiday name) and the dates of the specific-Sunday list.

// Start and end as stored: grid times, or "00000" for both on a holiday not worked; the end of a
// specific date may be empty (not given).
struct StoredHours
{
    std::string start;
    std::string end;
};

// The licence's row for the named holiday on the day; a row stored before rows carried names
// stands for every holiday of its day.
std::optional<StoredHours> HolidayHours(sqlite3* db, const std::string& license,
                                        const std::string& day, const std::string& name);
void PutHolidayHours(sqlite3* db, const std::string& license, const std::string& day,
                     const std::string& name, const StoredHours& hours, const std::string& updated);

// The licence's entry of the specific-Sunday list for the day.
std::optional<StoredHours> SpecificDayHours(sqlite3* db, const std::string& license,
                                            const std::string& day);
void PutSpecificDay(sqlite3* db, const std::string& license, const std::string& day,
                    const StoredHours& hours);
