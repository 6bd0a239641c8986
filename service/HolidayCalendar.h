#pragma once

#include <QDate>
#include <string>
#include <vector>

// The holiday calendar (the CSV of the local database's HOLIDAY table: H_DAY, H_NAME, H_GUBUN,
// "1" a legal holiday, "2" a festival day).
class HolidayCalendar
{
public:
    struct Day
    {
        QDate date;
        std::string name;
        bool festival = false;
    };

    // Reads the CSV; false (with nothing loaded) when the file cannot be read.
    bool Load(const std::string& path);
    void Add(const Day& day) { days_.push_back(day); }

    // The nine legal holidays of the answer of the legal-holiday page, in their fixed order.
    static const std::vector<std::string>& LegalHolidayNames();

    // The date of the named legal holiday in that year; invalid when it falls on a Sunday or a
    // festival day, or when the calendar does not know it.
    QDate LegalHoliday(const std::string& name, int year) const;

    // The names of the nine whose row of the legal-holiday page falls on the day (two holidays
    // may share a date); none on a Sunday or a festival day.
    std::vector<std::string> LegalHolidaysOn(QDate day) const;

    // The festival (first two characters of the name) of a festival day; empty on other days.
    std::string FestivalOn(QDate day) const;

    // The next legal holiday of the nine on or after the day (invalid when none is known).
    Day NextLegalHoliday(QDate from) const;

    // The festival (days sharing a name's first two characters in one year) that has not ended
    // yet in the day's year, else the first of the next year; its name and days.
    struct Festival
    {
        std::string name;
        std::vector<QDate> days;
    };
    Festival NextFestival(QDate today) const;

private:
    bool IsFestivalDay(QDate date) const;

    std::vector<Day> days_;
};

// The first two characters of a festival day's name ("설날 전날" -> "설날").
std::string FestivalName(const std::string& dayName);
