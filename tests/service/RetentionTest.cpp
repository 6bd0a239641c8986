#include "service/Retention.h"

#include "service/ServiceOptions.h"
#include "service/Statement.h"
#include "tests/service/InProcessService.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

const std::string Presence =
    std::string("P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_SENDTIME =2026-12-10 10:00:00"
                "&P_Flg = on") +
    '\0';

std::int64_t Count(ServiceStore& store, const std::string& sql)
{
    std::int64_t count = 0;
    store.Read([&](sqlite3* db) {
        Statement row(db, sql);
        row.Step();
        count = row.Int(0);
    });
    return count;
}

// Rows of the request log and the presence history received at the given time.
void AddRows(ServiceStore& store, const QDateTime& at, int rows)
{
    const std::string time = at.toString("yyyy-MM-dd HH:mm:ss").toStdString();
    store.Write([&](sqlite3* db) {
        for (int i = 0; i < rows; ++i) {
            Statement(db, "INSERT INTO requests (time, method, target, body, status) "
                          "VALUES (?1 || '.000', 'POST', '/Quillane/TimeCheck.asp', '', 200)")
                .Bind(1, time)
                .Run();
            Statement(db, "INSERT INTO presence_history (license, comname, state, sent_time, "
                          "received) VALUES ('12345', 'COUNTER-PC', 'on', ?1, ?1)")
                .Bind(1, time)
                .Run();
        }
    });
}

// Waits until the writer has pruned what it will: no row before cutoff is left.
bool PrunedBefore(ServiceStore& store, const QDateTime& cutoff)
{
    const std::string time = cutoff.toString("yyyy-MM-dd HH:mm:ss").toStdString();
    for (const auto start = std::chrono::steady_clock::now();
         std::chrono::steady_clock::now() - start < 10s; std::this_thread::sleep_for(20ms)) {
        if (Count(store, "SELECT count(*) FROM requests WHERE time < '" + time + "'") == 0 &&
            Count(store, "SELECT count(*) FROM presence_history WHERE received < '" + time + "'") ==
                0)
            return true;
    }
    return false;
}

} // namespace

// A backlog of several chunks goes, rows inside the window stay, and the window follows the
// service's clock; the last state of each pharmacy is no history and stays.
TEST(RetentionTest, TheLogAndTheHistoryKeepTheirWindowOnly)
{
    InProcessService service;
    const QDateTime now = service.Clock();
    AddRows(service.Store(), now.addDays(-40), 3 * PruneChunk + 7);
    AddRows(service.Store(), now.addDays(-29), 5);
    ASSERT_TRUE(service.Post("TimeCheck.asp", Presence));

    KeepRecentRows(
        service.Store(), [&] { return service.Clock(); }, 30 * 24h, 10ms);
    ASSERT_TRUE(PrunedBefore(service.Store(), now.addDays(-30)));
    EXPECT_EQ(Count(service.Store(), "SELECT count(*) FROM presence_history"), 5 + 1);
    EXPECT_EQ(Count(service.Store(), "SELECT count(*) FROM requests"), 5 + 1);

    service.SetClock(now.addDays(2));
    ASSERT_TRUE(PrunedBefore(service.Store(), now.addDays(-28)));
    EXPECT_EQ(Count(service.Store(), "SELECT count(*) FROM presence_history"), 1);
    EXPECT_EQ(Count(service.Store(), "SELECT count(*) FROM presence WHERE license = '12345'"), 1);
    const auto answer = service.Post("TimeCheck.asp", Presence);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, InProcessService::Page("Y"));
}

TEST(RetentionTest, LimitsOnTheCommandLine)
{
    const struct
    {
        std::vector<std::string> arguments;
        bool accepted;
        double keepDays;
        int perAddress;
    } cases[] = {
        {{}, true, DefaultKeepDays, ConnectionLimits{}.perAddress},
        {{"--keep-days", "7", "--connections-per-address", "64"}, true, 7, 64},
        {{"--keep-days", "0.25"}, true, 0.25, ConnectionLimits{}.perAddress},
        {{"--keep-days", "0"}, false, 0, 0},
        {{"--keep-days", "-3"}, false, 0, 0},
        {{"--keep-days", "7d"}, false, 0, 0},
        {{"--keep-days", "1e9"}, false, 0, 0},
        {{"--connections-per-address", "0"}, false, 0, 0},
        {{"--connections-per-address", "many"}, false, 0, 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"--db", "s.db", "--update-dir", "update"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        SCOPED_TRACE(arguments.back());
        std::string error;
        const auto options = ParseOptions(arguments, "holidays.csv", error);
        ASSERT_EQ(options.has_value(), c.accepted) << error;
        if (options) {
            EXPECT_EQ(options->keepDays, c.keepDays);
            EXPECT_EQ(options->connectionsPerAddress, c.perAddress);
        }
    }
}
