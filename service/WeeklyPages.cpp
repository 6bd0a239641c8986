#include "service/AnswerPage.h"
#include "service/DayHoursStore.h"
#include "service/GridTime.h"
#include "service/Pages.h"
#include "service/Statement.h"
#include "service/WeeklyRecords.h"

#include <vector>

namespace {

// A start and end pair kept when both lie on the grid, else the not-working mark for both.
void PutPair(std::vector<std::string>& records, std::size_t at, const std::string& start,
             const std::string& end)
{
    const bool valid = IsGridTime(start, "24:00") && IsGridTime(end);
    records[at] = valid ? start : ":";
    records[at + 1] = valid ? end : ":";
}

// A week's Sunday "HH:MM,HH:MM" on the grid, else ":".
std::string WeekSunday(const std::string& value)
{
    const bool valid = value.size() == 11 && value[5] == ',' &&
                       IsGridTime(value.substr(0, 5), "24:00") && IsGridTime(value.substr(6));
    return valid ? value : ":";
}

// The schedule of a save; rows off the grid are stored as not working so that a later fetch
// never hands the program a time it cannot show.
std::vector<std::string> SavedWeek(const FormFields& form, const std::vector<std::string>& before)
{
    std::vector<std::string> records = UnregisteredWeek();
    PutPair(records, 0, form.Value("P_TIME1_S"), form.Value("P_TIME1_E"));
    const std::string nightDay = form.Value("P_night_day");
    const std::string nightEnd = form.Value("P_night_time1_e");
    if (nightDay.size() == 1 && nightDay >= "2" && nightDay <= "6" && IsGridTime(nightEnd)) {
        records[2] = nightDay;
        records[3] = nightEnd;
    }
    PutPair(records, 4, form.Value("P_TIME2_S"), form.Value("P_TIME2_E"));
    PutPair(records, 6, form.Value("P_TIME3_S"), form.Value("P_TIME3_E"));
    for (int week = 1; week <= 5; ++week)
        records[7 + week] = WeekSunday(form.Value("P_SunDay" + std::to_string(week)));
    const std::string operate = form.Value("P_Operate");
    const bool validOperate = operate.size() == 1 && operate >= "0" && operate <= "3";
    records[13] = validOperate ? operate : before[13];
    return records;
}

std::string SundayList(sqlite3* db, const std::string& license)
{
    Statement rows(db, "SELECT day, start, finish FROM sundays WHERE license = ?1 ORDER BY day");
    rows.Bind(1, license);
    std::vector<std::string> records;
    while (rows.Step())
        records.push_back(rows.Text(0) + rows.Text(1) + rows.Text(2));
    return AnswerRecords(records);
}

} // namespace

// P_select "1" fetches the fourteen records, "2" saves them and answers as the fetch.
PageAnswer WeeklyHoursPage(const FormFields& form, ServiceContext& context)
{
    const std::string license = form.Value("P_LICENSE");
    if (form.Value("P_select") == "2" && !license.empty()) {
        context.store.Write([&](sqlite3* db) {
            const std::vector<std::string> records = SavedWeek(form, StoredWeek(db, license));
            Statement(db, "INSERT OR REPLACE INTO weekly (license, records, comname, updated) "
                          "VALUES (?1, ?2, ?3, ?4)")
                .Bind(1, license)
                .Bind(2, JoinedWeek(records))
                .Bind(3, form.Value("P_Comname"))
                .Bind(4, context.NowText())
                .Run();
        });
    }
    std::vector<std::string> records;
    context.store.Read([&](sqlite3* db) { records = StoredWeek(db, license); });
    return {AnswerRecords(records), {}, {}};
}

// P_select "1" lists the dates, "2" saves one (replacing the same date), "3" deletes one; every
// answer is the list, records of date, start and end. A save may leave the end empty (the program
// sends one when no end was picked): the date is kept with its end not given.
PageAnswer SundaysPage(const FormFields& form, ServiceContext& context)
{
    const std::string license = form.Value("P_LICENSE");
    const std::string select = form.Value("P_select");
    const std::string day = form.Value("P_e_day");
    const std::string start = form.Value("P_time1_s");
    const std::string end = NextDayLabelAsTime(form.Value("P_time1_e"));
    std::string refusal;
    if (select == "2" && !license.empty()) {
        if (IsIsoDate(day) && IsGridTime(start, "24:00") && (end.empty() || IsGridTime(end)))
            context.store.Write([&](sqlite3* db) {
                PutSpecificDay(db, license, day, {start, end});
            });
        else
            refusal = "refused: date or times off the grid";
    } else if (select == "3" && !license.empty()) {
        context.store.Write([&](sqlite3* db) {
            Statement(db, "DELETE FROM sundays WHERE license = ?1 AND day = ?2")
                .Bind(1, license)
                .Bind(2, day)
                .Run();
        });
    }
    std::string list;
    context.store.Read([&](sqlite3* db) { list = SundayList(db, license); });
    return {list, {}, refusal};
}
