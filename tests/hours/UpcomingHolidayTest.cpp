#include "hours/UpcomingHoliday.h"

#include "core/localdb/LocalDatabase.h"
#include "core/localdb/LocalDatabaseSession.h"
#include "core/program/MessageBox.h"
#include "core/program/ModalDialog.h"
#include "core/program/ProgramValues.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "hours/FestivalReminder.h"
#include "hours/LegalHolidayReminder.h"

#include <QApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

// The reminder a check opened: which one, and the holiday it was opened for.
struct Shown
{
    QString reminder; // "FestivalReminder" or "LegalHolidayReminder"
    QString name;
    QString day;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out)
{
    *out << shown.reminder.toStdString() << " " << shown.name.toStdString() << " "
         << shown.day.toStdString();
}

template <class Reminder> Shown ShownBy(const Reminder& reminder)
{
    return {QString::fromLatin1(reminder.metaObject()->className()), reminder.Holiday().name,
            reminder.Holiday().day};
}

// The reminders that still exist.
qsizetype RemindersLeft()
{
    const QWidgetList windows = QApplication::allWidgets();
    return std::count_if(windows.begin(), windows.end(), [](QWidget* window) {
        return qobject_cast<FestivalReminder*>(window) ||
               qobject_cast<LegalHolidayReminder*>(window);
    });
}

// A local calendar in a fresh program folder, and every reminder the check shows recorded.
class UpcomingHolidayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ProgramFolder = folder.path() + QLatin1Char('/');
        database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("calendar"));
        database.setDatabaseName(folder.filePath(QStringLiteral("Quillane.MDB")));
        ASSERT_TRUE(database.open());
        query.emplace(database);
        query->exec(QStringLiteral("CREATE TABLE HOLIDAY (H_DAY TEXT, H_NAME TEXT, H_GUBUN TEXT)"));
        SetModalDialogHandler([this](QDialog& dialog) {
            if (const auto* festival = qobject_cast<FestivalReminder*>(&dialog))
                shown.push_back(ShownBy(*festival));
            else if (const auto* legal = qobject_cast<LegalHolidayReminder*>(&dialog))
                shown.push_back(ShownBy(*legal));
            return 0;
        });
    }

    void TearDown() override
    {
        SetModalDialogHandler({});
        query.reset();
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("calendar"));
    }

    void Insert(const HolidayRow& row)
    {
        QSqlQuery insert(database);
        insert.prepare(QStringLiteral("INSERT INTO HOLIDAY VALUES (?, ?, ?)"));
        insert.addBindValue(row.day);
        insert.addBindValue(row.name);
        insert.addBindValue(row.kind);
        ASSERT_TRUE(insert.exec());
    }

    void Answered(const QString& day)
    {
        WriteIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::Festival,
                       SettingsKeys::ReminderAnswered, day);
    }

    QTemporaryDir folder;
    QSqlDatabase database;
    std::optional<QSqlQuery> query;
    UpcomingHolidayCheck check{[] {}};
    std::vector<Shown> shown;
};

QDateTime At(const char* text)
{
    return QDateTime::fromString(QString::fromUtf8(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

struct Case
{
    const char* what;
    std::vector<HolidayRow> rows;
    const char* now;
    std::optional<Shown> expected;
};

Shown Festival(const char* name, const char* day)
{
    return {QStringLiteral("FestivalReminder"), QString::fromUtf8(name), QString::fromUtf8(day)};
}

Shown Legal(const char* name, const char* day)
{
    return {QStringLiteral("LegalHolidayReminder"), QString::fromUtf8(name),
            QString::fromUtf8(day)};
}

HolidayRow Row(const char* day, const char* name, const char* kind)
{
    return {QString::fromUtf8(day), QString::fromUtf8(name), QString::fromUtf8(kind)};
}

// 2026-09-21 is a Monday.
const std::vector<Case> Cases = {
    {"festival on Wednesday wins, Tuesday's holiday is too near",
     {Row("2026-09-22", "임시공휴일", "1"), Row("2026-09-23", "추석", "2")},
     "2026-09-21 10:00:00",
     Festival("추석", "2026-09-23")},
    {"a festival in the window wins over a legal holiday in the window",
     {Row("2026-09-24", "개천절", "1"), Row("2026-09-25", "추석", "2")},
     "2026-09-21 10:00:00",
     Festival("추석", "2026-09-25")},
    {"a legal holiday three days ahead",
     {Row("2026-10-09", "한글날", "1")},
     "2026-10-06 15:30:00",
     Legal("한글날", "2026-10-09")},
    {"the first day of a festival is too near: its following days are passed over",
     {Row("2026-09-22", "설날 전날", "2"), Row("2026-09-23", "설날", "2"),
      Row("2026-09-24", "설날 다음날", "2")},
     "2026-09-21 10:00:00",
     std::nullopt},
    {"a rejected run is followed by another holiday in the window",
     {Row("2026-09-22", "설날 전날", "2"), Row("2026-09-23", "설날", "2"),
      Row("2026-09-25", "추석", "2")},
     "2026-09-21 10:00:00",
     Festival("추석", "2026-09-25")},
    {"tomorrow at exactly midnight is one day ahead",
     {Row("2026-05-05", "어린이날", "1")},
     "2026-05-04 00:00:00",
     Legal("어린이날", "2026-05-05")},
    {"tomorrow a second after midnight is too near",
     {Row("2026-05-05", "어린이날", "1")},
     "2026-05-04 00:00:01",
     std::nullopt},
    {"seven days ahead at midnight",
     {Row("2026-05-05", "어린이날", "1")},
     "2026-04-28 00:00:00",
     Legal("어린이날", "2026-05-05")},
    {"eight days ahead late in the evening is too far",
     {Row("2026-05-05", "어린이날", "1")},
     "2026-04-27 23:59:59",
     std::nullopt},
    {"a UHC-syllable name",
     {Row("2026-12-25", "똘이 성탄절", "1")},
     "2026-12-22 09:00:00",
     Legal("똘이 성탄절", "2026-12-25")},
    {"rows of another year are not searched",
     {Row("2027-01-01", "신정", "1")},
     "2026-12-29 12:00:00",
     std::nullopt},
    {"no rows at all", {}, "2026-05-04 10:00:00", std::nullopt},
    {"a judged date that is not a date ends the check",
     {Row("2026-13-40", "광복절", "2"), Row("2026-08-15", "광복절", "1")},
     "2026-08-12 10:00:00",
     std::nullopt},
    {"a bad date in a run that is passed over does not matter",
     {Row("2026-08-13", "광복절 전날", "2"), Row("2026-xx-yy", "광복절", "2"),
      Row("2026-08-15", "제헌절", "1")},
     "2026-08-12 10:00:00",
     Legal("제헌절", "2026-08-15")},
    {"an unknown kind opens nothing",
     {Row("2026-08-15", "광복절", "3")},
     "2026-08-12 10:00:00",
     std::nullopt},
};

TEST_F(UpcomingHolidayTest, FindsTheHolidayAFewDaysAheadAndOpensItsReminder)
{
    for (const Case& item : Cases) {
        SCOPED_TRACE(item.what);
        query->exec(QStringLiteral("DELETE FROM HOLIDAY"));
        for (const HolidayRow& row : item.rows)
            Insert(row);
        shown.clear();

        check.Run(&*query, At(item.now));

        if (item.expected) {
            EXPECT_EQ(shown, std::vector<Shown>{*item.expected});
        } else {
            EXPECT_TRUE(shown.empty());
        }
        EXPECT_EQ(RemindersLeft(), 0) << "a reminder lives only while it is shown";
    }
}

TEST_F(UpcomingHolidayTest, TheStoredAnswerKeepsTheReminderAwayForThatHolidayOnly)
{
    Insert(Row("2026-10-09", "한글날", "1"));
    const QDateTime now = At("2026-10-06 10:00:00");

    Answered(QStringLiteral("2026-10-09"));
    check.Run(&*query, now);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(check.Found().name, QStringLiteral("한글날"));
    EXPECT_EQ(check.Found().day, QStringLiteral("2026-10-09"));

    Answered(QStringLiteral("2026-10-03"));
    check.Run(&*query, now);
    Answered(QString());
    check.Run(&*query, now);
    EXPECT_EQ(shown,
              (std::vector<Shown>{Legal("한글날", "2026-10-09"), Legal("한글날", "2026-10-09")}));
}

// A settings file without the key reads as the answer read last time.
TEST_F(UpcomingHolidayTest, AMissingAnswerReadsAsTheOneReadLastTime)
{
    Insert(Row("2026-09-25", "추석", "2"));
    const QDateTime now = At("2026-09-21 10:00:00");
    Answered(QStringLiteral("2026-09-25"));
    check.Run(&*query, now);

    ASSERT_TRUE(QFile::remove(ProgramFolder + SettingsKeys::FileName));
    check.Run(&*query, now);
    EXPECT_TRUE(shown.empty());

    UpcomingHolidayCheck fresh{[] {}};
    fresh.Run(&*query, now);
    EXPECT_EQ(shown, std::vector<Shown>{Festival("추석", "2026-09-25")});
}

TEST_F(UpcomingHolidayTest, WithoutAUsableCalendarNothingIsFoundAndNothingShown)
{
    Insert(Row("2026-09-25", "추석", "2"));
    check.Run(&*query, At("2026-09-21 10:00:00"));
    ASSERT_EQ(check.Found().name, QStringLiteral("추석"));
    shown.clear();
    check.Run(nullptr, At("2026-09-21 10:00:00"));
    EXPECT_TRUE(check.Found().name.isEmpty());
    EXPECT_TRUE(check.Found().day.isEmpty());

    query->exec(QStringLiteral("DROP TABLE HOLIDAY"));
    check.Run(&*query, At("2026-09-21 10:00:00"));

    QSqlQuery unopened{QSqlDatabase()};
    check.Run(&unopened, At("2026-09-21 10:00:00"));
    EXPECT_TRUE(shown.empty());
}

// The shipped calendars, opened as the program opens them: the Access file and the database the
// build makes.
class ShippedCalendarTest : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        ProgramFolder = folder.path() + QLatin1Char('/');
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(GetParam()), ProgramFolder + "Quillane.MDB"));
        SetMessageBoxHandler([](const MessageRequest& request) {
            ADD_FAILURE() << request.text.toStdString();
            return MessageAnswer::Ok;
        });
        SetModalDialogHandler([this](QDialog& dialog) {
            if (const auto* festival = qobject_cast<FestivalReminder*>(&dialog))
                shown.push_back(ShownBy(*festival));
            else if (const auto* legal = qobject_cast<LegalHolidayReminder*>(&dialog))
                shown.push_back(ShownBy(*legal));
            return 0;
        });
        login = std::make_unique<LocalDatabaseSession>();
        query.emplace(LocalConnection());
        query->setForwardOnly(true);
    }

    void TearDown() override
    {
        query.reset();
        login.reset();
        SetMessageBoxHandler({});
        SetModalDialogHandler({});
    }

    QTemporaryDir folder;
    std::unique_ptr<LocalDatabaseSession> login;
    std::optional<QSqlQuery> query;
    std::vector<Shown> shown;
};

TEST_P(ShippedCalendarTest, RemindsOfTheFestivalsAndLegalHolidaysOf2026)
{
    const std::vector<std::pair<const char*, std::optional<Shown>>> cases = {
        {"2026-02-13 10:00:00", Festival("설날 전날", "2026-02-16")},
        {"2026-02-15 10:00:00", std::nullopt}, // the festival's first day is too near
        {"2026-09-21 10:00:00", Festival("추석 전날", "2026-09-24")},
        {"2026-10-04 10:00:00", Legal("한글날", "2026-10-09")},
        {"2026-12-20 23:00:00", Legal("성탄절", "2026-12-25")},
        {"2026-12-28 10:00:00", std::nullopt}, // next year's new year is not searched
    };
    for (const auto& [now, expected] : cases) {
        SCOPED_TRACE(now);
        shown.clear();
        UpcomingHolidayCheck([] {}).Run(&*query, At(now));
        if (expected) {
            EXPECT_EQ(shown, std::vector<Shown>{*expected});
        } else {
            EXPECT_TRUE(shown.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedCalendarTest,
                         ::testing::Values(QUILLANE_TEST_DATA "/mdb/synthetic-korean-v2003.mdb",
                                           QUILLANE_PROGRAM_DIR "/Quillane.MDB"));

} // namespace
