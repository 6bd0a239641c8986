#include "service/DaySchedule.h"

#include "service/DayHoursStore.h"
#include "service/GridTime.h"
#include "service/WeeklyRecords.h"

#include <algorithm>

namespace {

int Minutes(const std::string& time)
{
    return std::stoi(time.substr(0, 2)) * 60 + std::stoi(time.substr(3, 2));
}

// A weekly row is worked when its start is a time (":" or empty: not worked).
bool Worked(const std::string& start)
{
    return IsGridTime(start);
}

void AddHoliday(std::vector<WorkSpan>& spans, const std::optional<StoredHours>& hours)
{
    if (hours && Worked(hours->start))
        spans.push_back({hours->start, hours->end});
}

std::vector<WorkSpan> WeeklySpans(const std::vector<std::string>& week, QDate day)
{
    switch (day.dayOfWeek()) {
    case Qt::Sunday: {
        const std::string& ofWeek = week[static_cast<std::size_t>(8 + (day.day() - 1) / 7)];
        if (ofWeek.size() == 11 && Worked(ofWeek.substr(0, 5)))
            return {{ofWeek.substr(0, 5), ofWeek.substr(6)}};
        if (Worked(week[6]))
            return {{week[6], week[7]}};
        return {};
    }
    case Qt::Saturday:
        return Worked(week[4]) ? std::vector<WorkSpan>{{week[4], week[5]}}
                               : std::vector<WorkSpan>{};
    default: {
        if (!Worked(week[0]))
            return {};
        // On the night-duty day the later of the two closing times holds.
        const bool dutyDay = week[2] == std::to_string(day.dayOfWeek() + 1) && IsGridTime(week[3]);
        return {{week[0], dutyDay ? std::max(week[1], week[3]) : week[1]}};
    }
    }
}

} // namespace

bool WorkSpan::EndGiven() const
{
    return IsGridTime(end) && end > start;
}

int WorkSpan::StartMinutes() const
{
    return Minutes(start);
}

int WorkSpan::EndMinutes() const
{
    return Minutes(end);
}

// A holiday's own rows come first; when none of them gives hours (not answered, or answered not
// worked), an entry of the specific-Sunday list for the date holds, else the day is not worked.
DaySchedule ScheduleOf(sqlite3* db, const HolidayCalendar& calendar, const std::string& license,
                       QDate day)
{
    const std::string date = day.toString(Qt::ISODate).toStdString();
    DaySchedule schedule;
    if (const std::string festival = calendar.FestivalOn(day); !festival.empty()) {
        schedule.source = DaySource::Festival;
        schedule.holidays = {festival};
    } else {
        schedule.holidays = calendar.LegalHolidaysOn(day);
        if (!schedule.holidays.empty())
            schedule.source = DaySource::LegalHoliday;
    }
    for (const std::string& name : schedule.holidays)
        AddHoliday(schedule.spans, HolidayHours(db, license, date, name));
    if (!schedule.spans.empty())
        return schedule;
    if (const auto specific = SpecificDayHours(db, license, date)) {
        DaySchedule entry{DaySource::SpecificDate, {}, {}};
        AddHoliday(entry.spans, specific);
        if (!entry.spans.empty() || schedule.holidays.empty())
            return entry;
    }
    if (schedule.holidays.empty())
        schedule.spans = WeeklySpans(StoredWeek(db, license), day);
    return schedule;
}
