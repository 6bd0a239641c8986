#include "service/AnswerPage.h"
#include "service/DayHoursStore.h"
#include "service/DaySchedule.h"
#include "service/GridTime.h"
#include "service/Pages.h"
#include "service/Statement.h"

#include <vector>

namespace {

// The start and end of a day not worked or not answered.
constexpr const char* DayOff = "00000";

struct DayRow
{
    QDate date; // invalid: the row holds no holiday
    std::string name;
};

// Records of date (10), start (5), end (5) and name; an empty record for a row without a day.
std::string DayRecords(ServiceContext& context, const std::string& license,
                       const std::vector<DayRow>& rows)
{
    std::vector<std::string> records;
    context.store.Read([&](sqlite3* db) {
        for (const DayRow& row : rows) {
            if (!row.date.isValid()) {
                records.emplace_back();
                continue;
            }
            const std::string day = row.date.toString(Qt::ISODate).toStdString();
            const StoredHours hours =
                HolidayHours(db, license, day, row.name).value_or(StoredHours{DayOff, DayOff});
            records.push_back(day + hours.start + hours.end + row.name);
        }
    });
    return AnswerRecords(records);
}

// The hours of a saved row: a start "0" (or off the grid) is a day not worked.
StoredHours SavedHours(const std::string& start, const std::string& end)
{
    if (!IsGridTime(start, "24:00") || !IsGridTime(end))
        return {DayOff, DayOff};
    return {start, end};
}

// Stores the rows of a save ("&P_TIME_Sn =", "&P_TIME_En =", "&P_TIME_Dn =" for n = 1 to count)
// under the holiday that rowName gives for row n and its date; a row whose date is "0" holds no
// holiday. Returns why rows were passed over (empty when none was).
template <typename RowName>
std::string SaveDayHours(const FormFields& form, ServiceContext& context,
                         const std::string& license, int count, RowName rowName)
{
    std::string passedOver;
    context.store.Write([&](sqlite3* db) {
        for (int n = 1; n <= count; ++n) {
            const std::string row = std::to_string(n);
            const std::string day = form.Value("P_TIME_D" + row);
            const std::string name =
                IsIsoDate(day)
                    ? rowName(n, QDate::fromString(QString::fromStdString(day), Qt::ISODate))
                    : std::string();
            if (name.empty()) {
                if (!day.empty() && day != "0")
                    passedOver += " " + row;
                continue;
            }
            PutHolidayHours(db, license, day, name,
                            SavedHours(form.Value("P_TIME_S" + row), form.Value("P_TIME_E" + row)),
                            context.NowText());
        }
    });
    return passedOver.empty() ? passedOver : "refused rows:" + passedOver + " (no such holiday)";
}

template <typename RowName>
PageAnswer DayHoursPage(const FormFields& form, ServiceContext& context,
                        const std::vector<DayRow>& rows, int savedRows, RowName rowName)
{
    const std::string license = form.Value("P_LICENSE");
    std::string refusal;
    if (form.Value("P_select") == "2" && !license.empty())
        refusal = SaveDayHours(form, context, license, savedRows, rowName);
    return {DayRecords(context, license, rows), {}, refusal};
}

bool IsRegistered(sqlite3* db, const std::string& license)
{
    Statement row(db, "SELECT 1 FROM registrations WHERE license = ?1");
    row.Bind(1, license);
    return row.Step();
}

// A day answered "working": stored where the day's hours live, unless they already say working.
void ReportWorking(sqlite3* db, ServiceContext& context, const std::string& license, QDate day,
                   const StoredHours& hours)
{
    const DaySchedule schedule = ScheduleOf(db, context.calendar, license, day);
    if (!schedule.spans.empty())
        return;
    const std::string date = day.toString(Qt::ISODate).toStdString();
    if (schedule.source == DaySource::Festival || schedule.source == DaySource::LegalHoliday) {
        for (const std::string& name : schedule.holidays)
            PutHolidayHours(db, license, date, name, hours, context.NowText());
    } else {
        PutSpecificDay(db, license, date, hours);
    }
}

} // namespace

// The nine legal holidays of the current year in their fixed order; a holiday on a Sunday or a
// festival day has an empty record. Row n of a save is the n-th holiday on its date.
PageAnswer LegalHolidayPage(const FormFields& form, ServiceContext& context)
{
    const auto& names = HolidayCalendar::LegalHolidayNames();
    std::vector<DayRow> rows;
    for (const std::string& name : names)
        rows.push_back({context.calendar.LegalHoliday(name, context.Today().year()), name});
    return DayHoursPage(form, context, rows, 9, [&](int n, QDate day) {
        const std::string& name = names[static_cast<std::size_t>(n - 1)];
        return context.calendar.LegalHoliday(name, day.year()) == day ? name : std::string();
    });
}

// The days of the next festival, each named with the festival's name; a saved row may be any
// festival day.
PageAnswer FestivalPage(const FormFields& form, ServiceContext& context)
{
    const HolidayCalendar::Festival festival = context.calendar.NextFestival(context.Today());
    std::vector<DayRow> rows;
    for (const QDate& day : festival.days)
        rows.push_back({day, festival.name});
    return DayHoursPage(form, context, rows, 10,
                        [&](int, QDate day) { return context.calendar.FestivalOn(day); });
}

// A working legal holiday answered in the reminder (licence and date; its start and end are
// 00:00, hours not given): kept in the history and stored where that day's hours live, so the
// legal-holiday page and the public listing show it. "N" for a licence not registered or no date.
PageAnswer HolidayReportPage(const FormFields& form, ServiceContext& context)
{
    const std::string license = form.Value("P_PALICENSE");
    const std::string day = form.Value("P_TIME_D1");
    const std::string start = form.Value("P_TIME_S1");
    const std::string end = form.Value("P_TIME_E1");
    const StoredHours hours{IsGridTime(start, "24:00") ? start : "00:00",
                            IsGridTime(end) ? end : "00:00"};
    std::string refusal;
    context.store.Write([&](sqlite3* db) {
        if (!IsRegistered(db, license)) {
            refusal = "refused: licence not registered";
            return;
        }
        if (!IsIsoDate(day)) {
            refusal = "refused: not a date";
            return;
        }
        Statement(db, "INSERT INTO holiday_reports (license, day, start, finish, received) "
                      "VALUES (?1, ?2, ?3, ?4, ?5)")
            .Bind(1, license)
            .Bind(2, day)
            .Bind(3, start)
            .Bind(4, end)
            .Bind(5, context.NowText())
            .Run();
        ReportWorking(db, context, license,
                      QDate::fromString(QString::fromStdString(day), Qt::ISODate), hours);
    });
    return {refusal.empty() ? "Y" : "N", {}, refusal};
}
