#include "core/requests/FormEncoding.h"
#include "tests/hours/HoursOnScreen.h"
#include "tests/hours/ServiceFront.h"

#include <QDate>
#include <QPoint>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QThread>
#include <gtest/gtest.h>
#include <httplib.h>

namespace {

// The fetch and the save of the registered demo owner 김똘이 (licence 12345, check computer
// COUNTER-PC), whose weekly hours the service holds: weekdays 09:00 to 21:00, night duty on
// Thursday until 01:30, Saturday 09:00 to 18:00, week 2 10:00 to 18:00. The save has Saturday
// cleared.
const QByteArray FetchBody =
    QByteArray("P_select  =1&P_LICENSE    =12345&P_Comname    =COUNTER-PC&P_TIME1_S   "
               "=&P_TIME1_e   =&P_night_day   =&P_night_time1_e   =&P_TIME2_s   =&P_TIME2_e   "
               "=&P_TIME3_S   =&P_TIME3_E   =&P_SunDay1   =&P_SunDay2   =&P_SunDay3   "
               "=&P_SunDay4   =&P_SunDay5   =&P_Operate   =") +
    '\0';
const QByteArray SaveBody =
    QByteArray("P_select  =2&P_LICENSE    =12345&P_Comname    =COUNTER-PC&P_TIME1_S   "
               "=09:00&P_TIME1_E   =21:00&P_TIME2_S   =:&P_TIME2_E   =:&P_TIME3_S   "
               "=:&P_TIME3_E   =:&P_night_day   =5&P_night_time1_e   =25:30&P_SunDay1   "
               "=:&P_SunDay2   =10:00,18:00&P_SunDay3   =:&P_SunDay4   =:&P_SunDay5   "
               "=:&P_Operate   =0") +
    '\0';

const QString MainTitle = QStringLiteral("^Quillane");
const QString WeeklyTitle = QStringLiteral("^초록우체통 정상 근무시간");
const QString SavedTitle = QStringLiteral("^초록우체통$");
const QString WarningTitle = QStringLiteral("^경고");
const QString HolidayTitle = QStringLiteral("^초록우체통 공휴일");

// Points of the weekly window: the main screen's button that opens it, and its controls.
constexpr QPoint WeeklyButton(126, 145);
constexpr QPoint CompleteButton(209, 557); // 입력완료
constexpr QPoint SaturdayBox(184, 220);
constexpr QPoint SundayDay(120, 495); // the day in the date box of the specific Sundays
constexpr QPoint SundayStart(194, 495);
constexpr QPoint SundayEnd(294, 495);
constexpr QPoint SundaySave(377, 495); // 저장
constexpr QPoint FirstDate(150, 517);  // the list's items
constexpr QPoint SecondDate(150, 532);
constexpr QPoint CloseBar(250, 585); // of every hours window

// Where the date box of the specific Sundays starts: today when it is a Sunday, else the coming
// Sunday.
QDate NextSunday()
{
    const QDate today = QDate::currentDate();
    return today.addDays(Qt::Sunday - today.dayOfWeek());
}

// The save of a specific Sunday as the service receives it; the end goes as the list shows it.
QByteArray SundaySaveBody(const QDate& day, const QString& start, const QString& end)
{
    return PostData(QStringLiteral("P_select  =2&P_LICENSE    =12345&P_e_day    =") +
                    day.toString(Qt::ISODate) + QStringLiteral("&P_time1_s   =") + start +
                    QStringLiteral("&P_time1_e   =") + end);
}

class WeeklyHoursOnScreen : public HoursOnScreen<>
{
protected:
    std::size_t Posted(const QString& page) const
    {
        return PostedBodies(service.Requests(), page).size();
    }

    std::vector<QByteArray> Bodies(const QString& page) const
    {
        return PostedBodies(service.Requests(), page);
    }

    // Registers a specific Sunday with the service directly, as another computer would have.
    bool RegisterSunday(const QDate& day, const QString& start, const QString& end) const
    {
        const QStringList host = service.Host().split(u':');
        httplib::Client client(host[0].toStdString(), host[1].toInt());
        const QByteArray body = SundaySaveBody(day, start, end);
        const auto answer = client.Post("/Quillane/SunDay.asp", body.toStdString(),
                                        "application/x-www-form-urlencoded");
        return answer && answer->status == 200;
    }

    // Opens the weekly window from the main screen and waits until both its fetches are answered.
    QPoint OpenWeekly()
    {
        const std::size_t weeklyBefore = Posted(QStringLiteral("normal3.asp"));
        const std::size_t sundayBefore = Posted(QStringLiteral("SunDay.asp"));
        const QPoint main = WindowAt(MainTitle);
        EXPECT_NE(main, QPoint(-1, -1)) << "no main screen";
        Click(main + WeeklyButton);
        const QPoint weekly = WindowAt(WeeklyTitle);
        EXPECT_NE(weekly, QPoint(-1, -1)) << "no weekly window";
        EXPECT_TRUE(WaitFor([&] {
            return Posted(QStringLiteral("normal3.asp")) > weeklyBefore &&
                   Posted(QStringLiteral("SunDay.asp")) > sundayBefore;
        }));
        QThread::msleep(1000); // the answers fill the rows
        return weekly;
    }

    QString Xdotool(const QStringList& arguments) const { return screen.Xdotool(arguments); }

    // The program's visible windows of any kind, drop-down lists included.
    QStringList AllWindows() const
    {
        return Xdotool({"search", "--onlyvisible", "--classname", "Quillane"})
            .split(u'\n', Qt::SkipEmptyParts);
    }

    // Clicks a list and closes the drop-down that opens; the list keeps the focus. Returns the
    // drop-down's height.
    int OpenAndCloseList(QPoint at)
    {
        const QStringList before = AllWindows();
        Click(at);
        QString popup;
        WaitFor([&] {
            for (const QString& window : AllWindows()) {
                if (!before.contains(window))
                    popup = window;
            }
            return !popup.isEmpty();
        });
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Geometry: \\d+x(\\d+)"))
                .match(Xdotool({"getwindowgeometry", popup}));
        Xdotool({"key", "Escape"});
        WaitFor([&] { return !AllWindows().contains(popup); });
        return size.hasMatch() ? size.captured(1).toInt() : -1;
    }

    void Keys(const QString& key, int times) const
    {
        Xdotool({"key", "--delay", "20", "--repeat", QString::number(times), key});
    }
};

TEST_F(WeeklyHoursOnScreen, FetchEditSaveConfirmAndTheLegalHolidayWindowOpens)
{
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    const QString mainTitle = QStringLiteral("^Quillane$");
    ASSERT_TRUE(WaitFor([&] { return Windows(mainTitle).size() == 1; }))
        << "without a tray the main screen shows at start";
    Click(WindowAt(mainTitle) + QPoint(126, 145)); // 정상 근무시간 정보입력

    const QString weeklyTitle = QStringLiteral("^초록우체통 정상 근무시간");
    ASSERT_TRUE(WaitFor([&] { return Windows(weeklyTitle).size() == 1; }));
    const QPoint weekly = WindowAt(weeklyTitle);
    EXPECT_EQ(weekly, QPoint((ScreenWidth - 500) / 2, (ScreenHeight - 600) / 2));
    ASSERT_TRUE(WaitFor([&] {
        return Posted(QStringLiteral("normal3.asp")) == 1 &&
               Posted(QStringLiteral("SunDay.asp")) == 1;
    }));
    EXPECT_EQ(PostedBodies(service.Requests(), QStringLiteral("normal3.asp")).front(), FetchBody);
    QThread::msleep(1000); // the answers fill the rows

    Click(weekly + SaturdayBox);
    Click(weekly + CompleteButton);
    ASSERT_TRUE(WaitFor([&] { return Posted(QStringLiteral("normal3.asp")) == 2; }));
    EXPECT_EQ(PostedBodies(service.Requests(), QStringLiteral("normal3.asp")).back(), SaveBody)
        << "the rows as the fetch filled them, Saturday cleared";

    const QString savedTitle = QStringLiteral("^초록우체통$");
    ASSERT_TRUE(WaitFor([&] { return Windows(savedTitle).size() == 1; })) << "the saved message";
    EXPECT_EQ(Windows(weeklyTitle).size(), 1u) << "the window waits for the message";
    Press(Windows(savedTitle).first(), QStringLiteral("Return"));

    const QString holidayTitle = QStringLiteral("^초록우체통 공휴일");
    ASSERT_TRUE(WaitFor([&] { return Windows(holidayTitle).size() == 1; }));
    EXPECT_TRUE(Windows(savedTitle).isEmpty());
    EXPECT_TRUE(Windows(weeklyTitle).isEmpty()) << "hidden after the message";
    EXPECT_EQ(program->state(), QProcess::Running);
}

// A Sunday saved until 익일 1시 comes back as 25:00; chosen again, with the mouse or the keys, it
// shows 익일 1시 and goes out again with that end. A Friday is refused. The time lists drop down a
// bounded number of items.
TEST_F(WeeklyHoursOnScreen, ASundayEndingAfterMidnightIsSavedAgainAndOnlySundaysAreSaved)
{
    const QDate sunday = NextSunday();
    const QDate weekLater = sunday.addDays(7);
    ASSERT_TRUE(RegisterSunday(weekLater, QStringLiteral("10:00"), QStringLiteral("14:00")));
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    const QPoint weekly = OpenWeekly();
    const std::size_t sundayPosts = Posted(QStringLiteral("SunDay.asp"));

    const int startListHeight = OpenAndCloseList(weekly + SundayStart);
    EXPECT_GT(startListHeight, 0) << "no drop-down";
    EXPECT_LT(startListHeight, ScreenHeight / 2) << "the drop-down covers the screen";
    Keys(QStringLiteral("Down"), 44); // 22:00; the end follows to 22:30
    OpenAndCloseList(weekly + SundayEnd);
    Keys(QStringLiteral("Down"), 5); // 익일 1시
    Click(weekly + SundaySave);
    const QByteArray saved =
        SundaySaveBody(sunday, QStringLiteral("22:00"), QStringLiteral("익일 1시"));
    ASSERT_TRUE(WaitFor([&] { return Posted(QStringLiteral("SunDay.asp")) == sundayPosts + 1; }));
    EXPECT_EQ(Bodies(QStringLiteral("SunDay.asp")).back(), saved)
        << "the date box started on the next Sunday";
    QThread::msleep(1000); // the answer lists both Sundays

    Click(weekly + SecondDate);
    Xdotool({"key", "Up"}); // the first date, chosen with the keys
    Click(weekly + SundaySave);
    ASSERT_TRUE(WaitFor([&] { return Posted(QStringLiteral("SunDay.asp")) == sundayPosts + 2; }));
    EXPECT_EQ(Bodies(QStringLiteral("SunDay.asp")).back(), saved)
        << "chosen again, the date keeps its end after midnight";
    QThread::msleep(1000);

    Click(weekly + FirstDate);
    Click(weekly + SundayDay);
    Keys(sunday.day() > 2 ? QStringLiteral("Down") : QStringLiteral("Up"),
         2); // a Friday or a Tuesday
    Click(weekly + SundaySave);
    const QString warning = OneWindow(WarningTitle);
    ASSERT_FALSE(warning.isEmpty()) << "a weekday is refused with a message";
    Press(warning, QStringLiteral("Return"));
    EXPECT_TRUE(WaitFor([&] { return Windows(WarningTitle).isEmpty(); }));
    QThread::msleep(500);
    EXPECT_EQ(Posted(QStringLiteral("SunDay.asp")), sundayPosts + 2) << "nothing sent";
    EXPECT_EQ(program->state(), QProcess::Running);
}

// 입력완료 pressed while the fetch's answer is still on its way sends nothing; once the rows are
// filled it saves them. A fetch that fails says so, and 입력완료 then sends nothing either.
TEST_F(WeeklyHoursOnScreen, TheSaveWaitsForTheFetchAndAFailedFetchSaysSo)
{
    ServiceFront front(service.Host());
    sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), front.Host());
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    const QPoint main = WindowAt(MainTitle);
    ASSERT_NE(main, QPoint(-1, -1));
    front.Hold("normal3.asp", std::chrono::seconds(4));
    Click(main + WeeklyButton);
    const QPoint weekly = WindowAt(WeeklyTitle);
    ASSERT_NE(weekly, QPoint(-1, -1));
    Click(weekly + CompleteButton);
    ASSERT_TRUE(WaitFor([&] { return Posted(QStringLiteral("normal3.asp")) == 1; }))
        << "the held fetch reaches the service";
    QThread::msleep(1500); // its answer fills the rows
    EXPECT_EQ(front.Bodies("normal3.asp").size(), 1u) << "the early press sent nothing";
    EXPECT_TRUE(Windows(SavedTitle).isEmpty());

    front.Hold("normal3.asp", std::chrono::milliseconds(0));
    Click(weekly + CompleteButton);
    ASSERT_TRUE(WaitFor([&] { return Posted(QStringLiteral("normal3.asp")) == 2; }));
    EXPECT_TRUE(Bodies(QStringLiteral("normal3.asp"))
                    .back()
                    .contains("&P_TIME1_S   =09:00&P_TIME1_E   =21:00"))
        << "the rows as the fetch filled them";
    const QString saved = OneWindow(SavedTitle);
    ASSERT_FALSE(saved.isEmpty()) << "the saved message";
    Press(saved, QStringLiteral("Return"));
    ASSERT_TRUE(WaitFor([&] { return Windows(WeeklyTitle).isEmpty(); }));
    const QPoint holidays = WindowAt(HolidayTitle); // opened by the save; it covers the main screen
    ASSERT_NE(holidays, QPoint(-1, -1));
    Click(holidays + CloseBar);
    ASSERT_TRUE(WaitFor([&] { return Windows(HolidayTitle).isEmpty(); }));

    front.Fail("normal3.asp", true);
    Click(main + WeeklyButton);
    const QString failed = OneWindow(WarningTitle);
    ASSERT_FALSE(failed.isEmpty()) << "the failed fetch says so";
    Press(failed, QStringLiteral("Return"));
    ASSERT_TRUE(WaitFor([&] { return Windows(WarningTitle).isEmpty(); }));
    Click(WindowAt(WeeklyTitle) + CompleteButton);
    const QString again = OneWindow(WarningTitle);
    ASSERT_FALSE(again.isEmpty()) << "입력완료 says it again";
    Press(again, QStringLiteral("Return"));
    QThread::msleep(500);
    EXPECT_EQ(front.Bodies("normal3.asp").size(), 3u) << "two fetches and one save";
    EXPECT_EQ(Posted(QStringLiteral("normal3.asp")), 2u);
    EXPECT_EQ(program->state(), QProcess::Running);
}

// Moved by the user, the open window stays where it is when its button is pressed again.
TEST_F(WeeklyHoursOnScreen, PressedAgainTheOpenWindowStaysWhereTheUserLeftIt)
{
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    OpenWeekly();
    const QString weekly = OneWindow(WeeklyTitle);
    ASSERT_FALSE(weekly.isEmpty());
    const QPoint moved(520, 100); // clear of the main screen's buttons
    Xdotool({"windowmove", weekly, QString::number(moved.x()), QString::number(moved.y())});
    ASSERT_TRUE(WaitFor([&] { return Origin(weekly) == moved; }));

    Click(WindowAt(MainTitle) + WeeklyButton);
    QThread::msleep(1000);
    EXPECT_EQ(Origin(weekly), moved);
    EXPECT_EQ(Posted(QStringLiteral("normal3.asp")), 1u) << "an open window does not fetch again";
    EXPECT_EQ(program->state(), QProcess::Running);
}

} // namespace
