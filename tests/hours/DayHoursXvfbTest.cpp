#include "core/program/Trimmed.h"
#include "core/requests/FormEncoding.h"
#include "core/requests/PageDecoding.h"
#include "core/requests/PageText.h"
#include "core/requests/SplitFields.h"
#include "hours/DayRecord.h"
#include "tests/hours/HoursOnScreen.h"
#include "tests/hours/ServiceFront.h"

#include <QPoint>
#include <QThread>
#include <gtest/gtest.h>
#include <httplib.h>

namespace {

// The answer to the fetch is handled as soon as it arrives; this leaves it ample time.
constexpr int AnswerSettleMs = 3000;
// Points on 입력완료 and on the close bar of both windows.
constexpr QPoint SaveButton(169 + 40, 527 + 11);
constexpr QPoint CloseBar(250, 585);

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

class DayHoursOnScreen : public HoursOnScreen<::testing::TestWithParam<WindowCase>>
{
protected:
    bool Shown(const QString& titlePattern) const { return !Windows(titlePattern).isEmpty(); }

    std::vector<QByteArray> Bodies() const
    {
        return PostedBodies(service.Requests(), QString::fromLatin1(GetParam().page));
    }
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
    Click(main + c.mainButton);
    const QString title = QLatin1Char('^') + QString::fromUtf8(c.title);
    const QPoint window = WindowAt(title);
    ASSERT_NE(window, QPoint(-1, -1)) << "the window did not show";
    EXPECT_EQ(window, QPoint(262, 84)) << "centred";
    ASSERT_TRUE(service.WaitUntil([&](const auto&) { return Bodies().size() == 2; }))
        << "the window's fetch after the test's own";
    QThread::msleep(AnswerSettleMs);

    // The user turns the first day's working box over and saves.
    Click(window + QPoint(c.boxX + 8, c.rowTops[static_cast<std::size_t>(row - 1)] + 11));
    Click(window + SaveButton);
    ASSERT_TRUE(WaitFor([&] { return Shown(QStringLiteral("^초록우체통$")); }))
        << "no saved message";
    Press(Windows(QStringLiteral("^초록우체통$"))[0], QStringLiteral("Return"));
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
    Click(main + c.mainButton);
    EXPECT_FALSE(OneWindow(title).isEmpty());
    EXPECT_TRUE(service.WaitUntil([&](const auto&) { return Bodies().size() == 4; }));
    EXPECT_EQ(Bodies().back(), bodies[1]);

    const QStringList after = ServiceRecords(service.Host(), c.page);
    ASSERT_GE(after.size(), row);
    const std::optional<DayRecord> stored = ReadDayRecord(Trimmed(after[row - 1]));
    ASSERT_TRUE(stored.has_value());
    EXPECT_NE(stored->working, day->working) << "the service keeps the user's answer";
    EXPECT_EQ(program->state(), QProcess::Running);
}

// 입력완료 pressed while the fetch's answer is still on its way sends nothing, so the rows are not
// saved as not working. A fetch that fails says so, and 입력완료 then sends nothing either.
TEST_P(DayHoursOnScreen, TheSaveWaitsForTheFetchAndAFailedFetchSaysSo)
{
    const WindowCase& c = GetParam();
    ServiceFront front(service.Host());
    sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), front.Host());
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    const QPoint main = WindowAt(QStringLiteral("^Quillane"));
    ASSERT_NE(main, QPoint(-1, -1)) << "the main screen did not show";
    front.Hold(c.page, std::chrono::seconds(4));
    Click(main + c.mainButton);
    const QString title = QLatin1Char('^') + QString::fromUtf8(c.title);
    const QPoint window = WindowAt(title);
    ASSERT_NE(window, QPoint(-1, -1)) << "the window did not show";
    Click(window + SaveButton);
    ASSERT_TRUE(WaitFor([&] { return Bodies().size() == 1; })) << "the held fetch";
    QThread::msleep(1500); // its answer fills the rows
    EXPECT_EQ(front.Bodies(c.page).size(), 1u) << "the early press sent nothing";
    EXPECT_FALSE(Shown(QStringLiteral("^초록우체통$"))) << "no saved message";

    Click(window + CloseBar);
    ASSERT_TRUE(WaitFor([&] { return !Shown(title); }));
    front.Hold(c.page, std::chrono::milliseconds(0));
    front.Fail(c.page, true);
    Click(main + c.mainButton);
    const QString failed = OneWindow(QStringLiteral("^경고"));
    ASSERT_FALSE(failed.isEmpty()) << "the failed fetch says so";
    Press(failed, QStringLiteral("Return"));
    ASSERT_TRUE(WaitFor([&] { return !Shown(QStringLiteral("^경고")); }));
    Click(WindowAt(title) + SaveButton);
    const QString again = OneWindow(QStringLiteral("^경고"));
    ASSERT_FALSE(again.isEmpty()) << "입력완료 says it again";
    Press(again, QStringLiteral("Return"));
    QThread::msleep(500);
    EXPECT_EQ(front.Bodies(c.page).size(), 2u) << "two fetches, no save";
    EXPECT_EQ(Bodies().size(), 1u);
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

using FestivalOnScreen = HoursOnScreen<>;

// 설날 answered with four days, then, at the next opening, 추석 with three: the fourth row shows
// nothing and the save sends it as a row that holds no day, not as 설날's last day again.
TEST_F(FestivalOnScreen, RowsTheAnswerDoesNotFillAreHiddenAndNotSent)
{
    ServiceFront front(service.Host());
    front.Answer("festival1.asp",
                 {QStringLiteral("2027-02-060000000000설날]2027-02-0709:0018:00설날]"
                                 "2027-02-080000000000설날]2027-02-090000000000설날"),
                  QStringLiteral("2027-09-140000000000추석]2027-09-1509:0013:00추석]"
                                 "2027-09-160000000000추석")});
    sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), front.Host());
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    const QPoint main = WindowAt(QStringLiteral("^Quillane"));
    ASSERT_NE(main, QPoint(-1, -1)) << "the main screen did not show";
    const QPoint festivalButton(26 + 120, 219 + 20);
    const QString title = QStringLiteral("^초록우체통 명절");
    Click(main + festivalButton);
    const QPoint window = WindowAt(title);
    ASSERT_NE(window, QPoint(-1, -1));
    ASSERT_TRUE(WaitFor([&] { return front.Bodies("festival1.asp").size() == 1; }));
    QThread::msleep(1000);
    Click(window + CloseBar);
    ASSERT_TRUE(WaitFor([&] { return Windows(title).isEmpty(); }));

    Click(main + festivalButton);
    ASSERT_NE(WindowAt(title), QPoint(-1, -1));
    ASSERT_TRUE(WaitFor([&] { return front.Bodies("festival1.asp").size() == 2; }));
    QThread::msleep(1000);
    Click(window + SaveButton);
    ASSERT_TRUE(WaitFor([&] { return front.Bodies("festival1.asp").size() == 3; }));
    QString expected =
        QStringLiteral("P_select  =2&P_LICENSE    =12345"
                       "&P_TIME_S1   =0&P_TIME_E1   =0&P_TIME_D1   =2027-09-14"
                       "&P_TIME_S2   =09:00&P_TIME_E2   =13:00&P_TIME_D2   =2027-09-15"
                       "&P_TIME_S3   =0&P_TIME_E3   =0&P_TIME_D3   =2027-09-16");
    for (int n = 4; n <= 10; ++n)
        expected += QStringLiteral("&P_TIME_S%1   =0&P_TIME_E%1   =0&P_TIME_D%1   =0").arg(n);
    EXPECT_EQ(front.Bodies("festival1.asp").back(), PostData(expected));
    const QString saved = OneWindow(QStringLiteral("^초록우체통$"));
    ASSERT_FALSE(saved.isEmpty()) << "the saved message";
    Press(saved, QStringLiteral("Return"));
    EXPECT_TRUE(WaitFor([&] { return Windows(title).isEmpty(); }));
    EXPECT_EQ(program->state(), QProcess::Running);
}

} // namespace
