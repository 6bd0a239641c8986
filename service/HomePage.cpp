#include "service/HomePage.h"

#include "service/AnswerPage.h"
#include "service/DaySchedule.h"
#include "service/OpenNow.h"
#include "service/PresenceAge.h"
#include "service/Statement.h"

#include <algorithm>
#include <vector>

namespace {

struct Pharmacy
{
    std::string license, name, address, phone, state, received;
};

std::vector<Pharmacy> Pharmacies(sqlite3* db)
{
    Statement rows(db, "SELECT r.license, r.pharmacy, r.address1 || ' ' || r.address2 || ' ' || "
                       "r.address3 || ' ' || r.address4, r.phone, p.state, p.received "
                       "FROM registrations r LEFT JOIN presence p ON p.license = r.license "
                       "ORDER BY r.pharmacy");
    std::vector<Pharmacy> list;
    while (rows.Step())
        list.push_back(
            {rows.Text(0), rows.Text(1), rows.Text(2), rows.Text(3), rows.Text(4), rows.Text(5)});
    return list;
}

std::string DateText(QDate date)
{
    static const char* const days[] = {"", "월", "화", "수", "목", "금", "토", "일"};
    return date.toString("yyyy-MM-dd").toStdString() + " (" + days[date.dayOfWeek()] + ")";
}

std::string SpansText(const std::vector<WorkSpan>& spans)
{
    std::string text;
    for (const WorkSpan& span : spans)
        text += (text.empty() ? "" : ", ") + SpanText(span);
    return text.empty() ? "휴무" : text;
}

// How the listing decides a day's hours when they are not its weekday's: a festival day and a
// legal holiday by their own rows; a legal holiday on a Sunday has none and the Sunday's apply.
std::string DayNote(const HolidayCalendar& calendar, QDate day)
{
    if (const std::string festival = calendar.FestivalOn(day); !festival.empty())
        return festival + " 명절 근무시간으로 안내합니다";
    std::string names;
    for (const std::string& name : calendar.LegalHolidaysOn(day))
        names += (names.empty() ? "" : ", ") + name;
    if (!names.empty())
        return names + " 공휴일 근무시간으로 안내합니다";
    const HolidayCalendar::Day holiday = calendar.NextLegalHoliday(day);
    if (holiday.date == day && day.dayOfWeek() == Qt::Sunday)
        return holiday.name + "이 일요일과 겹쳐 일요일 근무시간으로 안내합니다";
    return {};
}

std::string NoteHtml(const std::string& note)
{
    return note.empty() ? note : "<p class=\"note\">" + HtmlEscaped(note) + "</p>";
}

struct Entry
{
    const Pharmacy* pharmacy;
    OpenState state;
    DaySchedule today;
    std::vector<WorkSpan> fromYesterday; // spans of the previous day still running
};

Entry EntryOf(sqlite3* db, const HolidayCalendar& calendar, const Pharmacy& pharmacy, QDateTime now)
{
    const QDate today = now.date();
    Entry entry{
        &pharmacy, OpenState::Closed, ScheduleOf(db, calendar, pharmacy.license, today), {}};
    const DaySchedule yesterday = ScheduleOf(db, calendar, pharmacy.license, today.addDays(-1));
    entry.state = OpenAt(entry.today, yesterday, now.time());
    for (const WorkSpan& span : yesterday.spans)
        if (OpenAt({}, {DaySource::Weekly, {}, {span}}, now.time()) == OpenState::Open)
            entry.fromYesterday.push_back(span);
    return entry;
}

const char* StateBadge(OpenState state)
{
    switch (state) {
    case OpenState::Open:
        return "<span class=\"b open\">영업중</span>";
    case OpenState::Unclear:
        return "<span class=\"b unclear\">영업 확인 필요</span>";
    case OpenState::Closed:
        break;
    }
    return "<span class=\"b closed\">영업시간 아님</span>";
}

const char* StateClass(OpenState state)
{
    switch (state) {
    case OpenState::Open:
        return "open";
    case OpenState::Unclear:
        return "unclear";
    case OpenState::Closed:
        break;
    }
    return "closed";
}

std::string EntryHtml(const Entry& entry, QDateTime now)
{
    const Pharmacy& p = *entry.pharmacy;
    const PresenceView presence = ShownPresence(p.state, p.received, now);
    std::string html = "<div class=\"ph " + std::string(StateClass(entry.state)) + "\">" +
                       StateBadge(entry.state) + "<b>" + HtmlEscaped(p.name) + "</b><small>" +
                       HtmlEscaped(p.address) + " · <span class=\"tel\">" + HtmlEscaped(p.phone) +
                       "</span></small>";
    if (!entry.fromYesterday.empty())
        html += "<small>어제부터 이어지는 근무: <em>" +
                HtmlEscaped(SpansText(entry.fromYesterday)) + "</em></small>";
    html += "<small>오늘 근무: <em>" + HtmlEscaped(SpansText(entry.today.spans)) + "</em></small>";
    html += "<small>약국 컴퓨터: <span class=\"p " + presence.style + "\">" +
            HtmlEscaped(presence.text) + "</span></small></div>";
    return html;
}

// Who works on a coming day, with the hours that day's row (or weekday) gives.
std::string DayList(sqlite3* db, const HolidayCalendar& calendar,
                    const std::vector<Pharmacy>& pharmacies, QDate day)
{
    std::string items;
    for (const Pharmacy& pharmacy : pharmacies) {
        const DaySchedule schedule = ScheduleOf(db, calendar, pharmacy.license, day);
        if (!schedule.spans.empty())
            items += "<li>" + HtmlEscaped(pharmacy.name) + " <em>" +
                     HtmlEscaped(SpansText(schedule.spans)) + "</em></li>";
    }
    return items.empty() ? "<p class=\"none\">근무하는 약국이 없습니다</p>"
                         : "<ul>" + items + "</ul>";
}

// The dates of the specific-Sunday list from today on, each with the hours the day's entry above
// gives, so that the two never disagree (a festival day's own hours win over the list's).
std::string SpecificSundays(sqlite3* db, const HolidayCalendar& calendar, QDate today)
{
    Statement sundays(db, "SELECT s.day, r.license, r.pharmacy FROM sundays s "
                          "JOIN registrations r ON r.license = s.license WHERE s.day >= ?1 "
                          "ORDER BY s.day, r.pharmacy LIMIT 50");
    sundays.Bind(1, today.toString(Qt::ISODate).toStdString());
    std::string items;
    while (sundays.Step()) {
        const QDate day = QDate::fromString(QString::fromStdString(sundays.Text(0)), Qt::ISODate);
        const DaySchedule schedule = ScheduleOf(db, calendar, sundays.Text(1), day);
        if (!schedule.spans.empty())
            items += "<li>" + HtmlEscaped(sundays.Text(0)) + " " + HtmlEscaped(sundays.Text(2)) +
                     " <em>" + HtmlEscaped(SpansText(schedule.spans)) + "</em></li>";
    }
    return items.empty() ? "<p class=\"none\">등록된 날이 없습니다</p>" : "<ul>" + items + "</ul>";
}

constexpr const char* Style = R"css(
body{font-family:"NanumGothic",sans-serif;margin:0;background:#f3f6f3;color:#222}
header{background:#2e7d32;color:#fff;padding:14px 16px}
header h1{margin:0;font-size:1.3em}header p{margin:4px 0 0;font-size:.9em}
section{background:#fff;margin:10px;padding:12px;border-radius:8px;box-shadow:0 1px 2px #0002}
h2{font-size:1.05em;margin:0 0 8px;color:#2e7d32}
.ph{border-top:1px solid #e4e4e4;padding:8px 0}.ph:first-of-type{border-top:0}
.ph b{font-size:1.05em}.ph small{display:block;color:#666}
.ph.closed b{color:#777}
.b{float:right;font-size:.8em;padding:2px 8px;border-radius:10px;color:#fff}
.b.open{background:#2e7d32}.b.unclear{background:#f9a825}.b.closed{background:#9e9e9e}
.p.on{color:#2e7d32}.p.wai{color:#b77b00}.p.off,.p.none{color:#888}
.none{color:#888}.note{margin:0 0 6px;font-size:.85em;color:#b77b00}
ul{margin:0;padding-left:18px}em{font-style:normal;color:#1565c0}
.tel{white-space:nowrap}
)css";

} // namespace

std::string HomePage(ServiceContext& context)
{
    const QDateTime now = context.now();
    const QDate today = now.date();
    const HolidayCalendar& calendar = context.calendar;
    const HolidayCalendar::Day holiday = calendar.NextLegalHoliday(today);
    const HolidayCalendar::Festival festival = calendar.NextFestival(today);
    std::string html =
        std::string("<!DOCTYPE html><html lang=\"ko\"><head><meta charset=\"utf-8\">"
                    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                    "<title>초록우체통 약국 안내</title><style>") +
        Style + "</style></head><body><header><h1>초록우체통 약국 안내</h1><p>지금 " +
        DateText(today) + " " + now.toString("HH:mm").toStdString() + "</p></header>";
    context.store.Read([&](sqlite3* db) {
        const std::vector<Pharmacy> pharmacies = Pharmacies(db);
        std::vector<Entry> entries;
        for (const Pharmacy& pharmacy : pharmacies)
            entries.push_back(EntryOf(db, calendar, pharmacy, now));
        // Open pharmacies first, then those to call first, then the closed ones.
        std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            const auto rank = [](OpenState s) {
                return s == OpenState::Open ? 0 : s == OpenState::Unclear ? 1 : 2;
            };
            return rank(a.state) < rank(b.state);
        });
        html += "<section><h2>지금 영업 여부와 오늘 근무시간</h2>";
        if (const std::string note = DayNote(calendar, today); !note.empty())
            html += NoteHtml("오늘은 " + note);
        if (entries.empty())
            html += "<p class=\"none\">등록된 약국이 없습니다</p>";
        for (const Entry& entry : entries)
            html += EntryHtml(entry, now);
        html += "</section>";
        if (holiday.date.isValid())
            html += "<section><h2>다가오는 공휴일: " + HtmlEscaped(holiday.name) + " " +
                    DateText(holiday.date) + "</h2>" + NoteHtml(DayNote(calendar, holiday.date)) +
                    DayList(db, calendar, pharmacies, holiday.date) + "</section>";
        if (!festival.days.empty()) {
            html += "<section><h2>다가오는 명절: " + HtmlEscaped(festival.name) + "</h2>";
            for (const QDate& day : festival.days)
                html += "<p>" + DateText(day) + "</p>" + DayList(db, calendar, pharmacies, day);
            html += "</section>";
        }
        html += "<section><h2>특정 일요일 근무</h2>" + SpecificSundays(db, calendar, today) +
                "</section>";
    });
    return html + "</body></html>";
}
