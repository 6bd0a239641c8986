#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "tests/app/ProgramOnScreen.h"

#include <QDate>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Where the reminders' 근무 button lies in their client area (81 x 23 at 28, 213).
constexpr int WorkX = 28 + 40;
constexpr int WorkY = 213 + 11;
const QString ReminderTitle = QStringLiteral("^초록우체통$");
const QString FestivalWindowTitle = QStringLiteral("^초록우체통 명절 근무시간");

struct Reminder
{
    const char* name;
    const char* holiday;
    const char* kind;
};

void PrintTo(const Reminder& reminder, std::ostream* out)
{
    *out << reminder.name;
}

// The real program under Xvfb, signed in as the demo owner's check computer against the real
// reference service, with one holiday in its calendar a few days from today.
class ReminderEndToEnd : public ::testing::TestWithParam<Reminder>, protected ProgramOnScreen
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        const QDate today = QDate::currentDate();
        const int ahead = today.addDays(3).year() == today.year() ? 3 : 2;
        if (today.addDays(ahead).year() != today.year())
            GTEST_SKIP() << "no day of this year lies far enough ahead for a reminder";
        day = today.addDays(ahead).toString(Qt::ISODate);

        ASSERT_NO_FATAL_FAILURE(Connect());
        ASSERT_TRUE(sandbox.SetHolidays(
            {{day, QString::fromUtf8(GetParam().holiday), QString::fromUtf8(GetParam().kind)}}));
        WriteDemoOwner(Settings());
    }

    QString Answer() const
    {
        return ReadIniString(Settings(), SettingsKeys::Festival, SettingsKeys::ReminderAnswered,
                             QStringLiteral("(none)"));
    }

    QString Geometry(const QString& window) const
    {
        return screen.Xdotool({QStringLiteral("getwindowgeometry"), window});
    }

    // The visible window of the title that is not the reminder, once there is one.
    QString OtherWindow(const QString& title, const QString& reminder) const
    {
        QString found;
        WaitFor([&] {
            for (const QString& window : Windows(title)) {
                if (window != reminder)
                    found = window;
            }
            return !found.isEmpty();
        });
        return found;
    }

    std::size_t Reports(const QString& page) const
    {
        return PostedBodies(service.Requests(), page).size();
    }

    QString day;
};

TEST_P(ReminderEndToEnd, ComesAfterTheSignInAndItsWorkAnswerIsStored)
{
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    QString reminder;
    ASSERT_TRUE(WaitFor([&] {
        const QStringList windows = Windows(ReminderTitle);
        reminder = windows.isEmpty() ? QString() : windows.front();
        return !reminder.isEmpty();
    })) << "no reminder after the sign-in";
    EXPECT_TRUE(Geometry(reminder).contains(QStringLiteral("Geometry: 350x248")))
        << Geometry(reminder).toStdString();
    EXPECT_TRUE(Geometry(reminder).contains(QStringLiteral("Position: %1,%2")
                                                .arg((ScreenWidth - 350) / 2)
                                                .arg((ScreenHeight - 248) / 2)))
        << "centred: " << Geometry(reminder).toStdString();
    EXPECT_EQ(Answer(), QStringLiteral("(none)"));

    Click(reminder, WorkX, WorkY);

    if (QByteArray(GetParam().kind) == "1") {
        ASSERT_TRUE(service.WaitUntil([](const std::vector<StoredRequest>& requests) {
            return !PostedBodies(requests, QStringLiteral("hdaycheck.asp")).empty();
        })) << "no report of the working day";
        EXPECT_EQ(PostedBodies(service.Requests(), QStringLiteral("hdaycheck.asp")).front(),
                  QByteArray("P_Gubun = 1&P_PALICENSE =12345&P_TIME_S1   =00:00&P_TIME_E1   "
                             "=00:00&P_TIME_D1   =") +
                      day.toLatin1() + QByteArray(1, '\0'));
        const QString saved = OtherWindow(ReminderTitle, reminder);
        ASSERT_FALSE(saved.isEmpty()) << "no saved message";
        Press(saved, QStringLiteral("Return"));
        const QString name = QString::fromUtf8(GetParam().holiday);
        EXPECT_EQ(ReadIniString(Settings(), SettingsKeys::LegalHoliday,
                                name + SettingsKeys::HolidayDateSuffix, {}),
                  day);
        EXPECT_EQ(ReadIniString(Settings(), SettingsKeys::LegalHoliday,
                                name + SettingsKeys::HolidayCheckSuffix, {}),
                  QStringLiteral("1"));
    } else {
        QString festival;
        ASSERT_TRUE(WaitFor([&] {
            const QStringList windows = Windows(FestivalWindowTitle);
            festival = windows.isEmpty() ? QString() : windows.front();
            return !festival.isEmpty();
        })) << "no festival window after 근무";
        EXPECT_FALSE(Windows(ReminderTitle).isEmpty()) << "the reminder waits behind it";
        // The close bar across the festival window's bottom edge.
        Click(festival, 250, 585);
    }
    ASSERT_TRUE(WaitFor([&] {
        return Windows(ReminderTitle).isEmpty() && Windows(FestivalWindowTitle).isEmpty();
    })) << "the reminder did not close";
    EXPECT_EQ(Answer(), day);
    EXPECT_EQ(program->state(), QProcess::Running);

    // The answer is stored: the next start signs in and reports without asking again.
    EndProgram(*program);
    const std::size_t reportsBefore = Reports(QStringLiteral("TimeCheck.asp"));
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(service.WaitUntil([&](const std::vector<StoredRequest>& requests) {
        return PostedBodies(requests, QStringLiteral("TimeCheck.asp")).size() > reportsBefore;
    })) << "no on report after the second start";
    QThread::msleep(1500);
    EXPECT_TRUE(Windows(ReminderTitle).isEmpty()) << "asked again for an answered holiday";
}

INSTANTIATE_TEST_SUITE_P(Holidays, ReminderEndToEnd,
                         ::testing::Values(Reminder{"LegalHoliday", "똘이 기념일", "1"},
                                           Reminder{"Festival", "설날", "2"}),
                         [](const ::testing::TestParamInfo<Reminder>& param) {
                             return param.param.name;
                         });

} // namespace
