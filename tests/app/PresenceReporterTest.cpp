#include "PresenceFixture.h"

#include <gmock/gmock.h>
#include <regex>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// One tick of the presence timer from a given state.
struct TickCase
{
    const char* name;
    int picture;
    int ticksBefore;
    std::uint32_t idle;
    const char* report; // empty: none
    int pictureAfter;
    int ticksAfter;
};

class PresenceTick : public PresenceFixture, public ::testing::WithParamInterface<TickCase>
{
};

TEST_P(PresenceTick, FollowsTheStateTable)
{
    const TickCase& c = GetParam();
    window->SetPresencePicture(c.picture);
    window->RoutineTicks = c.ticksBefore;
    idle = c.idle;

    EXPECT_EQ(Tick(), c.report);
    EXPECT_EQ(window->PresencePicture(), c.pictureAfter);
    EXPECT_EQ(window->RoutineTicks, c.ticksAfter);
}

INSTANTIATE_TEST_SUITE_P(
    States, PresenceTick,
    ::testing::Values(
        // The periodic report, due at the 1800th tick.
        TickCase{"OnStaysOnWhileUsed", 2, 1799, 1799, "on", 2, 0},
        TickCase{"OnGoesWaitingAtExactly1800IdleSeconds", 2, 1799, 1800, "wai", 1, 0},
        TickCase{"WaitingGoesOff", 1, 1799, 5000, "off", 0, 0},
        TickCase{"OffWhileStillIdleSendsNothing", 0, 1799, 9000, "", 0, 0},
        TickCase{"WaitingBackOnAtThePeriodicReport", 1, 1799, 1799, "on", 2, 0},
        TickCase{"OffBackOnAtThePeriodicReport", 0, 1799, 10, "on", 2, 0},
        TickCase{"ACounterBeyondThePeriodStillReports", 2, 5000, 0, "on", 2, 0},
        // Between periodic reports: a user who is back is reported at once.
        TickCase{"WaitingUserBack", 1, 17, 0, "on", 2, 0},
        TickCase{"OffUserBack", 0, 1798, 0, "on", 2, 0},
        TickCase{"OnUserActiveCountsOn", 2, 17, 0, "", 2, 18},
        TickCase{"WaitingInputASecondAgoWaits", 1, 17, 1, "", 1, 18},
        TickCase{"OffStillIdleWaits", 0, 17, 4000, "", 0, 18}),
    [](const ::testing::TestParamInfo<TickCase>& param) { return param.param.name; });

TEST_F(PresenceFixture, TicksCountButReportNothingWithoutAnAcceptedSignIn)
{
    for (const QString& answer : {QString(), QStringLiteral("N"), QStringLiteral("Y ")}) {
        SignInAnswer = answer;
        window->SetPresencePicture(1);
        window->RoutineTicks = 1799;

        EXPECT_EQ(Tick(), "");
        EXPECT_EQ(window->RoutineTicks, 1800);
        EXPECT_EQ(window->PresencePicture(), 1);
    }
}

TEST_F(PresenceFixture, TicksWithoutACheckComputerNameShowWaitingAndReportNothing)
{
    ComName = QStringLiteral(" \t");
    window->SetPresencePicture(2);
    window->RoutineTicks = 1799;

    EXPECT_EQ(Tick(), "");
    EXPECT_EQ(window->PresencePicture(), 1);
    EXPECT_EQ(window->RoutineTicks, 1800);
}

// A working day: reports at every period while the user works, then waiting and off once the
// user has gone, nothing more while away, and "on" the second the user is back.
TEST_F(PresenceFixture, ADayOfWorkAndAbsence)
{
    window->SetPresencePicture(2);
    window->RoutineTicks = 0;
    std::vector<std::pair<int, std::string>> sent;
    const auto run = [&](int from, int to, const std::function<std::uint32_t(int)>& idleAt) {
        for (int second = from; second <= to; ++second) {
            idle = idleAt(second);
            if (std::string flag = Tick(); !flag.empty())
                sent.emplace_back(second, flag);
        }
    };
    run(1, 2000, [](int) { return 0u; });
    run(2001, 9000, [](int second) { return static_cast<std::uint32_t>(second - 2000); });
    run(9001, 9001, [](int) { return 0u; });

    EXPECT_THAT(sent,
                ElementsAre(std::pair(1800, "on"), std::pair(3600, "on"), std::pair(5400, "wai"),
                            std::pair(7200, "off"), std::pair(9001, "on")));
}

TEST_F(PresenceFixture, ReportsCarryTheNamesAndTheLocalTime)
{
    ComName = QStringLiteral(" PC1 ");
    PaLicense = QStringLiteral("\t12345 ");
    window->SetPresencePicture(1);

    ASSERT_EQ(Tick(), "on");

    const std::regex pattern("P_COMNAME =PC1&P_PALICENSE =12345&P_SENDTIME =\\d{4}-\\d\\d-\\d\\d "
                             "\\d\\d:\\d\\d:\\d\\d&P_Flg = on" +
                             std::string(1, '\0'));
    EXPECT_TRUE(std::regex_match(service.Bodies("TimeCheck.asp").back(), pattern));
}

} // namespace
