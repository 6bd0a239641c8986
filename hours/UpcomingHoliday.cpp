#include "hours/UpcomingHoliday.h"

#include "core/localdb/LocalStatements.h"
#include "core/localdb/SqlOperations.h"
#include "core/program/ModalDialog.h"
#include "core/program/ProgramValues.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "hours/FestivalReminder.h"
#include "hours/LegalHolidayReminder.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QSqlRecord>

Q_LOGGING_CATEGORY(lcUpcomingHoliday, "quillane.upcomingholiday")

namespace {

constexpr double MillisecondsPerDay = 24.0 * 60 * 60 * 1000;
constexpr double NearestDays = 1.0;
constexpr double FarthestDays = 7.0;
const QString LegalHolidayKind = QStringLiteral("1");
const QString FestivalKind = QStringLiteral("2");

// The reminder lives only while it is shown.
template <class Reminder, class... Arguments> void ShowReminder(const Arguments&... arguments)
{
    const QPointer<Reminder> reminder = new Reminder(arguments...);
    ShowModal(*reminder);
    delete reminder;
}

} // namespace

double DaysUntil(QDate day, const QDateTime& now)
{
    return static_cast<double>(now.date().daysTo(day)) -
           now.time().msecsSinceStartOfDay() / MillisecondsPerDay;
}

HolidayRow FindUpcomingHoliday(QSqlQuery& query, const QDateTime& now)
{
    QString error;
    if (!OpenSql(query, HolidayStatement(now.date().year()), error)) {
        qCWarning(lcUpcomingHoliday) << "holiday calendar not read:" << error;
        return {};
    }
    const QSqlRecord columns = query.record();
    const int dayColumn = columns.indexOf(QStringLiteral("H_DAY"));
    const int nameColumn = columns.indexOf(QStringLiteral("H_NAME"));
    const int kindColumn = columns.indexOf(QStringLiteral("H_GUBUN"));
    QString previousPrefix;
    while (query.next()) {
        const HolidayRow row{query.value(dayColumn).toString(), query.value(nameColumn).toString(),
                             query.value(kindColumn).toString()};
        const QString prefix = row.name.left(2);
        if (prefix == previousPrefix)
            continue;
        const QDate day = QDate::fromString(row.day, QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid()) {
            qCWarning(lcUpcomingHoliday) << "holiday date is not a date:" << row.day;
            return {};
        }
        const double days = DaysUntil(day, now);
        if (days > FarthestDays || days < NearestDays) {
            previousPrefix = prefix;
            continue;
        }
        return row;
    }
    return {};
}

UpcomingHolidayCheck::UpcomingHolidayCheck(std::function<void()> openFestivalHours)
    : openFestivalHours_(std::move(openFestivalHours))
{
}

void UpcomingHolidayCheck::Run(QSqlQuery* query, const QDateTime& now)
{
    found_ = {};
    if (query == nullptr)
        return;
    found_ = FindUpcomingHoliday(*query, now);
    const HolidayRow& found = found_;
    if (found.kind != FestivalKind && found.kind != LegalHolidayKind)
        return;

    answered_ = ReadIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::Festival,
                              SettingsKeys::ReminderAnswered, answered_);
    if (!answered_.isEmpty() && answered_ == found.day)
        return;
    if (found.kind == FestivalKind)
        ShowReminder<FestivalReminder>(found, openFestivalHours_);
    else
        ShowReminder<LegalHolidayReminder>(found);
}
