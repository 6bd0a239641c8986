#include "core/program/MessageBox.h"
#include "core/requests/NetworkThread.h"
#include "tests/update/UpdateServer.h"
#include "update/DownloadListedFile.h"
#include "update/FetchTextList.h"
#include "update/UpdatePackage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string Package = "PK package bytes, long enough to be cut in the middle";
// The limit of the downloads that are not about limits.
constexpr qint64 Limit = 1024 * 1024;

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers with the whole length announced and then closes after half of it, the first
// `closings` times.
httplib::Server::Handler ClosingHandler(std::shared_ptr<std::atomic<int>> closings)
{
    return [closings](const httplib::Request&, httplib::Response& response) {
        const bool close = closings->fetch_sub(1) > 0;
        response.set_content_provider(
            Package.size(), "application/octet-stream",
            [close](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (close) {
                    sink.write(Package.data(), Package.size() / 2);
                    return false;
                }
                sink.write(Package.data() + offset, Package.size() - offset);
                return true;
            });
    };
}

class Download : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request.text);
            return MessageAnswer::Ok;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHandler({});
        SetRequestTimeout(std::chrono::seconds(60));
    }

    QString Base() const { return QStringLiteral("http://") + server.Host() + "/Update"; }
    QString Folder() const { return temp.filePath(QStringLiteral("Temp")); }
    QStringList Stored() const { return QDir(Folder()).entryList(QDir::Files); }

    UpdateServer server;
    HttpClient client;
    QTemporaryDir temp;
    std::vector<QString> messages;
};

TEST_F(Download, TheListArrivesLineByLineWithTheTwoHeaders)
{
    const struct
    {
        const char* answer;
        QStringList lines;
    } cases[] = {
        {"a\tb\tc\r\nd\te\tf\r\n", {"a\tb\tc", "d\te\tf"}},
        {"one\ntwo", {"one", "two"}},
        {"one\r\rtwo\n", {"one", "", "two"}},
        {"", {}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.answer);
        server.SetList(test.answer);
        QStringList list{QStringLiteral("old")};
        EXPECT_EQ(FetchTextList(client, list,
                                "http://" + server.Host() + "/AutoUpgradeServer.dll?path=UPDATE"),
                  test.lines.size());
        EXPECT_EQ(list, test.lines);
    }
    const UpdateServer::Request first = server.Requests().front();
    EXPECT_EQ(first.target, "/AutoUpgradeServer.dll?path=UPDATE");
    EXPECT_EQ(first.headers.find("Accept")->second, "text/html, */*");
    EXPECT_EQ(first.headers.find("User-Agent")->second, "Mozilla/3.0 (compatible; Indy Library)");
}

TEST_F(Download, AListThatDoesNotArriveAnswersMinusOneAndKeepsTheList)
{
    SetRequestTimeout(std::chrono::milliseconds(300));
    server.SetHandler("/slow", [](const httplib::Request&, httplib::Response& response) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        response.set_content("late\n", "text/plain");
    });
    // A list longer than any real one (a hostile or broken server) is not taken.
    server.SetHandler("/endless", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(64 * 1024 + 1, 'x'), "text/plain");
    });
    const QString urls[] = {"http://" + server.Host() + "/missing",
                            "http://" + server.Host() + "/slow",
                            "http://" + server.Host() + "/endless",
                            "http://" + UnusedHost() + "/AutoUpgradeServer.dll?path=UPDATE"};
    for (const QString& url : urls) {
        SCOPED_TRACE(url.toStdString());
        QStringList list{QStringLiteral("old")};
        EXPECT_EQ(FetchTextList(client, list, url), -1);
        EXPECT_THAT(list, ElementsAre("old"));
    }
    EXPECT_THAT(messages, IsEmpty());
}

// Only the file the update asks for is fetched, and it is stored under the name asked for.
TEST_F(Download, TheLineListingTheNameIsFetchedStoredUnderThatNameAndStamped)
{
    server.SetFile("QUILLANE_UPDATE.ZIP", Package);
    server.SetFile("quillane_update.zip", "lower");
    server.SetFile("OLD_QUILLANE_UPDATE.ZIP", "longer name");
    const struct
    {
        const char* name;
        QStringList list;
        const char* content;
    } cases[] = {
        {"exact",
         {"QUILLANE_Version.INI\t1\t2017-03-02 13:45:00",
          "QUILLANE_UPDATE.ZIP\t54\t2017-03-02 13:45:07"},
         Package.c_str()},
        {"lower case in the list", {"quillane_update.zip\t5\t2017-03-02 13:45:07"}, "lower"},
        {"a longer name first is another file",
         {"OLD_QUILLANE_UPDATE.ZIP\t11\t2017-03-02 13:45:07",
          "QUILLANE_UPDATE.ZIP\t54\t2017-03-02 13:45:07"},
         Package.c_str()},
        {"the name in another field",
         {"junk.bin\t1\tQUILLANE_UPDATE.ZIP", "QUILLANE_UPDATE.ZIP\t54\t2017-03-02 13:45:07"},
         Package.c_str()},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        QDir(Folder()).removeRecursively();

        const qint64 stored =
            DownloadListedFile(client, test.list, Base(), "QUILLANE_UPDATE.ZIP",
                               Folder() + "/QUILLANE_UPDATE.ZIP", Folder(), Limit);

        EXPECT_EQ(stored, qint64(strlen(test.content)));
        EXPECT_THAT(Stored(), ElementsAre("QUILLANE_UPDATE.ZIP"));
        const QString path = Folder() + "/QUILLANE_UPDATE.ZIP";
        EXPECT_EQ(Bytes(path), test.content);
        EXPECT_EQ(QFileInfo(path).lastModified(), QDateTime(QDate(2017, 3, 2), QTime(13, 45, 6)));
    }
    EXPECT_THAT(messages, IsEmpty());
    EXPECT_THAT(server.Targets(), Each(::testing::StrCaseEq("/Update/QUILLANE_UPDATE.ZIP")));
}

// A server that sends a byte now and then, never pausing for the request time-out, still ends
// the request at the deadline of the whole answer; a large file declared by its length may take
// longer, at the lowest rate.
TEST_F(Download, ATricklingServerIsCutOffAtTheDeadlineOfTheWholeAnswer)
{
    SetRequestTimeout(std::chrono::milliseconds(600));
    auto trickle = [](std::optional<std::size_t> declared) {
        return [declared](const httplib::Request&, httplib::Response& response) {
            auto provide = [](std::size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                return sink.write("x", 1);
            };
            if (declared)
                response.set_content_provider(
                    *declared, "text/plain",
                    [provide](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                        return provide(offset, sink);
                    });
            else
                response.set_chunked_content_provider("text/plain", provide);
        };
    };
    server.SetHandler("/AutoUpgradeServer.dll", trickle(std::nullopt));
    server.SetHandler("/Update/QUILLANE_UPDATE.ZIP", trickle(std::nullopt));
    const QStringList list = {"QUILLANE_UPDATE.ZIP\t54\t2017-03-02 13:45:07"};

    QElapsedTimer clock;
    clock.start();
    QStringList fetched{"kept"};
    EXPECT_EQ(FetchTextList(client, fetched, "http://" + server.Host() + "/AutoUpgradeServer.dll"),
              -1);
    EXPECT_THAT(fetched, ElementsAre("kept"));
    EXPECT_EQ(DownloadListedFile(client, list, Base(), "QUILLANE_UPDATE.ZIP",
                                 Folder() + "/QUILLANE_UPDATE.ZIP", Folder(), Limit),
              -1);
    EXPECT_LT(clock.elapsed(), 5000) << "both requests ended at their deadlines";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(
        messages.front().startsWith(u"다운로드중에 시스템 에러가 발생했습니다.\r\n\r\n"_qs));

    // 40 KiB declared: at 32 KiB/s that may take 1.25 s, past the 0.6 s floor.
    server.SetHandler("/Update/QUILLANE_UPDATE.ZIP", trickle(40 * 1024));
    clock.restart();
    DownloadListedFile(client, list, Base(), "QUILLANE_UPDATE.ZIP",
                       Folder() + "/QUILLANE_UPDATE.ZIP", Folder(), Limit);
    EXPECT_GE(clock.elapsed(), 1100);
    EXPECT_LT(clock.elapsed(), 5000);

    // However long the package, no request outlives the client's own deadline.
    server.SetHandler("/Update/QUILLANE_UPDATE.ZIP", trickle(100 * 1024 * 1024));
    HttpClient bounded(QDeadlineTimer(std::chrono::milliseconds(1500)));
    clock.restart();
    EXPECT_EQ(DownloadListedFile(bounded, list, Base(), "QUILLANE_UPDATE.ZIP",
                                 Folder() + "/QUILLANE_UPDATE.ZIP", Folder(), MaxPackageBytes),
              -1);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(DownloadListedFile(bounded, list, Base(), "QUILLANE_UPDATE.ZIP",
                                 Folder() + "/QUILLANE_UPDATE.ZIP", Folder(), MaxPackageBytes),
              -1);
    EXPECT_LT(clock.elapsed(), 3000) << "a client whose time is up asks no more";
    EXPECT_THAT(Stored(), IsEmpty()) << "what did not arrive whole is removed";
}

// An answer that declares more than the file may have is refused as soon as its headers are in,
// however slowly it would come: the version file is a few lines, the package has its limit. A
// length the deadline's arithmetic once turned negative (65.5 GiB and more) is among them.
TEST_F(Download, ADeclaredLengthOverTheFilesLimitFailsAtOnce)
{
    SetRequestTimeout(std::chrono::milliseconds(300));
    const QString system = QStringLiteral("다운로드중에 시스템 에러가 발생했습니다.\r\n\r\n");
    const struct
    {
        const char* name;
        const char* file;
        qint64 limit;
        std::optional<std::size_t> declared; // nothing: sent in chunks, 8 KiB quickly
    } cases[] = {
        {"a version file declaring 100 GB", "QUILLANE_Version.INI", 4096, 100'000'000'000},
        {"a version file declaring 512 MiB", "QUILLANE_Version.INI", 4096, 512 * 1024 * 1024},
        {"a version file longer than declared", "QUILLANE_Version.INI", 4096, std::nullopt},
        {"a package over its limit", "QUILLANE_UPDATE.ZIP", MaxPackageBytes,
         std::size_t(MaxPackageBytes) + 1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        messages.clear();
        const std::string path = std::string("/Update/") + test.file;
        // A byte now and then, never pausing for the request time-out, for 15 s at most.
        server.SetHandler(
            path, [declared = test.declared](const httplib::Request&, httplib::Response& response) {
                auto started = std::make_shared<QElapsedTimer>();
                started->start();
                if (!declared) {
                    response.set_chunked_content_provider(
                        "text/plain", [](std::size_t, httplib::DataSink& sink) {
                            return sink.write(std::string(8192, '\n').data(), 8192);
                        });
                    return;
                }
                response.set_content_provider(
                    *declared, "text/plain",
                    [started](std::size_t, std::size_t, httplib::DataSink& sink) {
                        std::this_thread::sleep_for(std::chrono::milliseconds(50));
                        return started->elapsed() < 15000 && sink.write("\n", 1);
                    });
            });
        const QStringList list = {QString::fromLatin1(test.file) + "\t1\t2017-03-02 13:45:07"};

        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(DownloadListedFile(client, list, Base(), test.file, Folder() + "/" + test.file,
                                     Folder(), test.limit),
                  -1);

        EXPECT_LT(clock.elapsed(), 3000);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages.front().startsWith(system)) << messages.front().toStdString();
        EXPECT_THAT(Stored(), IsEmpty()) << "what was refused is removed";
    }
}

TEST_F(Download, LinesThatCannotBeReadOrNameNothingDownloadNothing)
{
    server.SetFile("QUILLANE_UPDATE.ZIP", Package);
    const QString unexpected = QStringLiteral("예상하지 못한 에러가 발생하였습니다.");
    const struct
    {
        const char* line;
        const char* message; // nullptr: none
    } cases[] = {
        {"QUILLANE_Version.INI\t1\t2017-03-02 13:45:00", nullptr},
        {"QUILLANE_UPDATE.ZIP\tmany\t2017-03-02 13:45:00", "unexpected"},
        {"QUILLANE_UPDATE.ZIP\t54", "unexpected"},
        {"QUILLANE_UPDATE.ZIP\t54\tyesterday", "unexpected"},
        {"QUILLANE_UPDATE.ZIP\t99999999999\t2017-03-02 13:45:00", "unexpected"},
        {"../QUILLANE_UPDATE.ZIP\t54\t2017-03-02 13:45:00", nullptr},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.line);
        messages.clear();

        EXPECT_EQ(DownloadListedFile(client, {QString::fromUtf8(test.line)}, Base(),
                                     "QUILLANE_UPDATE.ZIP", Folder() + "/QUILLANE_UPDATE.ZIP",
                                     Folder(), Limit),
                  0);

        EXPECT_THAT(Stored(), IsEmpty());
        if (test.message)
            EXPECT_THAT(messages, ElementsAre(unexpected));
        else
            EXPECT_THAT(messages, IsEmpty());
    }
    EXPECT_THAT(server.Targets(), IsEmpty());
    EXPECT_FALSE(QFileInfo::exists(temp.filePath(QStringLiteral("QUILLANE_UPDATE.ZIP"))));
}

TEST_F(Download, FailedDownloadsSayWhatHappenedAndLeaveNoFile)
{
    SetRequestTimeout(std::chrono::milliseconds(300));
    const QStringList list = {"QUILLANE_UPDATE.ZIP\t54\t2017-03-02 13:45:07"};
    const QString network = QStringLiteral("다운로드중에 네트워크 연결이 끊어졌습니다.\r\n"
                                           "네트워크를 점검하신 후 잠시 후에 다시 시도해보십시오.");
    const QString system = QStringLiteral("다운로드중에 시스템 에러가 발생했습니다.\r\n\r\n");
    const struct
    {
        const char* name;
        std::function<void()> serve;
        QString base;
        qint64 result;
        QString message; // the message's beginning; empty: none
    } cases[] = {
        {"closed once, then whole",
         [&] {
             server.SetHandler("/Update/QUILLANE_UPDATE.ZIP",
                               ClosingHandler(std::make_shared<std::atomic<int>>(1)));
         },
         Base(),
         qint64(Package.size()),
         {}},
        {"closed twice",
         [&] {
             server.SetHandler("/Update/QUILLANE_UPDATE.ZIP",
                               ClosingHandler(std::make_shared<std::atomic<int>>(2)));
         },
         Base(), -1, network},
        {"not on the server",
         [&] {
             server.SetHandler("/Update/QUILLANE_UPDATE.ZIP",
                               [](const httplib::Request&, httplib::Response& response) {
                                   response.status = 404;
                                   response.set_content("no such file", "text/html");
                               });
         },
         Base(), 0, QStringLiteral("QUILLANE_UPDATE.ZIP 파일을 찾을 수 없습니다.")},
        {"no answer in time",
         [&] {
             server.SetHandler("/Update/QUILLANE_UPDATE.ZIP",
                               [](const httplib::Request&, httplib::Response& response) {
                                   std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                                   response.set_content(Package, "text/plain");
                               });
         },
         Base(), -1, system},
        {"no server", [] {}, "http://" + UnusedHost() + "/Update", -1, system},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        messages.clear();
        test.serve();

        EXPECT_EQ(DownloadListedFile(client, list, test.base, "QUILLANE_UPDATE.ZIP",
                                     Folder() + "/QUILLANE_UPDATE.ZIP", Folder(), Limit),
                  test.result);

        // One whole copy, or nothing: what did not arrive whole is removed.
        if (test.result > 0)
            EXPECT_EQ(Bytes(Folder() + "/QUILLANE_UPDATE.ZIP"), QByteArray::fromStdString(Package));
        else
            EXPECT_THAT(Stored(), IsEmpty());
        if (test.message.isEmpty()) {
            EXPECT_THAT(messages, IsEmpty());
        } else {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_TRUE(messages.front().startsWith(test.message))
                << messages.front().toStdString();
        }
    }
}

} // namespace
