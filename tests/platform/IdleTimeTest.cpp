#include "platform/IdleArithmetic.h"
#include "platform/posix/IdleNotificationClock.h"
#include "platform/posix/IdleSourceOrder.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t TickMax = 0xFFFFFFFFU;

TEST(IdleSecondsFromTicks, CountsWholeSecondsInUnsignedArithmeticAcrossTheWrap)
{
    const struct
    {
        std::uint32_t now;
        std::uint32_t lastInput;
        std::uint32_t seconds;
    } cases[] = {
        {5000, 5000, 0},
        {5999, 5000, 0},
        {6000, 5000, 1},
        {1'805'000, 5000, 1800},
        {1'804'999, 5000, 1799},
        // The counter wrapped between the last input and now.
        {0, TickMax, 0},
        {499, TickMax - 499, 0},
        {500, TickMax - 499, 1},
        {1'800'000 - 4096, TickMax - 4095, 1800},
        {1'800'000 - 4097, TickMax - 4095, 1799},
        // The longest time the counter can tell.
        {TickMax, 0, TickMax / 1000},
        {41, 42, TickMax / 1000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::IdleSecondsFromTicks(c.now, c.lastInput), c.seconds)
            << "now " << c.now << ", last input " << c.lastInput;
}

TEST(IdleNotificationClock, CountsFromOneTimeoutBeforeIdledUntilResumed)
{
    const platform::IdleNotificationClock::TimePoint start{};
    platform::IdleNotificationClock clock(1000ms);
    EXPECT_EQ(clock.IdleSeconds(start + 10s), 0U) << "no notification yet";

    clock.Idled(start + 10s);
    EXPECT_EQ(clock.IdleSeconds(start + 10s), 1U);
    EXPECT_EQ(clock.IdleSeconds(start + 10999ms), 1U);
    EXPECT_EQ(clock.IdleSeconds(start + 11s), 2U);
    EXPECT_EQ(clock.IdleSeconds(start + 1809s), 1800U);

    clock.Resumed();
    EXPECT_EQ(clock.IdleSeconds(start + 1810s), 0U);

    clock.Idled(start + 2000s);
    EXPECT_EQ(clock.IdleSeconds(start + 2001500ms), 2U);
    EXPECT_EQ(clock.IdleSeconds(start + 1998s), 0U) << "a reading before the last input";
}

TEST(IdleSourceOrder, FollowsTheQtPlatformAndPutsTheDesktopFirstUnderXWayland)
{
    using enum platform::IdleSourceKind;
    using Order = std::vector<platform::IdleSourceKind>;
    const struct
    {
        const char* platformName;
        bool waylandDisplaySet;
        Order order;
    } cases[] = {
        {"xcb", false, Order{X11ScreenSaver, MutterIdleMonitor}},
        {"xcb", true, Order{WaylandIdleNotify, MutterIdleMonitor, X11ScreenSaver}},
        {"wayland", true, Order{WaylandIdleNotify, MutterIdleMonitor}},
        {"wayland", false, Order{WaylandIdleNotify, MutterIdleMonitor}},
        {"offscreen", true, Order{}},
        {"", false, Order{}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::IdleSourceOrder(c.platformName, c.waylandDisplaySet), c.order)
            << c.platformName << (c.waylandDisplaySet ? " with" : " without") << " WAYLAND_DISPLAY";
}

} // namespace
