#include "service/HolidayCalendar.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <map>

bool HolidayCalendar::Load(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    std::vector<Day> days;
    file.readLine();
    while (!file.atEnd()) {
        const QStringList fields = QString::fromUtf8(file.readLine()).trimmed().split(',');
        if (fields.size() < 3)
            continue;
        const QDate date = QDate::fromString(fields[0], Qt::ISODate);
        if (date.isValid())
            days.push_back({date, fields[1].toStdString(), fields[2] == "2"});
    }
    days_ = std::move(days);
    return true;
}

const std::vector<std::string>& HolidayCalendar::LegalHolidayNames()
{
    static const std::vector<std::string> names{"신정",       "삼일절", "어린이날",
                                                "석가탄신일", "현충일", "광복절",
                                                "개천절",     "한글날", "성탄절"};
    return names;
}

bool HolidayCalendar::IsFestivalDay(QDate date) const
{
    return std::any_of(days_.begin(), days_.end(),
                       [&](const Day& day) { return day.festival && day.date == date; });
}

QDate HolidayCalendar::LegalHoliday(const std::string& name, int year) const
{
    for (const Day& day : days_) {
        if (day.festival || day.name != name || day.date.year() != year)
            continue;
        if (day.date.dayOfWeek() == Qt::Sunday || IsFestivalDay(day.date))
            return {};
        return day.date;
    }
    return {};
}

std::vector<std::string> HolidayCalendar::LegalHolidaysOn(QDate day) const
{
    std::vector<std::string> names;
    for (const std::string& name : LegalHolidayNames())
        if (day.isValid() && LegalHoliday(name, day.year()) == day)
            names.push_back(name);
    return names;
}

std::string HolidayCalendar::FestivalOn(QDate day) const
{
    for (const Day& festivalDay : days_)
        if (festivalDay.festival && festivalDay.date == day)
            return FestivalName(festivalDay.name);
    return {};
}

HolidayCalendar::Day HolidayCalendar::NextLegalHoliday(QDate from) const
{
    const auto& names = LegalHolidayNames();
    Day next;
    for (const Day& day : days_) {
        if (day.festival || day.date < from ||
            std::find(names.begin(), names.end(), day.name) == names.end())
            continue;
        if (!next.date.isValid() || day.date < next.date)
            next = day;
    }
    return next;
}

std::string FestivalName(const std::string& dayName)
{
    const QString name = QString::fromStdString(dayName);
    return name.left(2).toStdString();
}

HolidayCalendar::Festival HolidayCalendar::NextFestival(QDate today) const
{
    std::map<std::pair<int, std::string>, std::vector<QDate>> festivals;
    for (const Day& day : days_)
        if (day.festival)
            festivals[{day.date.year(), FestivalName(day.name)}].push_back(day.date);
    Festival next;
    QDate nextStart;
    for (auto& [key, dates] : festivals) {
        std::sort(dates.begin(), dates.end());
        const bool thisYearOpen = key.first == today.year() && dates.back() >= today;
        const bool nextYear = key.first == today.year() + 1;
        if (!thisYearOpen && !nextYear)
            continue;
        // Any festival of this year that has not ended comes before every one of next year.
        if (!nextStart.isValid() || dates.front() < nextStart) {
            next = {key.second, dates};
            nextStart = dates.front();
        }
    }
    return next;
}
