#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <httplib.h>
#include <mutex>
#include <set>
#include <sqlite3.h>
#include <thread>

namespace {

// The real quillane-service on a free loopback port with a database in a temporary folder.
class ServiceExecutableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
        probe.close();
        ASSERT_TRUE(QDir(folder.path()).mkpath("update"));
    }

    void StartService()
    {
        service.start(Binary(),
                      {"--listen", QString("127.0.0.1:%1").arg(port), "--db", DatabasePath(),
                       "--update-dir", folder.filePath("update"), "--demo"});
        service.setReadChannel(QProcess::StandardError);
        ASSERT_TRUE(service.waitForStarted(5000));
        while (!service.readAllStandardError().contains("listening"))
            ASSERT_TRUE(service.waitForReadyRead(5000)) << "the service did not start listening";
    }

    void StopService()
    {
        service.terminate();
        ASSERT_TRUE(service.waitForFinished(10000));
        EXPECT_EQ(service.exitCode(), 0);
    }

    // The request log as printed by "quillane-service --db PATH requests --since N".
    std::vector<QJsonObject> Requests(int since)
    {
        QProcess printer;
        printer.start(Binary(),
                      {"--db", DatabasePath(), "requests", "--since", QString::number(since)});
        EXPECT_TRUE(printer.waitForFinished(10000));
        std::vector<QJsonObject> lines;
        for (const QByteArray& line : printer.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                lines.push_back(QJsonDocument::fromJson(line).object());
        return lines;
    }

    static QString Binary() { return qEnvironmentVariable("QUILLANE_SERVICE_BINARY"); }
    QString DatabasePath() const { return folder.filePath("service.db"); }

    QTemporaryDir folder;
    QProcess service;
    quint16 port = 0;
};

} // namespace

TEST_F(ServiceExecutableTest, LogsEveryRequestAndKeepsItsDataAcrossRestarts)
{
    StartService();
    httplib::Client client("127.0.0.1", port);
    const std::string signIn =
        std::string("P_PANAME       =\xb1\xe8\xb6\xca\xc0\xcc&P_PALICENSE  =12345"
                    "&P_COMNAME    =COUNTER-PC") +
        '\0';
    const auto forward =
        client.Post("/Quillane/ComCheck2.asp", signIn, "application/x-www-form-urlencoded");
    ASSERT_TRUE(forward);
    const auto answer = client.Get(forward->get_header_value("Location").c_str());
    ASSERT_TRUE(answer);
    EXPECT_NE(answer->body.find("<body>Y</body>"), std::string::npos);
    StopService();

    const std::vector<QJsonObject> logged = Requests(0);
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0]["method"].toString(), "POST");
    EXPECT_EQ(logged[0]["target"].toString(), "/Quillane/ComCheck2.asp");
    EXPECT_EQ(logged[0]["status"].toInt(), 302);
    EXPECT_EQ(logged[0]["body_hex"].toString().toStdString(),
              QByteArray::fromStdString(signIn).toHex().toStdString());
    EXPECT_EQ(logged[0]["body"].toString(),
              QString::fromUtf8("P_PANAME       =김똘이&P_PALICENSE  =12345"
                                "&P_COMNAME    =COUNTER-PC") +
                  QChar(0));
    EXPECT_EQ(logged[1]["target"].toString(), "/Quillane/ComCheckResult.asp?answer=Y");

    StartService();
    const auto again =
        client.Post("/Quillane/ComCheck2.asp", signIn, "application/x-www-form-urlencoded");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->get_header_value("Location"), "/Quillane/ComCheckResult.asp?answer=Y");
    StopService();
    EXPECT_EQ(Requests(2).size(), 1u);
}

TEST_F(ServiceExecutableTest, RefusesIncompleteCommandLines)
{
    QProcess process;
    process.start(Binary(), {"--listen", "127.0.0.1:1"});
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardError().contains("usage"));
}

TEST_F(ServiceExecutableTest, HelpPrintsTheOptions)
{
    QProcess process;
    process.start(Binary(), {"--help"});
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    const QByteArray help = process.readAllStandardOutput();
    for (const char* option : {"--listen", "--db", "--update-dir", "--demo", "--holidays",
                               "--keep-days", "--connections-per-address", "requests", "--since"})
        EXPECT_TRUE(help.contains(option)) << option;
}

// A second service on the address being served ends at once with a message, and every request
// still reaches the first one.
TEST_F(ServiceExecutableTest, ASecondServiceOnTheSameAddressDoesNotStart)
{
    StartService();
    QTemporaryDir otherFolder;
    QProcess second;
    second.start(Binary(),
                 {"--listen", QString("127.0.0.1:%1").arg(port), "--db",
                  otherFolder.filePath("other.db"), "--update-dir", folder.filePath("update")});
    ASSERT_TRUE(second.waitForFinished(10000)) << "the second service kept running";
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains(
        QString("cannot listen on 127.0.0.1:%1: Address already in use").arg(port).toUtf8()));

    for (int i = 0; i < 20; ++i) {
        httplib::Client client("127.0.0.1", port); // a connection of its own each time
        const auto answer = client.Post("/Quillane/TimeCheck.asp",
                                        "P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_Flg = on",
                                        "application/x-www-form-urlencoded");
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200);
    }
    StopService();
    EXPECT_EQ(Requests(0).size(), 20u) << "every request reached the first service";
}

// A report answered "Y" is committed: killing the service (SIGKILL) while reports pour in loses
// none of them, and the service starts again on the same database.
TEST_F(ServiceExecutableTest, AKilledServiceKeepsEveryReportItAnswered)
{
    StartService();
    std::mutex answeredMutex;
    std::set<std::string> answered;
    std::atomic<bool> sending = true;
    std::vector<std::thread> senders;
    for (int t = 0; t < 8; ++t)
        senders.emplace_back([&, t] {
            httplib::Client client("127.0.0.1", port);
            for (int i = 0; sending; ++i) {
                const std::string mark = std::to_string(t) + "-" + std::to_string(i);
                const auto result =
                    client.Post("/Quillane/TimeCheck.asp",
                                "P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_SENDTIME =" + mark +
                                    "&P_Flg = on" + std::string(1, '\0'),
                                "application/x-www-form-urlencoded");
                if (result && result->status == 200 &&
                    result->body.find("<body>Y</body>") != std::string::npos) {
                    std::lock_guard lock(answeredMutex);
                    answered.insert(mark);
                }
            }
        });
    while ([&] {
        std::lock_guard lock(answeredMutex);
        return answered.size() < 500;
    }()) {
        // The service's log lines are read away, or its stderr would fill and stop it.
        service.waitForReadyRead(5);
        service.readAllStandardError();
    }
    service.kill();
    ASSERT_TRUE(service.waitForFinished(10000));
    sending = false;
    for (std::thread& sender : senders)
        sender.join();

    std::set<std::string> stored;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(DatabasePath().toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_stmt* rows = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT sent_time FROM presence_history", -1, &rows, nullptr),
              SQLITE_OK);
    while (sqlite3_step(rows) == SQLITE_ROW)
        stored.insert(reinterpret_cast<const char*>(sqlite3_column_text(rows, 0)));
    sqlite3_finalize(rows);
    sqlite3_close(db);
    std::vector<std::string> lost;
    std::set_difference(answered.begin(), answered.end(), stored.begin(), stored.end(),
                        std::back_inserter(lost));
    EXPECT_TRUE(lost.empty()) << lost.size() << " of " << answered.size()
                              << " answered reports lost, the first " << lost.front();

    StartService();
    httplib::Client client("127.0.0.1", port);
    const auto again = client.Post("/Quillane/TimeCheck.asp",
                                   "P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_Flg = on",
                                   "application/x-www-form-urlencoded");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->status, 200);
    StopService();
}
