#include "InProcessService.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The public home page with the demo pharmacies, shown by headless chromium at a phone's size;
// the screenshot is left in the build folder (home-page.png) for a look.
TEST(HomePageScreenshotTest, RendersThePublicListingOnAPhone)
{
    InProcessService service;
    ASSERT_TRUE(
        service.Post("TimeCheck.asp", std::string("P_COMNAME =COUNTER-PC&P_PALICENSE =12345"
                                                  "&P_SENDTIME =2026-12-10 09:58:00&P_Flg = on") +
                                          '\0'));
    ASSERT_TRUE(service.Post("hdaycheck.asp",
                             std::string("P_Gubun = 1&P_PALICENSE =45678&P_TIME_S1   =00:00"
                                         "&P_TIME_E1   =00:00&P_TIME_D1   =2026-12-25") +
                                 '\0'));
    const auto page = service.Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    for (const char* part : {"똘이약국", "민정약국", "근무중", "성탄절", "설날", "10:00 ~ 18:00",
                             "익일 01:00", "09:00 ~ 15:00", "민정약국 <em>근무</em>"})
        EXPECT_NE(page->body.find(part), std::string::npos) << part;

    const QString screenshot = QDir::current().filePath("home-page.png");
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
