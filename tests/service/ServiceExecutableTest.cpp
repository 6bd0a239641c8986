#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <httplib.h>

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
