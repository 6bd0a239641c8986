#pragma once

#include <QString>
#include <array>

// The request bodies of the weekly page and of the single-Sunday page, as text; PostPage turns
// them into code page 949 bytes.

inline const QString WeeklyHoursPage = QStringLiteral("normal3.asp");
inline const QString SundayPage = QStringLiteral("SunDay.asp");

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

// What a request of the single-Sunday page asks for; its number is the value of "P_select".
enum class SundayRequest
{
    Fetch = 1,
    Save = 2,
    Delete = 3,
};

// A request of the single-Sunday page.
QString SundayBody(SundayRequest request, const QString& license, const QString& day,
                   const QString& start, const QString& end);
