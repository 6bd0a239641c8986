#include "app/MainWindow.h"
#include "core/program/Pause.h"
#include "core/program/Pharmacy.h"
#include "core/program/ProcessEnd.h"
#include "core/program/ProgramValues.h"
#include "core/requests/WebBrowser.h"
#include "tests/app/TimeCheckRecorder.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <regex>

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// The main window against a loopback service. Each recorded pause waits until the report before
// it has arrived, as the real pause gives it time to leave.
class MainWindowClose : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BaseUrl = recorder.BaseUrl();
        SetPauseHandler([this](int milliseconds) {
            pauses.push_back(milliseconds);
            recorder.WaitForBodies(pauses.size());
        });
        SetProcessEndHandler([this] { ended = true; });
        window = new MainWindow(pharmacy);
        PresenceTimer(*window).start();
    }

    void TearDown() override
    {
        SetPauseHandler({});
        SetProcessEndHandler({});
        delete window;
    }

    static QTimer& PresenceTimer(const MainWindow& window)
    {
        return *window.findChild<QTimer*>(QStringLiteral("presenceTimer"));
    }

    // Yes when the close ended the process.
    bool Ended() const { return ended; }

    void ExpectOffReports(std::size_t count, const std::string& comName)
    {
        recorder.Stop();
        const std::vector<std::string> bodies = recorder.Bodies();
        ASSERT_EQ(bodies.size(), count);
        const std::regex pattern(PresencePattern(comName, "12345", "off"));
        for (const std::string& body : bodies)
            EXPECT_TRUE(std::regex_match(body, pattern)) << body;
    }

    TimeCheckRecorder recorder;
    std::vector<int> pauses;
    bool ended = false;
    Pharmacy pharmacy{.license = QStringLiteral(" 12345 ")};
    QPointer<MainWindow> window;
};

TEST_F(MainWindowClose, IsRefusedWhileClosingIsNotAllowed)
{
    window->ShowMainScreen();

    EXPECT_FALSE(window->close());

    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(PresenceTimer(*window).isActive());
    EXPECT_FALSE(Ended());
    EXPECT_THAT(pauses, IsEmpty());
    EXPECT_EQ(window->findChild<WebBrowser*>(QStringLiteral("presenceReports"))->ReadyState(), 0)
        << "nothing may be posted";
}

struct CloseCase
{
    const char* comName;
    const char* sentName;
    std::vector<int> pauses;
};

class MainWindowAllowedClose : public MainWindowClose,
                               public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(MainWindowAllowedClose, ReportsOffPausesAndEndsTheProcess)
{
    pharmacy.checkComputer = QString::fromUtf8(GetParam().comName);
    window->ShowMainScreen();
    window->AllowClosing();

    EXPECT_TRUE(window->close());

    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(PresenceTimer(*window).isActive());
    EXPECT_TRUE(Ended());
    EXPECT_THAT(pauses, ElementsAreArray(GetParam().pauses));
    ExpectOffReports(GetParam().pauses.size(), GetParam().sentName);
}

INSTANTIATE_TEST_SUITE_P(CheckComputerNames, MainWindowAllowedClose,
                         ::testing::Values(CloseCase{"PC1", "PC1", {500, 1000}},
                                           CloseCase{"\t PC1 \n", "PC1", {500, 1000}},
                                           CloseCase{"A&B=C", "A%26B%3DC", {500, 1000}},
                                           CloseCase{"", "", {500}}, CloseCase{" \t ", "", {500}}));

TEST_F(MainWindowClose, SessionEndAllowsClosingAndCloses)
{
    pharmacy.checkComputer = QStringLiteral("PC1");

    EXPECT_TRUE(window->SessionEndQuery());
    EXPECT_TRUE(window->ClosingAllowed());
    EXPECT_FALSE(Ended()) << "the query alone keeps the program";
    window->SessionEnd(true);

    EXPECT_TRUE(Ended());
    EXPECT_THAT(pauses, ElementsAre(500, 1000));
    ExpectOffReports(2, "PC1");
}

TEST_F(MainWindowClose, CancelledSessionEndRefusesClosingAgain)
{
    EXPECT_TRUE(window->SessionEndQuery());
    window->SessionEnd(false);

    EXPECT_FALSE(window->ClosingAllowed());
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(Ended());
    EXPECT_THAT(pauses, ElementsAre(500)) << "only the query's report";
    ExpectOffReports(1, "");
}

TEST_F(MainWindowClose, ShowMainScreenCentresA312SquareOnTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();

    window->InstanceRequestReceived(platform::InstanceRequest::ShowMainScreen);

    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->geometry(),
              QRect((screen.width() - 312) / 2, (screen.height() - 312) / 2, 312, 312));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(MainWindowClose, StartsHiddenWithItsPresenceTimerStopped)
{
    const MainWindow fresh(pharmacy);

    EXPECT_FALSE(fresh.isVisible());
    EXPECT_EQ(fresh.windowTitle(), QStringLiteral("Quillane"));
    EXPECT_EQ(PresenceTimer(fresh).interval(), 1000);
    EXPECT_FALSE(PresenceTimer(fresh).isActive());
    EXPECT_NE(fresh.findChild<WebBrowser*>(QStringLiteral("signInRequest")), nullptr);
    EXPECT_NE(fresh.findChild<WebBrowser*>(QStringLiteral("presenceReports")), nullptr);
}

} // namespace
