#include "hours/WeeklyBodies.h"

#include "core/program/TimeSlots.h"
#include "core/program/Trimmed.h"
#include "core/requests/FormEncoding.h"

namespace {

// A field and its value as sent: trimmed, with the form's own characters escaped.
QString Field(const QString& name, const QString& value)
{
    return name + FormValue(Trimmed(value));
}

QString Identity(const QString& select, const QString& license, const QString& comName)
{
    return QStringLiteral("P_select  =") + select +
           Field(QStringLiteral("&P_LICENSE    ="), license) +
           Field(QStringLiteral("&P_Comname    ="), comName);
}

// An end as the service writes it: next-day labels become hours above 24.
QString EndTime(const QString& shown)
{
    return NextDayLabelToTime(Trimmed(shown));
}

// A start and end pair, ":" for both when the row is not worked.
QString TimePair(const QString& startName, const QString& endName, const WeeklyTimeRow& row)
{
    if (!row.working)
        return startName + QStringLiteral(":") + endName + QStringLiteral(":");
    return Field(startName, row.start) + endName + FormValue(EndTime(row.end));
}

QString NightDuty(const WeeklySave& save)
{
    if (!save.nightDuty)
        return QStringLiteral("&P_night_day   =&P_night_time1_e   =:");
    return QStringLiteral("&P_night_day   =") + QString::number(save.nightDayItem + 2) +
           QStringLiteral("&P_night_time1_e   =") + FormValue(EndTime(save.nightEnd));
}

QString WeekSunday(int week, const WeeklyTimeRow& row)
{
    const QString name = QStringLiteral("&P_SunDay%1   =").arg(week);
    if (!row.working)
        return name + QStringLiteral(":");
    return name + FormValue(Trimmed(row.start) + QStringLiteral(",") + EndTime(row.end));
}

} // namespace

QString WeeklyFetchBody(const QString& license, const QString& comName)
{
    return Identity(QStringLiteral("1"), license, comName) +
           QStringLiteral("&P_TIME1_S   =&P_TIME1_e   =&P_night_day   =&P_night_time1_e   ="
                          "&P_TIME2_s   =&P_TIME2_e   =&P_TIME3_S   =&P_TIME3_E   ="
                          "&P_SunDay1   =&P_SunDay2   =&P_SunDay3   =&P_SunDay4   ="
                          "&P_SunDay5   =&P_Operate   =");
}

QString WeeklySaveBody(const QString& license, const QString& comName, const WeeklySave& save)
{
    QString body = Identity(QStringLiteral("2"), license, comName);
    body +=
        TimePair(QStringLiteral("&P_TIME1_S   ="), QStringLiteral("&P_TIME1_E   ="), save.weekdays);
    body +=
        TimePair(QStringLiteral("&P_TIME2_S   ="), QStringLiteral("&P_TIME2_E   ="), save.saturday);
    body += TimePair(QStringLiteral("&P_TIME3_S   ="), QStringLiteral("&P_TIME3_E   ="),
                     save.everySunday);
    body += NightDuty(save);
    for (int week = 1; week <= 5; ++week)
        body += WeekSunday(week, save.weeks[week - 1]);
    if (save.operation >= 0)
        body += QStringLiteral("&P_Operate   =") + QString::number(save.operation);
    return body;
}

QString SundayBody(SundayRequest request, const QString& license, const QString& day,
                   const QString& start, const QString& end)
{
    return QStringLiteral("P_select  =") + QString::number(static_cast<int>(request)) +
           Field(QStringLiteral("&P_LICENSE    ="), license) +
           Field(QStringLiteral("&P_e_day    ="), day) +
           Field(QStringLiteral("&P_time1_s   ="), start) +
           Field(QStringLiteral("&P_time1_e   ="), end);
}
