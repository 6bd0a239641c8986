#include "service/DayHoursStore.h"

#include "service/Statement.h"

std::optional<StoredHours> HolidayHours(sqlite3* db, const std::string& license,
                                        const std::string& day, const std::string& name)
{
    Statement row(db, "SELECT start, finish FROM day_hours WHERE license = ?1 AND day = ?2 "
                      "AND name IN (?3, '') ORDER BY name = '' LIMIT 1");
    row.Bind(1, license).Bind(2, day).Bind(3, name);
    if (!row.Step())
        return std::nullopt;
    return StoredHours{row.Text(0), row.Text(1)};
}

void PutHolidayHours(sqlite3* db, const std::string& license, const std::string& day,
                     const std::string& name, const StoredHours& hours, const std::string& updated)
{
    Statement(db, "INSERT OR REPLACE INTO day_hours (license, day, name, start, finish, updated) "
                  "VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
        .Bind(1, license)
        .Bind(2, day)
        .Bind(3, name)
        .Bind(4, hours.start)
        .Bind(5, hours.end)
        .Bind(6, updated)
        .Run();
}

std::optional<StoredHours> SpecificDayHours(sqlite3* db, const std::string& license,
                                            const std::string& day)
{
    Statement row(db, "SELECT start, finish FROM sundays WHERE license = ?1 AND day = ?2");
    row.Bind(1, license).Bind(2, day);
    if (!row.Step())
        return std::nullopt;
    return StoredHours{row.Text(0), row.Text(1)};
}

void PutSpecificDay(sqlite3* db, const std::string& license, const std::string& day,
                    const StoredHours& hours)
{
    Statement(db, "INSERT OR REPLACE INTO sundays (license, day, start, finish) "
                  "VALUES (?1, ?2, ?3, ?4)")
        .Bind(1, license)
        .Bind(2, day)
        .Bind(3, hours.start)
        .Bind(4, hours.end)
        .Run();
}
