#pragma once

#include <QString>
#include <array>

// The request bodies of the weekly page "normal3.asp" and of the single-Sunday page
// "SunDay.asp", as text; PostPage turns them into code page 949 bytes.

// The fetch: the identity and the fourteen empty fields in the page's own order and spelling.
QString WeeklyFetchBody(const QString& license, const QString& comName);

// One time row as the save sends it: the shown texts of its lists when ticked.
struct WeeklyTimeRow
{
    bool working = false;
    QString start;
    QString end; // the end list's shown text; next-day labels are converted when sent
};

// Everything the save sends after the identity.
struct WeeklySave
{
    WeeklyTimeRow weekdays;
    WeeklyTimeRow saturday;
    WeeklyTimeRow everySunday;
    bool nightDuty = false;
    int nightDayItem = 0; // item of the day list, 0 for Monday
    QString nightEnd;
    std::array<WeeklyTimeRow, 5> weeks;
    int operation = -1; // 0 to 3, or -1 when no operation type is selected
};

// The save: the identity, the rows in the save's own order, then the operation type.
QString WeeklySaveBody(const QString& license, const QString& comName, const WeeklySave& save);

// A request of the single-Sunday page: "1" fetch, "2" save, "3" delete.
QString SundayBody(const QString& select, const QString& license, const QString& day,
                   const QString& start, const QString& end);
