#include "DayRecord.h"
#include "FormEncoding.h"
#include "PageDecoding.h"
#include "PageText.h"
#include "ProgramSandbox.h"
#include "Quillane_Define.h"
#include "ReferenceService.h"
#include "Settings.h"
#include "SplitFields.h"
#include "XvfbDisplay.h"

#include <QPoint>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>
#include <httplib.h>

namespace {

constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;
// The answer to the fetch is handled as soon as it arrives; this leaves it ample time.
constexpr int AnswerSettleMs = 3000;

struct WindowCase
{
    const char* name;
    QPoint mainButton; // the main screen's button that opens the window
    const char* title; // how the window's caption begins
    const char* page;
    int boxX;
    std::vector<int> rowTops;
};

// The window's rows as the service's demo data answers them for the demo owner now.
QStringList ServiceRecords(const QString& host, const char* page)
{
    const QStringList parts = host.split(u':');
    httplib::Client client(parts[0].toStdString(), parts[1].toInt());
    const QByteArray body = PostData(QStringLiteral("P_select  =1&P_LICENSE    =12345"));
    const auto answer = client.Post(std::string("/Quillane/") + page, body.toStdString(),
                                    "application/x-www-form-urlencoded");
    QStringList records;
    if (answer && answer->status == 200) {
        const QString html =
            DecodePage(QByteArray::fromStdString(answer->body),
                       QByteArray::fromStdString(answer->get_header_value("Content-Type")));
        SplitFields(CharSetOf(u"]"), CharSet(), DocumentOuterText(html), &records);
    }
    return records;
}

QPoint Position(const QString& geometry)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+)")).match(geometry);
    return match.hasMatch() ? QPoint(match.captured(1).toInt(), match.captured(2).toInt())
                            : QPoint(-1, -1);
}

// The real program against the reference service with its demo owner, on an X server of the
// test's own, driven from its main screen as the pharmacist does.
class DayHoursOnScreen : public ::testing::TestWithParam<WindowCase>
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

    // The program's one visible window whose title matches, once shown; empty if none.
    QString WindowId(const QString& titlePattern) const
    {
        QStringList windows;
        WaitFor([&] {
            windows = screen.VisibleWindows(program->processId(), titlePattern);
            return windows.size() == 1;
        });
        return windows.size() == 1 ? windows[0] : QString();
    }

    // That window's client origin.
    QPoint WindowAt(const QString& titlePattern) const
    {
        const QString id = WindowId(titlePattern);
        if (id.isEmpty())
            return {-1, -1};
        return Position(screen.Xdotool({QStringLiteral("getwindowgeometry"), id}));
    }

    void ClickAt(QPoint at) const
    {
        screen.Xdotool({QStringLiteral("mousemove"), QString::number(at.x()),
                        QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    }

    bool Shown(const QString& titlePattern) const
    {
        return !screen.VisibleWindows(program->processId(), titlePattern).isEmpty();
    }

    std::vector<QByteArray> Bodies() const
    {
        return PostedBodies(service.Requests(), QString::fromLatin1(GetParam().page));
    }

    XvfbDisplay screen{ScreenWidth, ScreenHeight};
    ReferenceService service;
    ProgramSandbox sandbox;
    std::unique_ptr<QProcess> program;
};

TEST_P(DayHoursOnScreen, FilledFromTheServiceEditedSavedAndConfirmed)
{
    const WindowCase& c = GetParam();
    const QStringList before = ServiceRecords(service.Host(), c.page);
    const auto first = std::find_if(before.begin(), before.end(), [](const QString& record) {
        return !Trimmed(record).isEmpty();
    });
    ASSERT_NE(first, before.end()) << "the demo data answers no day";
    const int row = static_cast<int>(first - before.begin()) + 1;
    ASSERT_LE(row, static_cast<int>(c.rowTops.size()));
    const std::optional<DayRecord> day = ReadDayRecord(Trimmed(*first));
    ASSERT_TRUE(day.has_value()) << first->toStdString();

    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    const QPoint main = WindowAt(QStringLiteral("^Quillane"));
    ASSERT_NE(main, QPoint(-1, -1)) << "the main screen did not show";
    ClickAt(main + c.mainButton);
    const QString title = QLatin1Char('^') + QString::fromUtf8(c.title);
    const QPoint window = WindowAt(title);
    ASSERT_NE(window, QPoint(-1, -1)) << "the window did not show";
    EXPECT_EQ(window, QPoint(262, 84)) << "centred";
    ASSERT_TRUE(service.WaitUntil([&](const auto&) { return Bodies().size() == 2; }))
        << "the window's fetch after the test's own";
    QThread::msleep(AnswerSettleMs);

    // The user turns the first day's working box over and saves.
    ClickAt(window + QPoint(c.boxX + 8, c.rowTops[static_cast<std::size_t>(row - 1)] + 11));
    ClickAt(window + QPoint(169 + 40, 527 + 11));
    ASSERT_TRUE(WaitFor([&] { return Shown(QStringLiteral("^초록우체통$")); }))
        << "no saved message";
    const QStringList message =
        screen.VisibleWindows(program->processId(), QStringLiteral("^초록우체통$"));
    screen.Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), message[0]});
    screen.Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    EXPECT_TRUE(WaitFor([&] { return !Shown(QStringLiteral("^초록우체통$")) && !Shown(title); }))
        << "the message and the window close";

    const std::vector<QByteArray> bodies = Bodies();
    ASSERT_EQ(bodies.size(), 3u);
    const QString n = QString::number(row);
    const QString triple = day->working
                               ? QStringLiteral("&P_TIME_S%1   =0&P_TIME_E%1   =0")
                               : QStringLiteral("&P_TIME_S%1   =00:00&P_TIME_E%1   =00:00");
    const QByteArray expected =
        PostData(triple.arg(n) + QStringLiteral("&P_TIME_D%1   =").arg(n) + day->date);
    EXPECT_TRUE(bodies[2].startsWith("P_select  =2&P_LICENSE    =12345&P_TIME_S1   ="));
    EXPECT_TRUE(bodies[2].contains(expected.chopped(1))) << bodies[2].toStdString();

    // Opened again, the window fetches again.
    ClickAt(main + c.mainButton);
    EXPECT_FALSE(WindowId(title).isEmpty());
    EXPECT_TRUE(service.WaitUntil([&](const auto&) { return Bodies().size() == 4; }));
    EXPECT_EQ(Bodies().back(), bodies[1]);

    const QStringList after = ServiceRecords(service.Host(), c.page);
    ASSERT_GE(after.size(), row);
    const std::optional<DayRecord> stored = ReadDayRecord(Trimmed(after[row - 1]));
    ASSERT_TRUE(stored.has_value());
    EXPECT_NE(stored->working, day->working) << "the service keeps the user's answer";
    EXPECT_EQ(program->state(), QProcess::Running);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, DayHoursOnScreen,
    ::testing::Values(WindowCase{"LegalHolidays",
                                 {26 + 120, 172 + 20},
                                 "초록우체통 공휴일",
                                 "holiday.asp",
                                 107,
                                 {163, 197, 232, 268, 305, 341, 376, 411, 444}},
                      WindowCase{"Festival",
                                 {26 + 120, 219 + 20},
                                 "초록우체통 명절",
                                 "festival1.asp",
                                 85,
                                 {165, 197, 229, 261, 293, 325, 357, 389, 421, 453}}),
    [](const ::testing::TestParamInfo<WindowCase>& param) { return param.param.name; });

} // namespace
