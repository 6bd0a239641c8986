#include "service/DemoData.h"

#include "service/DayHoursStore.h"
#include "service/Statement.h"

#include <array>
#include <string>
#include <vector>

namespace {

struct Member
{
    const char* license;
    const char* name;
    const char* birth;
    int owner;
};

constexpr std::array<Member, 4> Members{{
    {"12345", "김똘이", "6503151", 1},
    {"23456", "박서연", "7208242", 1},
    {"34567", "이준호", "8811011", 0},
    {"45678", "최민정", "7011302", 1},
}};

// license, pharmacy, zip1, zip2, province, district, town, detail, phone, mobile, fax, location
constexpr std::array<std::array<const char*, 12>, 3> Masters{{
    {"12345", "똘이약국", "135", "010", "서울특별시", "강남구", "논현동", "학동로 101 1층",
     "02-515-1234", "010-2345-6789", "02-515-1235", "논현역 2번 출구 앞"},
    {"23456", "서연온누리약국", "100", "070", "서울특별시", "중구", "소공동", "소공로 55",
     "02-752-4321", "010-8765-4321", "02-752-4322", "시청역 6번 출구 옆"},
    {"45678", "민정약국", "135", "280", "서울특별시", "강남구", "대치동", "삼성로 12 상가 103호",
     "02-555-7788", "", "02-555-7789", "대치사거리 우리은행 옆"},
}};

void InsertMasters(sqlite3* db)
{
    for (const Member& member : Members)
        Statement(db, "INSERT INTO members (license, name, birth, owner) VALUES (?1, ?2, ?3, ?4)")
            .Bind(1, member.license)
            .Bind(2, member.name)
            .Bind(3, member.birth)
            .Bind(4, std::int64_t{member.owner})
            .Run();
    for (const auto& m : Masters) {
        Statement insert(db, "INSERT INTO masters (license, pharmacy, zip1, zip2, province, "
                             "district, town, detail, phone, mobile, fax, location, address) "
                             "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)");
        for (int i = 0; i < 12; ++i)
            insert.Bind(i + 1, m[static_cast<std::size_t>(i)]);
        insert.Bind(13, std::string(m[4]) + " " + m[5] + " " + m[6]).Run();
    }
}

// A registration made from the master record, with its check computer and weekly hours.
void Register(sqlite3* db, const Member& member, const char* comName, const char* weekly)
{
    Statement(db, "INSERT INTO registrations (license, paname, pharmacy, zip1, zip2, address1, "
                  "address2, address3, address4, phone, mobile, fax, location, comname, birth, "
                  "chk, updated) SELECT license, ?2, pharmacy, zip1, zip2, province, district, "
                  "town, detail, phone, mobile, fax, location, ?3, ?4, '1', "
                  "datetime('now', 'localtime') FROM masters WHERE license = ?1")
        .Bind(1, member.license)
        .Bind(2, member.name)
        .Bind(3, comName)
        .Bind(4, member.birth)
        .Run();
    Statement(db, "INSERT INTO weekly (license, records, comname, updated) "
                  "VALUES (?1, ?2, ?3, datetime('now', 'localtime'))")
        .Bind(1, member.license)
        .Bind(2, weekly)
        .Bind(3, comName)
        .Run();
}

void WorkDay(sqlite3* db, const char* license, QDate day, const std::string& holiday,
             const char* start, const char* end)
{
    if (!day.isValid())
        return;
    const std::string date = day.toString(Qt::ISODate).toStdString();
    if (holiday.empty())
        PutSpecificDay(db, license, date, {start, end});
    else
        PutHolidayHours(db, license, date, holiday, {start, end}, date);
}

// The first day from today that has a row on the legal-holiday page.
QDate NextLegalHolidayRow(const HolidayCalendar& calendar, QDate today, std::string& name)
{
    for (QDate day = today; day < today.addYears(1); day = day.addDays(1))
        if (const auto names = calendar.LegalHolidaysOn(day); !names.empty()) {
            name = names.front();
            return day;
        }
    return {};
}

} // namespace

void LoadDemoData(ServiceStore& store, const HolidayCalendar& calendar, QDateTime now)
{
    const QDate today = now.date();
    std::string holidayName;
    const QDate holiday = NextLegalHolidayRow(calendar, today, holidayName);
    const HolidayCalendar::Festival festival = calendar.NextFestival(today);
    const QDate sunday = today.addDays(7 - today.dayOfWeek() % 7);
    const std::string nowText = now.toString("yyyy-MM-dd HH:mm:ss").toStdString();
    store.Write([&](sqlite3* db) {
        WorkDay(db, "12345", holiday, holidayName, "10:00", "18:00");
        WorkDay(db, "12345", festival.days.empty() ? QDate() : festival.days.front(), festival.name,
                "09:00", "13:00");
        WorkDay(db, "45678", festival.days.size() < 2 ? QDate() : festival.days[1], festival.name,
                "10:00", "25:00");
        WorkDay(db, "12345", sunday, {}, "09:00", "15:00");
        InsertMasters(db);
        Register(db, Members[0], "COUNTER-PC",
                 "09:00]21:00]5]25:30]09:00]18:00]:]:]:]10:00,18:00]:]:]:]0");
        Register(db, Members[3], "MINJ-PC", "08:30]20:00]]:]09:00]15:00]10:00]19:00]:]:]:]:]:]1");
        Statement(db, "INSERT INTO presence (license, comname, state, sent_time, received) "
                      "VALUES ('45678', 'MINJ-PC', 'on', ?1, ?1)")
            .Bind(1, nowText)
            .Run();
    });
}
