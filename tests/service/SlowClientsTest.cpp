#include "service/Statement.h"
#include "tests/service/InProcessService.h"
#include "tests/service/RawClient.h"

#include <future>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

const std::string Presence =
    std::string("P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_SENDTIME =2026-12-10 10:00:00"
                "&P_Flg = on") +
    '\0';

std::int64_t StoredReports(ServiceStore& store)
{
    std::int64_t count = 0;
    store.Read([&](sqlite3* db) {
        Statement row(db, "SELECT count(*) FROM presence_history");
        row.Step();
        count = row.Int(0);
    });
    return count;
}

// Sends the bytes from `from` on, one every interval, until the service closes the connection;
// returns how long the connection lasted (capped at give-up).
RawClient::Clock::duration Trickle(int port, const std::string& bytes, std::size_t from,
                                   std::chrono::milliseconds interval)
{
    constexpr auto giveUp = 8s;
    RawClient client("127.0.0.1", port);
    const auto start = RawClient::Clock::now();
    client.Send(std::string_view(bytes).substr(0, from));
    bool closed = false;
    for (std::size_t next = from; !closed && RawClient::Clock::now() - start < giveUp; ++next) {
        if (next < bytes.size() && !client.Send(bytes.substr(next, 1)))
            break;
        client.Receive({}, interval, closed);
    }
    return RawClient::Clock::now() - start;
}

} // namespace

// Per-read time-outs alone let a client that sends a byte now and then hold a worker for ever;
// each request has one deadline for all of it, and an idle connection closes.
TEST(SlowClientsTest, SlowClientsLoseTheirConnectionAtTheDeadline)
{
    ConnectionLimits limits;
    limits.idle = 1s;
    limits.request = 1s;
    InProcessService service(limits);
    const std::string request = PostRequest("TimeCheck.asp", Presence);
    const std::size_t headers = request.find("\r\n\r\n") + 4;
    const struct
    {
        const char* what;
        std::size_t sentAtOnce;
        std::chrono::milliseconds interval;
    } cases[] = {
        {"trickles its request a byte at a time", 0, 200ms},
        {"sends its headers, then its body a byte at a time", headers, 300ms},
        {"sends its headers and never its body", headers, 10000ms},
        {"sends half its body and stops", headers + Presence.size() / 2, 10000ms},
        {"opens the connection and sends nothing", 0, 10000ms},
    };
    std::vector<std::future<RawClient::Clock::duration>> slow;
    for (const auto& c : cases) {
        const std::string bytes = c.interval < 1000ms ? request : request.substr(0, c.sentAtOnce);
        slow.push_back(std::async(std::launch::async, Trickle, service.Port(), bytes, c.sentAtOnce,
                                  c.interval));
    }

    const auto answer = service.Post("TimeCheck.asp", Presence);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, InProcessService::Page("Y"));
    for (std::size_t i = 0; i < slow.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_LT(slow[i].get(), 4s) << "the service kept the connection past its deadline";
    }
    EXPECT_EQ(StoredReports(service.Store()), 1) << "only the complete report is stored";
}

TEST(SlowClientsTest, OneAddressHoldsNoMoreConnectionsThanItsShare)
{
    ConnectionLimits limits;
    limits.idle = 30s;
    limits.perAddress = 3;
    InProcessService service(limits);
    const std::string answerEnd = "</html>";
    std::vector<std::unique_ptr<RawClient>> held;
    for (int i = 0; i < limits.perAddress; ++i) {
        held.push_back(std::make_unique<RawClient>("127.0.0.1", service.Port()));
        ASSERT_TRUE(held.back()->Send(PostRequest("TimeCheck.asp", Presence)));
        bool closed = false;
        EXPECT_NE(held.back()->Receive(answerEnd, 5s, closed).find("200 OK"), std::string::npos);
    }

    bool closed = false;
    RawClient oneTooMany("127.0.0.1", service.Port());
    EXPECT_EQ(oneTooMany.Receive({}, 5s, closed).rfind("HTTP/1.1 503", 0), 0u);
    EXPECT_TRUE(closed);

    RawClient other("127.0.0.2", service.Port());
    ASSERT_TRUE(other.Send(PostRequest("TimeCheck.asp", Presence, false)));
    const std::string answer = other.Receive({}, 5s, closed);
    EXPECT_NE(answer.find("200 OK"), std::string::npos) << "another address is served at once";
    EXPECT_NE(answer.find(InProcessService::Page("Y")), std::string::npos);

    held.pop_back();
    std::string again;
    for (const auto start = RawClient::Clock::now();
         again.find("200 OK") == std::string::npos && RawClient::Clock::now() - start < 5s;) {
        RawClient freed("127.0.0.1", service.Port());
        if (freed.Send(PostRequest("TimeCheck.asp", Presence, false)))
            again = freed.Receive({}, 5s, closed);
    }
    EXPECT_NE(again.find("200 OK"), std::string::npos) << "a closed connection frees its place";
    EXPECT_EQ(StoredReports(service.Store()), limits.perAddress + 2);
}

// Answers are gathered and sent whole, but never held back from a client that waits for them:
// one that asks to be told to go on before it sends its body is told at once, and answers on
// one connection each arrive before the next request is sent.
TEST(SlowClientsTest, ClientsWaitingForAnAnswerGetItAtOnce)
{
    ConnectionLimits limits;
    limits.request = 30s;
    InProcessService service(limits);
    const std::string request = PostRequest("TimeCheck.asp", Presence);
    const std::size_t headersEnd = request.find("\r\n\r\n");
    RawClient client("127.0.0.1", service.Port());
    bool closed = false;

    ASSERT_TRUE(client.Send(request.substr(0, headersEnd) + "\r\nExpect: 100-continue\r\n\r\n"));
    EXPECT_EQ(client.Receive("\r\n\r\n", 5s, closed).rfind("HTTP/1.1 100 Continue", 0), 0u);
    ASSERT_TRUE(client.Send(Presence));
    EXPECT_NE(client.Receive("</html>", 5s, closed).find("200 OK"), std::string::npos);

    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(client.Send(request));
        const std::string answer = client.Receive("</html>", 5s, closed);
        EXPECT_EQ(answer.rfind("HTTP/1.1 200 OK", 0), 0u) << answer;
        EXPECT_NE(answer.find(InProcessService::Page("Y")), std::string::npos);
    }
    EXPECT_FALSE(closed);
    EXPECT_EQ(StoredReports(service.Store()), 4);
}
