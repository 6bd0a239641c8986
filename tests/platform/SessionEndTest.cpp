#include "SessionEnd.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <string>

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

} // namespace
