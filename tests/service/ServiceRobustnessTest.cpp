#include "service/Statement.h"
#include "tests/service/InProcessService.h"

#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

const std::string InternalError =
    "\xb3\xbb\xba\xce \xbc\xad\xb9\xf6 \xbf\xc0\xb7\xf9"; // 내부 서버 오류

std::int64_t Count(ServiceStore& store, const std::string& table)
{
    std::int64_t count = 0;
    store.Read([&](sqlite3* db) {
        Statement row(db, "SELECT count(*) FROM " + table);
        row.Step();
        count = row.Int(0);
    });
    return count;
}

const std::string Presence =
    std::string("P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_SENDTIME =2026-12-10 10:00:00"
                "&P_Flg = on") +
    '\0';

} // namespace

TEST(ServiceRobustnessTest, BadInputIsRefusedWithoutTouchingTheStore)
{
    InProcessService service;
    const std::int64_t members = Count(service.Store(), "members");
    const struct
    {
        const char* what;
        const char* page;
        std::string body;
        int status;
        bool errorPage; // the text holds the error marker the program looks for
    } cases[] = {
        {"body over 64 KiB", "INPUT3.asp", std::string(64 * 1024 + 1, 'a'), 413, true},
        {"bytes that are not code page 949", "INPUT3.asp",
         std::string("P_PALICENSE  =12345&P_CNAME      =\xff\xfe\x80") + '\0', 400, true},
        {"a lone lead byte", "TimeCheck.asp", std::string("P_Flg = on\xb1") + '\0', 400, true},
        {"huge field count", "TimeCheck.asp", std::string(5000, '&') + '\0', 400, true},
        {"unknown page", "Nothing.asp", Presence, 404, false},
        {"empty body", "INPUT3.asp", "", 200, false},
        {"only the zero byte", "Permission.asp", std::string(1, '\0'), 200, false},
        {"fields without values or equals signs", "normal3.asp", "P_select&&=&P_LICENSE", 200,
         false},
        {"broken percent escapes", "SunDay.asp", "P_select  =%2&P_LICENSE    =%zz%", 200, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto result = service.Post(c.page, c.body);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, c.status);
        EXPECT_EQ(result->body.find(InternalError) != std::string::npos, c.errorPage);
    }
    EXPECT_EQ(Count(service.Store(), "members"), members);
    EXPECT_EQ(Count(service.Store(), "registrations"), 2);
    EXPECT_EQ(Count(service.Store(), "presence_history"), 0);
    EXPECT_EQ(Count(service.Store(), "requests"), std::ssize(cases));
}

TEST(ServiceRobustnessTest, StoreSurvivesARestart)
{
    InProcessService service;
    ASSERT_TRUE(service.Post("INPUT3.asp",
                             std::string("P_PANAME       =\xb9\xda\xbc\xad\xbf\xac" // 박서연
                                         "&P_PALICENSE  =23456&P_COMNAME    =NEW-PC"
                                         "&P_JUMINNUM   =7208242&P_CHK        =1") +
                                 '\0'));
    ASSERT_TRUE(service.Post("TimeCheck.asp", Presence));
    service.Stop();
    service.Start();
    const auto result = service.Post("ComCheck2.asp", std::string("P_PANAME       =x"
                                                                  "&P_PALICENSE  =23456"
                                                                  "&P_COMNAME    =NEW-PC") +
                                                          '\0');
    ASSERT_TRUE(result);
    EXPECT_EQ(result->get_header_value("Location"), "/Quillane/ComCheckResult.asp?answer=Y");
    EXPECT_EQ(Count(service.Store(), "presence_history"), 1);
    EXPECT_EQ(Count(service.Store(), "members"), 4);
    EXPECT_EQ(Count(service.Store(), "requests"), 3);
}

TEST(ServiceRobustnessTest, ConcurrentReportsAreAllStored)
{
    InProcessService service;
    constexpr int threads = 8, reports = 40;
    std::vector<std::thread> senders;
    std::atomic<int> accepted = 0;
    for (int t = 0; t < threads; ++t)
        senders.emplace_back([&] {
            httplib::Client client("127.0.0.1", service.Port());
            for (int i = 0; i < reports; ++i) {
                const auto result = client.Post("/Quillane/TimeCheck.asp", Presence,
                                                "application/x-www-form-urlencoded");
                if (result && result->body == InProcessService::Page("Y"))
                    ++accepted;
            }
        });
    for (std::thread& sender : senders)
        sender.join();
    EXPECT_EQ(accepted, threads * reports);
    EXPECT_EQ(Count(service.Store(), "presence_history"), threads * reports);
    EXPECT_EQ(Count(service.Store(), "requests"), threads * reports);
}

TEST(ServiceRobustnessTest, AClientThatNeverFinishesItsRequestBlocksNobody)
{
    InProcessService service;
    QTcpSocket slow;
    slow.connectToHost("127.0.0.1", static_cast<quint16>(service.Port()));
    ASSERT_TRUE(slow.waitForConnected(5000));
    slow.write("POST /Quillane/TimeCheck.asp HTTP/1.1\r\nContent-Length: 500\r\n\r\nP_Flg");
    ASSERT_TRUE(slow.waitForBytesWritten(5000));
    const auto result = service.Post("TimeCheck.asp", Presence);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->body, InProcessService::Page("Y"));
}

TEST(ServiceRobustnessTest, UpdateListAndDownloads)
{
    InProcessService service;
    QFile file(QString::fromStdString(service.UpdateDir()) + "/QUILLANE_Version.INI");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[\xb9\xf6\xc0\xfc\xc1\xa4\xba\xb8]\r\n\xb9\xf6\xc0\xfc=53\r\n");
    file.close();
    const std::string modified =
        QFileInfo(file).lastModified().toString("yyyy-MM-dd HH:mm:ss").toStdString();

    const auto list = service.Get("/AutoUpgradeServer.dll?path=UPDATE");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->body, "QUILLANE_Version.INI\t21\t" + modified + "\r\n");
    const struct
    {
        const char* target;
        int status;
    } downloads[] = {
        {"/Update/QUILLANE_Version.INI", 200},
        {"/Update/quillane_version.ini", 200},
        {"/Update/QUILLANE_UPDATE.ZIP", 404},
        {"/Update/..%2Fservice.db", 404},
        {"/Update/%2E%2E", 404},
        {"/AutoUpgradeServer.dll?path=OTHER", 404},
    };
    for (const auto& download : downloads) {
        SCOPED_TRACE(download.target);
        const auto result = service.Get(download.target);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, download.status);
        if (download.status == 200) {
            EXPECT_EQ(result->body.size(), 21u);
        }
    }
    const auto contest = service.Get("/ConTest.htm");
    ASSERT_TRUE(contest);
    EXPECT_EQ(contest->body, "NORMAL");
}

TEST(ServiceRobustnessTest, AFailureInsideAPageAnswersTheInternalErrorPage)
{
    InProcessService service;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(service.DatabasePath().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "DROP TABLE presence", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    const auto failed = service.Post("TimeCheck.asp", Presence);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->status, 500);
    EXPECT_EQ(failed->body, InProcessService::Page(InternalError));
    EXPECT_EQ(Count(service.Store(), "presence_history"), 0) << "the failed write is rolled back";
    const auto other = service.Post(
        "hdaycheck.asp", std::string("P_PALICENSE =12345&P_TIME_D1   =2026-12-25") + '\0');
    ASSERT_TRUE(other);
    EXPECT_EQ(other->body, InProcessService::Page("Y"));
    EXPECT_EQ(Count(service.Store(), "requests"), 2);
}

TEST(ServiceRobustnessTest, OneBodyLimitForEveryContentType)
{
    InProcessService service;
    const std::string fields = "P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_Flg = on&P_PAD =";
    const auto bodyOf = [&](std::size_t size) {
        return fields + std::string(size - fields.size(), 'a');
    };
    const struct
    {
        const char* contentType;
        std::size_t size;
        int status;
    } cases[] = {
        {"application/x-www-form-urlencoded", 9 * 1024, 200},
        {"application/x-www-form-urlencoded", 64 * 1024, 200},
        {"application/x-www-form-urlencoded", 64 * 1024 + 1, 413},
        {"text/plain", 9 * 1024, 200},
        {"text/plain", 64 * 1024, 200},
        {"text/plain", 64 * 1024 + 1, 413},
        {"multipart/form-data; boundary=x", 1024, 400},
    };
    httplib::Client client("127.0.0.1", service.Port());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.contentType) + " " + std::to_string(c.size));
        const auto result = client.Post("/Quillane/TimeCheck.asp", bodyOf(c.size), c.contentType);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, c.status);
    }
    EXPECT_EQ(Count(service.Store(), "presence_history"), 4) << "every body within the limit";
}

// A database of the first version keeps its rows: holiday hours stored before they carried the
// holiday's name still answer for their day.
TEST(ServiceRobustnessTest, AnOlderDatabaseIsBroughtUpToDateWithItsRows)
{
    InProcessService service;
    service.Stop();
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(QString::fromStdString(service.DatabasePath()) + suffix);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(service.DatabasePath().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, R"sql(
CREATE TABLE requests (id INTEGER PRIMARY KEY, time TEXT NOT NULL, method TEXT NOT NULL,
  target TEXT NOT NULL, body BLOB NOT NULL, status INTEGER NOT NULL);
CREATE TABLE members (license TEXT PRIMARY KEY, name TEXT NOT NULL, birth TEXT NOT NULL,
  owner INTEGER NOT NULL);
CREATE TABLE masters (license TEXT PRIMARY KEY, pharmacy TEXT, zip1 TEXT, zip2 TEXT,
  province TEXT, district TEXT, town TEXT, address TEXT, detail TEXT, phone TEXT, mobile TEXT,
  fax TEXT, location TEXT);
CREATE TABLE registrations (license TEXT PRIMARY KEY, paname TEXT, pharmacy TEXT, zip1 TEXT,
  zip2 TEXT, address1 TEXT, address2 TEXT, address3 TEXT, address4 TEXT, phone TEXT,
  mobile TEXT, fax TEXT, location TEXT, comname TEXT, birth TEXT, chk TEXT, updated TEXT);
CREATE TABLE presence (license TEXT PRIMARY KEY, comname TEXT, state TEXT, sent_time TEXT,
  received TEXT);
CREATE TABLE presence_history (id INTEGER PRIMARY KEY, license TEXT, comname TEXT, state TEXT,
  sent_time TEXT, received TEXT);
CREATE TABLE weekly (license TEXT PRIMARY KEY, records TEXT NOT NULL, comname TEXT,
  updated TEXT);
CREATE TABLE sundays (license TEXT, day TEXT, start TEXT, finish TEXT,
  PRIMARY KEY (license, day));
CREATE TABLE day_hours (license TEXT, day TEXT, start TEXT, finish TEXT, updated TEXT,
  PRIMARY KEY (license, day));
CREATE TABLE holiday_reports (id INTEGER PRIMARY KEY, license TEXT, day TEXT, start TEXT,
  finish TEXT, received TEXT);
INSERT INTO requests (time, method, target, body, status) VALUES ('t', 'GET', '/', '', 200);
INSERT INTO day_hours VALUES ('12345', '2026-12-25', '11:00', '17:00', 't');
PRAGMA user_version = 1;
)sql",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    service.Start();

    const auto holidays =
        service.Post("holiday.asp", std::string("P_select  =1&P_LICENSE    =12345") + '\0');
    ASSERT_TRUE(holidays);
    EXPECT_NE(holidays->body.find("2026-12-2511:0017:00"), std::string::npos);
    EXPECT_EQ(Count(service.Store(), "requests"), 2);
}
