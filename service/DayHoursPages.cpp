#include "AnswerPage.h"
#include "GridTime.h"
#include "Pages.h"
#include "Statement.h"

#include <vector>

namespace {

// The start and end of a day not worked or not answered.
constexpr const char* DayOff = "00000";

struct DayRow
{
    QDate date; // invalid: the row holds no holiday
    std::string name;
};

std::string HoursOf(sqlite3* db, const std::string& license, const std::string& day)
{
    Statement row(db, "SELECT start, finish FROM day_hours WHERE license = ?1 AND day = ?2");
    row.Bind(1, license).Bind(2, day);
    return row.Step() ? row.Text(0) + row.Text(1) : std::string(DayOff) + DayOff;
}

// Records of date (10), start (5), end (5) and name; an empty record for a row without a day.
std::string DayRecords(ServiceContext& context, const std::string& license,
                       const std::vector<DayRow>& rows)
{
    std::string text;
    context.store.Read([&](sqlite3* db) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            text += i ? "]" : "";
            if (!rows[i].date.isValid())
                continue;
            const std::string day = rows[i].date.toString(Qt::ISODate).toStdString();
            text += day + HoursOf(db, license, day) + RecordSafe(rows[i].name);
        }
    });
    return text;
}

// Stores the rows of a save: "&P_TIME_Sn =", "&P_TIME_En =", "&P_TIME_Dn =" for n = 1 to count;
// a date "0" (or not a date) is no row, a start "0" (or off the grid) a day not worked.
void SaveDayHours(const FormFields& form, ServiceContext& context, const std::string& license,
                  int count)
{
    context.store.Write([&](sqlite3* db) {
        for (int n = 1; n <= count; ++n) {
            const std::string day = form.Value("P_TIME_D" + std::to_string(n));
            if (!IsIsoDate(day))
                continue;
            std::string start = form.Value("P_TIME_S" + std::to_string(n));
            std::string end = form.Value("P_TIME_E" + std::to_string(n));
            if (!IsGridTime(start, "24:00") || !IsGridTime(end))
                start = end = DayOff;
            Statement(db, "INSERT OR REPLACE INTO day_hours (license, day, start, finish, updated)"
                          " VALUES (?1, ?2, ?3, ?4, ?5)")
                .Bind(1, license)
                .Bind(2, day)
                .Bind(3, start)
                .Bind(4, end)
                .Bind(5, context.NowText())
                .Run();
        }
    });
}

PageAnswer DayHoursPage(const FormFields& form, ServiceContext& context,
                        const std::vector<DayRow>& rows, int savedRows)
{
    const std::string license = form.Value("P_LICENSE");
    if (form.Value("P_select") == "2" && !license.empty())
        SaveDayHours(form, context, license, savedRows);
    return {DayRecords(context, license, rows), {}};
}

} // namespace

// The nine legal holidays of the current year in their fixed order; a holiday on a Sunday or a
// festival day has an empty record.
PageAnswer LegalHolidayPage(const FormFields& form, ServiceContext& context)
{
    std::vector<DayRow> rows;
    for (const std::string& name : HolidayCalendar::LegalHolidayNames())
        rows.push_back({context.calendar.LegalHoliday(name, context.Today().year()), name});
    return DayHoursPage(form, context, rows, 9);
}

// The days of the next festival, each named with the festival's name.
PageAnswer FestivalPage(const FormFields& form, ServiceContext& context)
{
    const HolidayCalendar::Festival festival = context.calendar.NextFestival(context.Today());
    std::vector<DayRow> rows;
    for (const QDate& day : festival.days)
        rows.push_back({day, festival.name});
    return DayHoursPage(form, context, rows, 10);
}

// A working legal holiday answered in the reminder: licence, date, start and end.
PageAnswer HolidayReportPage(const FormFields& form, ServiceContext& context)
{
    context.store.Write([&](sqlite3* db) {
        Statement(db, "INSERT INTO holiday_reports (license, day, start, finish, received) "
                      "VALUES (?1, ?2, ?3, ?4, ?5)")
            .Bind(1, form.Value("P_PALICENSE"))
            .Bind(2, form.Value("P_TIME_D1"))
            .Bind(3, form.Value("P_TIME_S1"))
            .Bind(4, form.Value("P_TIME_E1"))
            .Bind(5, context.NowText())
            .Run();
    });
    return {"Y", {}};
}
