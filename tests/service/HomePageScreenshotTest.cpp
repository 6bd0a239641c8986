#include "tests/service/InProcessService.h"
#include "tests/service/ListingPage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::string Body(const std::string& utf8)
{
    QStringEncoder encoder("windows-949");
    return QByteArray(encoder.encode(QString::fromStdString(utf8))).toStdString() + '\0';
}

// The listing shown by headless chromium at a phone's size; the screenshot is left in the build
// folder for a look.
void TakeScreenshot(const InProcessService& service, const QString& name)
{
    const QString screenshot = QDir::current().filePath(name);
    QFile::remove(screenshot);
    QTemporaryDir profile;
    QProcess chromium;
    chromium.start("chromium",
                   {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                    "--no-first-run", "--disable-background-networking",
                    "--disable-component-update", "--disable-sync",
                    "--user-data-dir=" + profile.path(), "--screenshot=" + screenshot,
                    "--window-size=412,915", QString("http://127.0.0.1:%1/").arg(service.Port())});
    ASSERT_TRUE(chromium.waitForFinished(90000));
    QFile png(screenshot);
    ASSERT_TRUE(png.open(QIODevice::ReadOnly)) << chromium.readAllStandardError().toStdString();
    EXPECT_TRUE(png.read(8).startsWith("\x89PNG"));
    EXPECT_GT(png.size(), 10000);
}

} // namespace

// 00:45 on the Friday after 똘이약국's Thursday night duty until 01:30: open from the day before;
// 민정약국's last report came the morning before and is shown as stale.
TEST(HomePageScreenshotTest, DutyNightAfterMidnight)
{
    InProcessService service;
    service.SetClock({QDate(2026, 12, 11), QTime(0, 30)});
    ASSERT_TRUE(service.Post("TimeCheck.asp", Body("P_COMNAME =COUNTER-PC&P_PALICENSE =12345"
                                                   "&P_SENDTIME =2026-12-11 00:30:00&P_Flg = on")));
    service.SetClock({QDate(2026, 12, 11), QTime(0, 45)});
    const auto page = service.Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(ListedState(page->body, "똘이약국"), "open");
    EXPECT_EQ(ListedState(page->body, "민정약국"), "closed");
    const std::string dolli = ListedEntry(page->body, "똘이약국");
    for (const char* part : {"어제부터 이어지는 근무: <em>09:00 ~ 익일 01:30</em>",
                             "오늘 근무: <em>09:00 ~ 21:00</em>", "근무중 (00:30 보고)"})
        EXPECT_NE(dolli.find(part), std::string::npos) << part;
    EXPECT_NE(ListedEntry(page->body, "민정약국").find("2026-12-10 10:00 이후 보고 없음"),
              std::string::npos);
    EXPECT_LT(page->body.find("똘이약국"), page->body.find("민정약국")) << "open ones first";
    TakeScreenshot(service, "home-page-duty-night.png");
}

// 광복절 2027 falls on a Sunday: no holiday row, so the Sunday hours apply, a specific Sunday
// entry included.
TEST(HomePageScreenshotTest, LegalHolidayOnASunday)
{
    InProcessService service;
    ASSERT_TRUE(service.Post("SunDay.asp", Body("P_select  =2&P_LICENSE    =12345"
                                                "&P_e_day    =2027-08-15&P_time1_s   =09:00"
                                                "&P_time1_e   =15:00")));
    service.SetClock({QDate(2027, 8, 15), QTime(12, 0)});
    const auto page = service.Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(ListedState(page->body, "똘이약국"), "open");
    EXPECT_EQ(ListedState(page->body, "민정약국"), "open");
    for (const char* part :
         {"광복절이 일요일과 겹쳐 일요일 근무시간으로 안내합니다",
          "오늘 근무: <em>09:00 ~ 15:00</em>", "오늘 근무: <em>10:00 ~ 19:00</em>"})
        EXPECT_NE(page->body.find(part), std::string::npos) << part;
    TakeScreenshot(service, "home-page-holiday-sunday.png");
}
