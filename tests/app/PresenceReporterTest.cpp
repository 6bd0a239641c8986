#include "tests/app/PresenceFixture.h"

#include <gmock/gmock.h>
#include <regex>

namespace {

using ::testing::ElementsAre;

class PresenceReports : public PresenceFixture
{
};

// One tick of the presence timer from a given state.
struct TickCase
{
    const char* name;
    Presence state;
    int ticksBefore;
    std::uint32_t idle;
    const char* report; // empty: none
    Presence stateAfter;
    int ticksAfter;
};

class PresenceTick : public PresenceFixture, public ::testing::WithParamInterface<TickCase>
{
};

TEST_P(PresenceTick, FollowsTheStateTable)
{
    const TickCase& c = GetParam();
    presence.SetState(c.state);
    presence.SetTicksSinceReport(c.ticksBefore);
    idle = c.idle;

    EXPECT_EQ(Tick(), c.report);
    EXPECT_EQ(presence.State(), c.stateAfter);
    EXPECT_EQ(presence.TicksSinceReport(), c.ticksAfter);
}

constexpr Presence Off = Presence::Off;
constexpr Presence Waiting = Presence::Waiting;
constexpr Presence On = Presence::On;

INSTANTIATE_TEST_SUITE_P(
    States, PresenceTick,
    ::testing::Values(
        // The periodic report, due at the 1800th tick.
        TickCase{"OnStaysOnWhileUsed", On, 1799, 1799, "on", On, 0},
        TickCase{"OnGoesWaitingAtExactly1800IdleSeconds", On, 1799, 1800, "wai", Waiting, 0},
        TickCase{"WaitingGoesOff", Waiting, 1799, 5000, "off", Off, 0},
        TickCase{"OffWhileStillIdleSendsNothing", Off, 1799, 9000, "", Off, 0},
        TickCase{"WaitingBackOnAtThePeriodicReport", Waiting, 1799, 1799, "on", On, 0},
        TickCase{"OffBackOnAtThePeriodicReport", Off, 1799, 10, "on", On, 0},
        TickCase{"ACounterBeyondThePeriodStillReports", On, 5000, 0, "on", On, 0},
        // Between periodic reports: a user who is back is reported at once.
        TickCase{"WaitingUserBack", Waiting, 17, 0, "on", On, 0},
        TickCase{"OffUserBack", Off, 1798, 0, "on", On, 0},
        TickCase{"OnUserActiveCountsOn", On, 17, 0, "", On, 18},
        TickCase{"WaitingInputASecondAgoWaits", Waiting, 17, 1, "", Waiting, 18},
        TickCase{"OffStillIdleWaits", Off, 17, 4000, "", Off, 18}),
    [](const ::testing::TestParamInfo<TickCase>& param) { return param.param.name; });

TEST_F(PresenceReports, TicksCountButReportNothingWithoutAnAcceptedSignIn)
{
    for (const QString& answer : {QString(), QStringLiteral("N"), QStringLiteral("Y ")}) {
        signIn.AnswerArrived(BaseUrl + QStringLiteral("ComCheckResult.asp"), answer);
        presence.SetState(Presence::Waiting);
        presence.SetTicksSinceReport(1799);

        EXPECT_EQ(Tick(), "");
        EXPECT_EQ(presence.TicksSinceReport(), 1800);
        EXPECT_EQ(presence.State(), Presence::Waiting);
    }
}

TEST_F(PresenceReports, TicksWithoutACheckComputerNameShowWaitingAndReportNothing)
{
    pharmacy.checkComputer = QStringLiteral(" \t");
    presence.SetState(Presence::On);
    presence.SetTicksSinceReport(1799);

    EXPECT_EQ(Tick(), "");
    EXPECT_EQ(presence.State(), Presence::Waiting);
    EXPECT_EQ(presence.TicksSinceReport(), 1800);
}

// A working day: reports at every period while the user works, then waiting and off once the
// user has gone, nothing more while away, and "on" the second the user is back.
TEST_F(PresenceReports, ADayOfWorkAndAbsence)
{
    presence.SetState(Presence::On);
    presence.SetTicksSinceReport(0);
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

TEST_F(PresenceReports, ReportsCarryTheNamesAndTheLocalTime)
{
    pharmacy.checkComputer = QStringLiteral(" PC1 ");
    pharmacy.license = QStringLiteral("\t12345 ");
    presence.SetState(Presence::Waiting);

    ASSERT_EQ(Tick(), "on");

    const std::regex pattern("P_COMNAME =PC1&P_PALICENSE =12345&P_SENDTIME =\\d{4}-\\d\\d-\\d\\d "
                             "\\d\\d:\\d\\d:\\d\\d&P_Flg = on" +
                             std::string(1, '\0'));
    EXPECT_TRUE(std::regex_match(service.Bodies("TimeCheck.asp").back(), pattern));
}

} // namespace
