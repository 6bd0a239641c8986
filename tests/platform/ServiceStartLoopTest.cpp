#include "platform/ServiceStartLoop.h"

#include <gtest/gtest.h>
#include <vector>

using namespace std::chrono_literals;
using platform::ServiceStatus;

namespace {

constexpr std::uint32_t Stopped = 1;
constexpr std::uint32_t StartPending = 2;
constexpr std::uint32_t Running = 4;

// Runs the wait against scripted status answers and records every query and sleep.
class WaitForServiceStartTest : public ::testing::Test
{
protected:
    using Answer = std::optional<ServiceStatus>;

    bool WaitFor(std::vector<Answer> script,
                 platform::StartWaitBound bound = platform::DefaultStartWaitBound)
    {
        return WaitWhile([script](std::size_t query) { return script.at(query); }, bound);
    }

    bool WaitWhile(std::function<Answer(std::size_t query)> answer,
                   platform::StartWaitBound bound = platform::DefaultStartWaitBound)
    {
        return platform::WaitForServiceStart(
            [&] { return answer(queries++); },
            [&](std::chrono::milliseconds wait) { sleeps.push_back(wait); }, bound);
    }

    std::size_t queries = 0;
    std::vector<std::chrono::milliseconds> sleeps;
};

TEST_F(WaitForServiceStartTest, RunningAtOnceNeedsNoWait)
{
    EXPECT_TRUE(WaitFor({ServiceStatus{Running, 0, 0}}));
    EXPECT_EQ(queries, 1u);
    EXPECT_TRUE(sleeps.empty());
}

TEST_F(WaitForServiceStartTest, SleepsTheWholeHintWhileTheServiceProgresses)
{
    EXPECT_TRUE(WaitFor({ServiceStatus{StartPending, 1, 500}, ServiceStatus{StartPending, 2, 700},
                         ServiceStatus{StartPending, 2, 900}, ServiceStatus{Running, 0, 0}}));
    EXPECT_EQ(sleeps, (std::vector{500ms, 700ms, 900ms}));
}

TEST_F(WaitForServiceStartTest, CheckpointGoingBackwardsEndsTheWait)
{
    EXPECT_FALSE(
        WaitFor({ServiceStatus{StartPending, 5, 100}, ServiceStatus{StartPending, 4, 100}}));
    EXPECT_EQ(queries, 2u);
}

TEST_F(WaitForServiceStartTest, FailedQueryEndsTheWaitWithNo)
{
    EXPECT_FALSE(WaitFor({std::nullopt}));
    EXPECT_TRUE(sleeps.empty());

    queries = 0;
    EXPECT_FALSE(WaitFor({ServiceStatus{StartPending, 1, 100}, std::nullopt}));
    EXPECT_EQ(queries, 2u);
}

TEST_F(WaitForServiceStartTest, StoppedServiceWithZeroHintIsGivenUpAfterTheRoundBound)
{
    EXPECT_FALSE(WaitWhile([](std::size_t) { return ServiceStatus{Stopped, 3, 0}; }));
    EXPECT_EQ(sleeps.size(), std::size_t(platform::DefaultStartWaitBound.rounds));
}

TEST_F(WaitForServiceStartTest, LongHintsAreCutToTheTotalWaitBound)
{
    EXPECT_FALSE(WaitWhile([](std::size_t) { return ServiceStatus{StartPending, 7, 50'000}; }));
    EXPECT_EQ(sleeps, (std::vector{50'000ms, 50'000ms, 20'000ms}));
}

TEST_F(WaitForServiceStartTest, ServiceRunningAfterTheLastWaitCounts)
{
    EXPECT_TRUE(WaitWhile([](std::size_t query) {
        return query < 2 ? ServiceStatus{StartPending, 7, 60'000} : ServiceStatus{Running, 0, 0};
    }));
    EXPECT_EQ(sleeps, (std::vector{60'000ms, 60'000ms}));
}

} // namespace
