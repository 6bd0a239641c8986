#include "ProgramOnScreen.h"

#include <QPoint>
#include <QThread>
#include <gtest/gtest.h>

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

// The real program under Xvfb against the real service, driven as a user drives it.
class NormalOnScreen : public ::testing::Test, protected ProgramOnScreen
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        ASSERT_NO_FATAL_FAILURE(Connect());
        WriteDemoOwner(Settings());
    }

    std::size_t Posted(const QString& page) const
    {
        return PostedBodies(service.Requests(), page).size();
    }
};

TEST_F(NormalOnScreen, FetchEditSaveConfirmAndTheLegalHolidayWindowOpens)
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

    Click(weekly + QPoint(184, 220)); // Saturday's working box
    Click(weekly + QPoint(209, 545)); // 입력완료
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

} // namespace
