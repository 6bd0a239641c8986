#pragma once

#include "hours/HolidayRow.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>

class QSqlQuery;

// Days from now to midnight of the date, with fractions, counted on the calendar (a day is a
// day whatever the clock changes).
double DaysUntil(QDate day, const QDateTime& now);

// Runs the year's holiday statement on the query and scans the rows, festivals first: the first
// row of each run of names with the same first two characters is judged, and the first one
// lying 1 to 7 days ahead of now is the answer. An empty kind when there is none, when the
// statement fails, or when a judged date is not a date (the scan stops there). The query is
// left on the row found or at the end.
HolidayRow FindUpcomingHoliday(QSqlQuery& query, const QDateTime& now);

// The check that runs after every accepted sign-in: finds the upcoming holiday and opens the
// matching reminder for it modally unless its answer, "알림체크" of "명절", already holds that
// holiday's date.
class UpcomingHolidayCheck
{
public:
    // openFestivalHours: shows the festival window modally, for the festival reminder's 근무.
    explicit UpcomingHolidayCheck(std::function<void()> openFestivalHours);

    // A null query (no local database) finds nothing.
    void Run(QSqlQuery* query, const QDateTime& now);

    // The holiday the last run found; empty before the first run and when it found none.
    const HolidayRow& Found() const { return found_; }

private:
    std::function<void()> openFestivalHours_;
    HolidayRow found_;
    QString answered_; // "알림체크" as read last: the default of the next read
};
