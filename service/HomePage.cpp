#include "HomePage.h"

#include "AnswerPage.h"
#include "Statement.h"

#include <vector>

namespace {

struct Pharmacy
{
    std::string license, name, address, phone, state, lastReport;
    std::vector<std::string> week; // the fourteen weekly records, or none
};

// "25:00" reads "익일 01:00".
std::string ShownTime(const std::string& time)
{
    if (time.size() == 5 && time > "24:00") {
        const int hour = std::stoi(time.substr(0, 2)) - 24;
        return "익일 0" + std::to_string(hour) + time.substr(2);
    }
    return time;
}

std::string Hours(const std::string& start, const std::string& end)
{
    if (start.empty() || start == ":" || start == "00000")
        return {};
    return ShownTime(start) + " ~ " + ShownTime(end);
}

std::vector<Pharmacy> Pharmacies(sqlite3* db)
{
    Statement rows(db, "SELECT r.license, r.pharmacy, r.address1 || ' ' || r.address2 || ' ' || "
                       "r.address3 || ' ' || r.address4, r.phone, p.state, p.received, w.records "
                       "FROM registrations r LEFT JOIN presence p ON p.license = r.license "
                       "LEFT JOIN weekly w ON w.license = r.license ORDER BY r.pharmacy");
    std::vector<Pharmacy> list;
    while (rows.Step()) {
        std::vector<std::string> week = SplitRecords(rows.Text(6));
        list.push_back({rows.Text(0), rows.Text(1), rows.Text(2), rows.Text(3), rows.Text(4),
                        rows.Text(5), week.size() == 14 ? week : std::vector<std::string>{}});
    }
    return list;
}

std::string DayHours(sqlite3* db, const std::string& license, const std::string& day,
                     const char* table)
{
    Statement row(db, std::string("SELECT start, finish FROM ") + table +
                          " WHERE license = ?1 AND day = ?2");
    row.Bind(1, license).Bind(2, day);
    return row.Step() ? Hours(row.Text(0), row.Text(1)) : std::string();
}

// Today's hours from the weekly records, a registered holiday or specific Sunday first.
std::string TodayHours(sqlite3* db, const Pharmacy& pharmacy, QDate today, bool holiday)
{
    const std::string day = today.toString(Qt::ISODate).toStdString();
    if (holiday)
        return DayHours(db, pharmacy.license, day, "day_hours");
    if (pharmacy.week.empty())
        return {};
    const auto& w = pharmacy.week;
    switch (today.dayOfWeek()) {
    case Qt::Sunday: {
        const std::string specific = DayHours(db, pharmacy.license, day, "sundays");
        if (!specific.empty())
            return specific;
        const std::string& week = w[static_cast<std::size_t>(7 + (today.day() - 1) / 7 + 1)];
        if (week.size() == 11)
            return Hours(week.substr(0, 5), week.substr(6));
        return Hours(w[6], w[7]);
    }
    case Qt::Saturday:
        return Hours(w[4], w[5]);
    default:
        if (w[2] == std::to_string(today.dayOfWeek() % 7 + 1) && Hours(w[0], w[1]).size())
            return Hours(w[0], w[3]);
        return Hours(w[0], w[1]);
    }
}

std::string StateBadge(const std::string& state)
{
    if (state == "on")
        return "<span class=\"b on\">근무중</span>";
    if (state == "wai")
        return "<span class=\"b wai\">자리비움</span>";
    if (state == "off")
        return "<span class=\"b off\">종료</span>";
    return "<span class=\"b none\">보고 없음</span>";
}

// True when the pharmacy answered a holiday reminder with "working" for that day.
bool ReportedWorking(sqlite3* db, const std::string& license, const std::string& day)
{
    Statement row(db, "SELECT 1 FROM holiday_reports WHERE license = ?1 AND day = ?2");
    row.Bind(1, license).Bind(2, day);
    return row.Step();
}

// The pharmacies open on the day with their hours; a reminder answer without hours reads "근무".
std::string OpenList(sqlite3* db, const std::vector<Pharmacy>& pharmacies, const QDate& date)
{
    const std::string day = date.toString(Qt::ISODate).toStdString();
    std::string items;
    for (const Pharmacy& pharmacy : pharmacies) {
        std::string hours = DayHours(db, pharmacy.license, day, "day_hours");
        if (hours.empty() && ReportedWorking(db, pharmacy.license, day))
            hours = "근무";
        if (!hours.empty())
            items +=
                "<li>" + HtmlEscaped(pharmacy.name) + " <em>" + HtmlEscaped(hours) + "</em></li>";
    }
    return items.empty() ? "<p class=\"none\">등록된 약국이 없습니다</p>"
                         : "<ul>" + items + "</ul>";
}

std::string DateText(QDate date)
{
    static const char* const days[] = {"", "월", "화", "수", "목", "금", "토", "일"};
    return date.toString("yyyy-MM-dd").toStdString() + " (" + days[date.dayOfWeek()] + ")";
}

constexpr const char* Style = R"css(
body{font-family:"NanumGothic",sans-serif;margin:0;background:#f3f6f3;color:#222}
header{background:#2e7d32;color:#fff;padding:14px 16px}
header h1{margin:0;font-size:1.3em}header p{margin:4px 0 0;font-size:.9em}
section{background:#fff;margin:10px;padding:12px;border-radius:8px;box-shadow:0 1px 2px #0002}
h2{font-size:1.05em;margin:0 0 8px;color:#2e7d32}
.ph{border-top:1px solid #e4e4e4;padding:8px 0}.ph:first-of-type{border-top:0}
.ph b{font-size:1.05em}.ph small{display:block;color:#666}
.b{float:right;font-size:.8em;padding:2px 8px;border-radius:10px;color:#fff}
.on{background:#2e7d32}.wai{background:#f9a825}.off{background:#757575}.none{color:#888}
.b.none{background:#bbb;color:#fff}ul{margin:0;padding-left:18px}em{font-style:normal;color:#1565c0}
.tel{white-space:nowrap}
)css";

} // namespace

std::string HomePage(ServiceContext& context)
{
    const QDate today = context.Today();
    const HolidayCalendar::Day holiday = context.calendar.NextLegalHoliday(today);
    const HolidayCalendar::Festival festival = context.calendar.NextFestival(today);
    const bool todayIsHoliday =
        holiday.date == today ||
        std::find(festival.days.begin(), festival.days.end(), today) != festival.days.end();
    std::string html =
        std::string("<!DOCTYPE html><html lang=\"ko\"><head><meta charset=\"utf-8\">"
                    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                    "<title>초록우체통 약국 안내</title><style>") +
        Style + "</style></head><body><header><h1>초록우체통 약국 안내</h1><p>오늘 " +
        DateText(today) + "</p></header>";
    context.store.Read([&](sqlite3* db) {
        const std::vector<Pharmacy> pharmacies = Pharmacies(db);
        html += "<section><h2>약국 현황과 오늘 근무시간</h2>";
        if (pharmacies.empty())
            html += "<p class=\"none\">등록된 약국이 없습니다</p>";
        for (const Pharmacy& p : pharmacies) {
            const std::string hours = TodayHours(db, p, today, todayIsHoliday);
            html += "<div class=\"ph\">" + StateBadge(p.state) + "<b>" + HtmlEscaped(p.name) +
                    "</b><small>" + HtmlEscaped(p.address) + " · <span class=\"tel\">" +
                    HtmlEscaped(p.phone) + "</span>" + "</small><small>오늘 근무: <em>" +
                    (hours.empty() ? std::string("휴무") : HtmlEscaped(hours)) +
                    "</em></small><small>마지막 보고: " +
                    (p.lastReport.empty() ? std::string("없음") : HtmlEscaped(p.lastReport)) +
                    "</small></div>";
        }
        html += "</section>";
        if (holiday.date.isValid())
            html += "<section><h2>다가오는 공휴일: " + HtmlEscaped(holiday.name) + " " +
                    DateText(holiday.date) + "</h2>" + OpenList(db, pharmacies, holiday.date) +
                    "</section>";
        if (!festival.days.empty()) {
            html += "<section><h2>다가오는 명절: " + HtmlEscaped(festival.name) + "</h2>";
            for (const QDate& day : festival.days)
                html += "<p>" + DateText(day) + "</p>" + OpenList(db, pharmacies, day);
            html += "</section>";
        }
        html += "<section><h2>특정 일요일 근무</h2>";
        Statement sundays(db, "SELECT s.day, s.start, s.finish, r.pharmacy FROM sundays s "
                              "JOIN registrations r ON r.license = s.license WHERE s.day >= ?1 "
                              "ORDER BY s.day, r.pharmacy LIMIT 50");
        sundays.Bind(1, today.toString(Qt::ISODate).toStdString());
        std::string items;
        while (sundays.Step())
            items += "<li>" + HtmlEscaped(sundays.Text(0)) + " " + HtmlEscaped(sundays.Text(3)) +
                     " <em>" + HtmlEscaped(Hours(sundays.Text(1), sundays.Text(2))) + "</em></li>";
        html +=
            items.empty() ? "<p class=\"none\">등록된 날이 없습니다</p>" : "<ul>" + items + "</ul>";
        html += "</section>";
    });
    return html + "</body></html>";
}
