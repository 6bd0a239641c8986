#pragma once

#include "service/HolidayCalendar.h"

#include <QDate>
#include <sqlite3.h>
#include <string>
#include <vector>

// One stretch of work on a day: start and end on the grid ("25:30" is 01:30 of the next day).
// An end that is empty or not after the start was not given: the pharmacy said it works from the
// start but not until when (a reminder's "working" answer comes as 00:00 to 00:00).
struct WorkSpan
{
    std::string start;
    std::string end;

    bool EndGiven() const;
    int StartMinutes() const;
    int EndMinutes() const;
};

// Where a day's hours come from, decided as the pages decide which row a day has: a festival
// day has its row on the festival page; a legal holiday its row on the legal-holiday page
// (never on a Sunday or a festival day; two holidays of one date have a row each); a date of
// the specific-Sunday list its entry; any other day the weekly hours. A holiday whose rows give
// no hours (not answered, or answered not worked) takes its specific-Sunday entry when that gives
// hours: the day's registered hours win over the holiday's default.
enum class DaySource
{
    Festival,
    LegalHoliday,
    SpecificDate,
    Weekly
};

struct DaySchedule
{
    DaySource source = DaySource::Weekly;
    std::vector<std::string> holidays; // the festival's or the legal holidays' names
    std::vector<WorkSpan> spans;       // none: not worked
};

DaySchedule ScheduleOf(sqlite3* db, const HolidayCalendar& calendar, const std::string& license,
                       QDate day);
