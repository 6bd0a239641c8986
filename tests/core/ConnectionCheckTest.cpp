#include "core/requests/ConnectionCheck.h"

#include "core/program/MessageBox.h"
#include "core/program/Pause.h"
#include "core/program/ProgramValues.h"
#include "core/requests/NetworkThread.h"
#include "tests/core/LoopbackServer.h"

#include <QTcpServer>
#include <deque>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

struct Reply
{
    int status;
    std::string body;
};

// The connectivity-test server answering its checks in turn, with the pauses and message boxes
// recorded in one log beside its checks.
class ConnectionCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server_.Get("/ConTest.htm", [this](const httplib::Request&, httplib::Response& response) {
            std::lock_guard lock(mutex_);
            log_.push_back("check");
            const Reply answer = answers_.empty() ? Reply{200, "normal"} : answers_.front();
            if (!answers_.empty())
                answers_.pop_front();
            response.status = answer.status;
            response.set_content(answer.body, "text/html");
        });
        server_.Start();
        Config.contestHost = server_.HostAndPort();
        SetPauseHandler([this](int milliseconds) {
            std::lock_guard lock(mutex_);
            log_.push_back("pause " + std::to_string(milliseconds));
        });
        SetMessageBoxHandler([this](const MessageRequest& request) {
            std::lock_guard lock(mutex_);
            log_.push_back("message");
            messages_.push_back(request);
            return MessageAnswer::Ok;
        });
    }

    void TearDown() override
    {
        SetPauseHandler({});
        SetMessageBoxHandler({});
        SetRequestTimeout(60s);
    }

    void AnswerInTurn(std::initializer_list<Reply> answers)
    {
        std::lock_guard lock(mutex_);
        answers_.assign(answers);
    }

    QString TestPage() const
    {
        return QStringLiteral("http://%1/ConTest.htm").arg(server_.HostAndPort());
    }

    std::mutex mutex_;
    std::deque<Reply> answers_;
    std::vector<std::string> log_;
    std::vector<MessageRequest> messages_;
    LoopbackServer server_;
};

TEST_F(ConnectionCheckTest, NormalInAnyCaseWithWhiteSpaceAroundCountsAsConnected)
{
    const std::vector<std::pair<Reply, bool>> cases = {
        {{200, "NORMAL"}, true},   {{200, "  normal \n"}, true}, {{200, "\r\n\tNoRmAl \x01"}, true},
        {{200, "normal."}, false}, {{200, "nor mal"}, false},    {{200, ""}, false},
        {{500, "normal"}, false},  {{404, "normal"}, false},     {{302, "normal"}, false},
    };
    for (const auto& [answer, connected] : cases) {
        SCOPED_TRACE(answer.body + " " + std::to_string(answer.status));
        AnswerInTurn({answer});
        EXPECT_EQ(CheckConnection(TestPage()), connected);
    }
}

TEST_F(ConnectionCheckTest, SendsTheHttpClientsHeaders)
{
    AnswerInTurn({{200, "normal"}});
    ASSERT_TRUE(CheckConnection(TestPage()));
    const std::vector<LoopbackServer::Request> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].Header("Accept"), "text/html, */*");
    EXPECT_EQ(requests[0].Header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");
}

TEST_F(ConnectionCheckTest, NoServerOrNoAnswerInTimeIsNotConnected)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 closedPort = closed.serverPort();
    closed.close();
    EXPECT_FALSE(
        CheckConnection(QStringLiteral("http://127.0.0.1:%1/ConTest.htm").arg(closedPort)));

    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    SetRequestTimeout(200ms);
    EXPECT_FALSE(CheckConnection(
        QStringLiteral("http://127.0.0.1:%1/ConTest.htm").arg(silent.serverPort())));
}

TEST_F(ConnectionCheckTest, ConnectedAtOnceMeansOneCheck)
{
    AnswerInTurn({{200, "normal"}});
    RunConnectivityTest();
    EXPECT_EQ(log_, (std::vector<std::string>{"check"}));
}

TEST_F(ConnectionCheckTest, ConnectedAtTheFourthCheckShowsNoMessage)
{
    AnswerInTurn({{500, ""}, {200, "down"}, {404, ""}, {200, "  normal \n"}});
    RunConnectivityTest();
    EXPECT_EQ(log_, (std::vector<std::string>{"check", "pause 50000", "check", "pause 50000",
                                              "check", "pause 50000", "check"}));
}

TEST_F(ConnectionCheckTest, FourFailedChecksShowThePlainMessageOnce)
{
    AnswerInTurn({{500, ""}, {500, ""}, {500, ""}, {500, ""}, {200, "normal"}});
    RunConnectivityTest();
    EXPECT_EQ(log_, (std::vector<std::string>{"check", "pause 50000", "check", "pause 50000",
                                              "check", "pause 50000", "check", "message"}));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, u"서버에 접속을 할 수 없습니다.\r\n다시 연결해 주십시오"_qs);
    EXPECT_TRUE(messages_[0].caption.isEmpty());
    EXPECT_EQ(messages_[0].icon, MessageIcon::None);
    EXPECT_EQ(messages_[0].buttons, MessageButtons::Ok);
}

} // namespace
