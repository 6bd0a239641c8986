#include "platform/SessionEnd.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// The ending signals reach the handlers on this thread, as one end of the session.
TEST(SessionEndSignals, BecomeOneEndOfTheSessionOnTheUserInterfaceThread)
{
    std::string calls;
    bool mayEnd = false;
    platform::WatchSessionEnd({
        .query =
            [&] {
                calls += "query ";
                return mayEnd;
            },
        .end = [&](bool ends) { calls += ends ? "end " : "cancel "; },
    });
    const auto deliver = [&](int number, const std::string& expected) {
        std::raise(number);
        const QDeadlineTimer deadline(std::chrono::seconds(5));
        while (calls != expected && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(calls, expected) << "after signal " << number;
    };

    deliver(SIGHUP, "query ");
    mayEnd = true;
    deliver(SIGTERM, "query query end ");
    deliver(SIGINT, "query query end ");
}

// A fixed wait does not hold the end of the session back: the handlers run inside the wait. A
// second signal during the handlers' own waits starts no second end.
TEST(SessionEndSignals, AreHandledInsideAFixedWait)
{
    std::string calls;
    QElapsedTimer clock;
    qint64 endedAfterMs = -1;
    platform::WatchSessionEnd({
        .query =
            [&] {
                calls += "query ";
                std::raise(SIGTERM);
                platform::SleepWatchingSessionEnd(50);
                return true;
            },
        .end =
            [&](bool ends) {
                calls += ends ? "end " : "cancel ";
                endedAfterMs = clock.elapsed();
            },
    });
    std::thread session([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::kill(::getpid(), SIGTERM);
    });

    clock.start();
    platform::SleepWatchingSessionEnd(2000);
    session.join();

    EXPECT_EQ(calls, "query end ");
    EXPECT_GE(clock.elapsed(), 2000) << "the wait itself is kept";
    EXPECT_LT(endedAfterMs, 1000) << "the end came only after the wait";
}

} // namespace
