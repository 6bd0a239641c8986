#include "core/requests/WebBrowser.h"

#include "core/program/ProgramValues.h"
#include "core/requests/FormEncoding.h"
#include "core/requests/NetworkThread.h"
#include "core/requests/PageSizeLimit.h"
#include "core/requests/ServerErrorPage.h"
#include "tests/core/LoopbackServer.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QThread>
#include <condition_variable>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// A service on a loopback port with the pages these tests post to; BaseUrl points at it.
class WebBrowserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server_.Post("/Quillane/echo.asp",
                     [](const httplib::Request&, httplib::Response& response) {
                         response.set_content("<html><body>Y]1]</body></html>", "text/html");
                     });
        const auto redirect = [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/Quillane/target.asp", 302);
        };
        server_.Post("/Quillane/redirect.asp", redirect);
        server_.Get("/Quillane/target.asp",
                    [](const httplib::Request&, httplib::Response& response) {
                        response.set_content("<p>도착</p>", "text/html; charset=utf-8");
                    });
        server_.Post(
            "/Quillane/refresh.asp", [](const httplib::Request&, httplib::Response& response) {
                response.set_content(
                    "<html><head><meta http-equiv=\"Refresh\" content=\"0; URL=target.asp\"></head>"
                    "<body>moving</body></html>",
                    "text/html");
            });
        server_.Post("/Quillane/fail.asp",
                     [](const httplib::Request&, httplib::Response& response) {
                         response.status = 500;
                         response.set_content("Y]broken]", "text/html");
                     });
        // Answers of MaxPageBytes bytes and of one byte more: "Y]" and then spaces.
        server_.Post(
            "/Quillane/largest.asp", [](const httplib::Request&, httplib::Response& response) {
                response.set_content("Y]" + std::string(MaxPageBytes - 2, ' '), "text/html");
            });
        server_.Post(
            "/Quillane/toolarge.asp", [](const httplib::Request&, httplib::Response& response) {
                response.set_content("Y]" + std::string(MaxPageBytes - 1, ' '), "text/html");
            });
        // A page that never ends.
        server_.Post("/Quillane/endless.asp",
                     [](const httplib::Request&, httplib::Response& response) {
                         response.set_chunked_content_provider(
                             "text/html", [](std::size_t, httplib::DataSink& sink) {
                                 const std::string chunk(4096, 'Y');
                                 return sink.write(chunk.data(), chunk.size());
                             });
                     });
        server_.Post("/Quillane/held.asp",
                     [this](const httplib::Request&, httplib::Response& response) {
                         std::unique_lock lock(heldMutex_);
                         heldReleased_.wait(lock, [this] { return released_; });
                         response.set_content("held]", "text/html");
                     });
        server_.Start();
        BaseUrl = QStringLiteral("http://%1/Quillane/").arg(server_.HostAndPort());
    }

    void TearDown() override
    {
        ReleaseHeldPage();
        SetRequestTimeout(60s);
    }

    void ReleaseHeldPage()
    {
        {
            std::lock_guard lock(heldMutex_);
            released_ = true;
        }
        heldReleased_.notify_all();
    }

    // Waits (running the event loop) for the browser's next completion; returns its address.
    static QString NextCompletion(QSignalSpy& completions)
    {
        if (completions.isEmpty() && !completions.wait(10000))
            return QStringLiteral("(no completion)");
        return completions.takeFirst().at(0).toString();
    }

    std::mutex heldMutex_;
    std::condition_variable heldReleased_;
    bool released_ = false;
    LoopbackServer server_;
    WebBrowser browser_{QStringLiteral("testBrowser")};
};

TEST_F(WebBrowserTest, PostsTheBodyInCodePage949WithATrailingZeroByte)
{
    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    EXPECT_EQ(browser_.ReadyState(), 0);
    PostPage(browser_, QStringLiteral("echo.asp"), u"P_NAME =똠방각하&P_COMNAME  =약국"_qs);
    EXPECT_EQ(browser_.ReadyState(), 1);

    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"echo.asp"_qs);
    EXPECT_EQ(browser_.ReadyState(), 4);
    EXPECT_EQ(browser_.LocationUrl(), BaseUrl + u"echo.asp"_qs);
    EXPECT_EQ(PageText(browser_), u"Y]1]"_qs);
    const std::vector<LoopbackServer::Request> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].path, "/Quillane/echo.asp");
    EXPECT_EQ(requests[0].Header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(requests[0].body, std::string("P_NAME =\x8C\x63\xB9\xE6\xB0\xA2\xC7\xCF&P_COMNAME  "
                                            "=\xBE\xE0\xB1\xB9\0",
                                            34));
}

TEST_F(WebBrowserTest, AnEmptyBodyGoesOutAsTheSingleZeroByte)
{
    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    PostPage(browser_, QStringLiteral("echo.asp"), QString());
    NextCompletion(completions);
    ASSERT_EQ(server_.Requests().size(), 1u);
    EXPECT_EQ(server_.Requests()[0].body, std::string(1, '\0'));
}

TEST_F(WebBrowserTest, ValuesHaveOnlyTheFormDelimitersEscaped)
{
    EXPECT_EQ(FormValue(u"a&b=c+d%e 홍 ?/#"_qs), u"a%26b%3Dc%2Bd%25e 홍 ?/#"_qs);

    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    PostPage(browser_, QStringLiteral("echo.asp"),
             u"P_select  ="_qs + FormValue(u"1&2"_qs) + u"&P_LICENSE    ="_qs +
                 FormValue(u"홍=50%+"_qs));
    NextCompletion(completions);
    ASSERT_EQ(server_.Requests().size(), 1u);
    EXPECT_EQ(server_.Requests()[0].body,
              std::string("P_select  =1%262&P_LICENSE    =\xC8\xAB%3D50%25%2B\0", 45));
}

TEST_F(WebBrowserTest, FollowsARedirectWithAGetAndReportsTheFinalAddress)
{
    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    PostPage(browser_, QStringLiteral("redirect.asp"), u"a =1"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"target.asp"_qs);
    EXPECT_EQ(PageText(browser_), u"도착"_qs);
    const std::vector<LoopbackServer::Request> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].method, "GET");
    EXPECT_EQ(requests[1].path, "/Quillane/target.asp");
}

TEST_F(WebBrowserTest, FollowsAnImmediateMetaRefresh)
{
    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    PostPage(browser_, QStringLiteral("refresh.asp"), u"a =1"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"target.asp"_qs);
    EXPECT_EQ(PageText(browser_), u"도착"_qs);
    EXPECT_TRUE(completions.isEmpty());
}

TEST_F(WebBrowserTest, AnErrorStatusCompletesWithTheErrorPageAtTheRequestedAddress)
{
    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    PostPage(browser_, QStringLiteral("fail.asp"), u"a =1"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"fail.asp"_qs);
    EXPECT_TRUE(IsServerErrorPage(PageText(browser_)));
    EXPECT_TRUE(PageText(browser_).contains(u"HTTP 500"_qs));
    PostPage(browser_, QStringLiteral("missing.asp"), u"a =1"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"missing.asp"_qs);
    EXPECT_TRUE(IsServerErrorPage(PageText(browser_)));
}

TEST_F(WebBrowserTest, APageLargerThanAnyAnswerCompletesWithTheErrorPage)
{
    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    PostPage(browser_, QStringLiteral("largest.asp"), u"a =1"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"largest.asp"_qs);
    EXPECT_EQ(PageText(browser_), u"Y]"_qs);
    PostPage(browser_, QStringLiteral("toolarge.asp"), u"a =1"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"toolarge.asp"_qs);
    EXPECT_TRUE(IsServerErrorPage(PageText(browser_)));
    EXPECT_FALSE(PageText(browser_).contains(u"Y]"_qs));
    PostPage(browser_, QStringLiteral("endless.asp"), u"a =1"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"endless.asp"_qs) << "not read to its end";
    EXPECT_TRUE(IsServerErrorPage(PageText(browser_)));
}

TEST_F(WebBrowserTest, NoServerCompletesWithTheErrorPage)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    BaseUrl = QStringLiteral("http://127.0.0.1:%1/Quillane/").arg(port);

    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    PostPage(browser_, QStringLiteral("ComCheck2.asp"), u"a =1"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"ComCheck2.asp"_qs);
    EXPECT_TRUE(IsServerErrorPage(PageText(browser_)));
    EXPECT_EQ(browser_.ReadyState(), 4);
}

TEST_F(WebBrowserTest, ASilentServerCompletesWithTheErrorPageAfterTheTimeout)
{
    QTcpServer silent; // accepts connections and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    BaseUrl = QStringLiteral("http://127.0.0.1:%1/Quillane/").arg(silent.serverPort());
    SetRequestTimeout(200ms);

    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    PostPage(browser_, QStringLiteral("TimeCheck.asp"), u"a =1"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"TimeCheck.asp"_qs);
    EXPECT_TRUE(IsServerErrorPage(PageText(browser_)));
}

TEST_F(WebBrowserTest, ANewNavigationAbandonsTheOneUnderWay)
{
    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    PostPage(browser_, QStringLiteral("held.asp"), u"first =1"_qs);
    PostPage(browser_, QStringLiteral("echo.asp"), u"second =2"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"echo.asp"_qs);

    ReleaseHeldPage();
    PostPage(browser_, QStringLiteral("echo.asp"), u"third =3"_qs);
    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"echo.asp"_qs);
    EXPECT_TRUE(completions.isEmpty());
    EXPECT_EQ(PageText(browser_), u"Y]1]"_qs);
}

TEST_F(WebBrowserTest, TheRequestLeavesWhileTheUserInterfaceThreadSleeps)
{
    QSignalSpy completions(&browser_, &WebBrowser::DocumentComplete);
    PostPage(browser_, QStringLiteral("echo.asp"), u"P_STATE =off"_qs);
    // A plain sleep: this thread's event loop does not run until the request has arrived.
    for (int waited = 0; server_.Requests().empty() && waited < 10000; waited += 10)
        QThread::msleep(10);
    ASSERT_EQ(server_.Requests().size(), 1u);
    EXPECT_EQ(server_.Requests()[0].body, std::string("P_STATE =off\0", 13));
    EXPECT_TRUE(completions.isEmpty());

    EXPECT_EQ(NextCompletion(completions), BaseUrl + u"echo.asp"_qs);
    EXPECT_EQ(PageText(browser_), u"Y]1]"_qs);
}

} // namespace
