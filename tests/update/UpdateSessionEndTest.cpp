#include "tests/app/ProgramSandbox.h"
#include "tests/app/XvfbDisplay.h"
#include "tests/update/UpdateServer.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>
#include <regex>

namespace {

// The session's end may take the close's pause (500 ms) and little beyond it.
constexpr int EndBoundMs = 3000;

bool Asked(UpdateServer& server, const std::string& target)
{
    const std::vector<std::string> targets = server.Targets();
    return std::find(targets.begin(), targets.end(), target) != targets.end();
}

// The real program waits at its start for a version file that the server sends a byte at a time:
// the end of the session meanwhile ends it at once with its "off" report, as in the start-up's
// other waits, not once the download has given up.
TEST(UpdateWait, TheEndOfTheSessionEndsTheWaitingProgramWithItsOffReport)
{
    UpdateServer server;
    server.SetList("QUILLANE_Version.INI\t1\t2024-05-01 10:00:00\r\n"
                   "QUILLANE_UPDATE.ZIP\t2\t2024-05-01 10:00:00\r\n");
    server.SetHandler(
        "/Update/QUILLANE_Version.INI", [](const httplib::Request&, httplib::Response& response) {
            auto started = std::make_shared<QElapsedTimer>();
            started->start();
            response.set_content_provider(
                2048, "text/plain", [started](std::size_t, std::size_t, httplib::DataSink& sink) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    return started->elapsed() < 30000 && sink.write("\n", 1);
                });
        });
    ProgramSandbox sandbox;
    sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), server.Host());
    const std::unique_ptr<QProcess> program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Asked(server, "/Update/QUILLANE_Version.INI"); },
                        std::chrono::seconds(20)))
        << "the start-up never reached the update";
    QThread::msleep(300);

    QElapsedTimer clock;
    clock.start();
    program->terminate();
    const bool ended = program->waitForFinished(EndBoundMs + 2000);
    if (!ended)
        EndProgram(*program);
    ASSERT_TRUE(ended) << "still waiting for the download";
    EXPECT_LE(clock.elapsed(), EndBoundMs);
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0);

    const std::vector<std::string> reports = server.Bodies("/Quillane/TimeCheck.asp");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(std::regex_match(reports.front(), std::regex(PresencePattern("", "", "off"))))
        << reports.front();
}

} // namespace
