#include "ProgramSandbox.h"
#include "ReferenceService.h"
#include "Settings.h"
#include "XvfbDisplay.h"

#include <QPoint>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;

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
class NormalOnScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        ASSERT_TRUE(screen.Started()) << "Xvfb did not start";
        ASSERT_TRUE(service.Started()) << "quillane-service did not answer";
        const QString settings = sandbox.ProgramFolder() + QStringLiteral("quillane.ini");
        const QString basic = QStringLiteral("기본정보");
        WriteIniString(settings, basic, QStringLiteral("개국약사명"), QStringLiteral("김똘이"));
        WriteIniString(settings, basic, QStringLiteral("개국약사면허번호"),
                       QStringLiteral("12345"));
        WriteIniString(settings, basic, QStringLiteral("푸른등대"), QStringLiteral("COUNTER-PC"));
        sandbox.Set(QStringLiteral("DISPLAY"), screen.Display());
        sandbox.Set(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), service.Host());
        sandbox.Set(QStringLiteral("QUILLANE_CONTEST_HOST"), service.Host());
    }

    void TearDown() override
    {
        if (program)
            EndProgram(*program);
    }

    QStringList Windows(const QString& titlePattern) const
    {
        return screen.VisibleWindows(program->processId(), titlePattern);
    }

    // The client origin of the program's one visible window with that title.
    QPoint Origin(const QString& titlePattern) const
    {
        const QStringList windows = Windows(titlePattern);
        if (windows.size() != 1)
            return {-1, -1};
        const QString report =
            screen.Xdotool({QStringLiteral("getwindowgeometry"), windows.first()});
        const QRegularExpressionMatch position =
            QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+)")).match(report);
        return {position.captured(1).toInt(), position.captured(2).toInt()};
    }

    void Click(QPoint at) const
    {
        screen.Xdotool({QStringLiteral("mousemove"), QString::number(at.x()),
                        QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    }

    std::size_t Posted(const QString& page) const
    {
        return PostedBodies(service.Requests(), page).size();
    }

    XvfbDisplay screen{ScreenWidth, ScreenHeight};
    ReferenceService service;
    ProgramSandbox sandbox;
    std::unique_ptr<QProcess> program;
};

TEST_F(NormalOnScreen, FetchEditSaveConfirmAndTheLegalHolidayWindowOpens)
{
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    const QString mainTitle = QStringLiteral("^Quillane$");
    ASSERT_TRUE(WaitFor([&] { return Windows(mainTitle).size() == 1; }))
        << "without a tray the main screen shows at start";
    Click(Origin(mainTitle) + QPoint(126, 145)); // 정상 근무시간 정보입력

    const QString weeklyTitle = QStringLiteral("^초록우체통 정상 근무시간");
    ASSERT_TRUE(WaitFor([&] { return Windows(weeklyTitle).size() == 1; }));
    const QPoint weekly = Origin(weeklyTitle);
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
    screen.Xdotool({QStringLiteral("windowfocus"), Windows(savedTitle).first()});
    screen.Xdotool({QStringLiteral("key"), QStringLiteral("Return")});

    const QString holidayTitle = QStringLiteral("^초록우체통 공휴일");
    ASSERT_TRUE(WaitFor([&] { return Windows(holidayTitle).size() == 1; }));
    EXPECT_TRUE(Windows(savedTitle).isEmpty());
    EXPECT_TRUE(Windows(weeklyTitle).isEmpty()) << "hidden after the message";
    EXPECT_EQ(program->state(), QProcess::Running);
}

} // namespace
