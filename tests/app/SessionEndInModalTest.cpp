#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "tests/app/LoopbackService.h"
#include "tests/app/ProgramSandbox.h"
#include "tests/app/XvfbDisplay.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>
#include <regex>

namespace {

// The session's end may take the close's two pauses (500 ms and 1000 ms) and no more than a
// little beyond them.
constexpr int EndBoundMs = 3000;

// What keeps the start-up waiting when the session ends.
struct OpenWait
{
    const char* name;
    // The title of the modal window the program shows; empty: a fixed wait, no window.
    const char* title;
    std::size_t offReports; // the query's, and the close's when a check computer is known
    const char* comName;    // the check computer and licence known when the session ends
    const char* licence;
    // Sets the program folder and the service up so that the start-up reaches the wait.
    void (*arrange)(ProgramSandbox& sandbox, LoopbackService& service);
};

void PrintTo(const OpenWait& wait, std::ostream* out)
{
    *out << wait.name;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SettleCheckComputer(ProgramSandbox& sandbox)
{
    const QString settings = sandbox.ProgramFolder() + SettingsKeys::FileName;
    WriteIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistLicense,
                   QStringLiteral("12345"));
    WriteIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::CheckComputer,
                   QStringLiteral("PC1"));
}

// A first start: the basic information was never confirmed, so the sign-in opens the
// basic-information window and waits for it.
void FirstStart(ProgramSandbox& sandbox, LoopbackService&)
{
    QFile::remove(sandbox.ProgramFolder() + SettingsKeys::FileName);
    SettleCheckComputer(sandbox);
}

// The service answers the sign-in with "Z": the notice window is open.
void ServiceAnswersZ(ProgramSandbox& sandbox, LoopbackService& service)
{
    SettleCheckComputer(sandbox);
    service.SetSignInAnswer("Z");
}

// No local database: its failure message is open.
void NoLocalDatabase(ProgramSandbox& sandbox, LoopbackService&)
{
    QFile::remove(sandbox.ProgramFolder() + QStringLiteral("Quillane.MDB"));
}

// The connectivity test failed once and pauses for 50 s before it tries again.
void ConnectivityFails(ProgramSandbox&, LoopbackService& service)
{
    service.SetConnectivityAnswer("DOWN");
}

// The real program on an X server of the test's own, ended by the session (SIGTERM) while the
// start-up waits for a modal window, a message box or a fixed pause.
class SessionEndInModal : public ::testing::TestWithParam<OpenWait>
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        ASSERT_TRUE(screen.Started()) << "Xvfb did not start";
        sandbox.Set(QStringLiteral("DISPLAY"), screen.Display());
        sandbox.Set(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), service.Host());
        sandbox.Set(QStringLiteral("QUILLANE_CONTEST_HOST"), service.Host());
        GetParam().arrange(sandbox, service);
    }

    void TearDown() override
    {
        if (program)
            EndProgram(*program);
    }

    // Waits until the start-up is held by the case's window or pause.
    bool WaitUntilHeld() const
    {
        const QString title = QString::fromUtf8(GetParam().title);
        if (title.isEmpty())
            return service.WaitForBodies("ConTest.htm", 1);
        return WaitFor([&] {
            return !screen.VisibleWindows(program->processId(), QLatin1Char('^') + title + '$')
                        .isEmpty();
        });
    }

    XvfbDisplay screen{1024, 768};
    mutable LoopbackService service;
    ProgramSandbox sandbox;
    std::unique_ptr<QProcess> program;
};

TEST_P(SessionEndInModal, ReportsOffAndEndsAtOnceLeavingTheSettingsAsTheyWere)
{
    const QString settings = sandbox.ProgramFolder() + SettingsKeys::FileName;
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(WaitUntilHeld()) << "the start-up never reached the wait";
    // The wait goes on; the end of the session must not depend on catching its first moment.
    QThread::msleep(300);
    const QByteArray settingsBefore = FileBytes(settings);

    QElapsedTimer clock;
    clock.start();
    program->terminate();
    ASSERT_TRUE(program->waitForFinished(EndBoundMs + 2000)) << "still running";
    EXPECT_LE(clock.elapsed(), EndBoundMs);
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0);

    EXPECT_EQ(FileBytes(settings), settingsBefore) << "only the user's answer may write there";
    service.Stop();
    const std::vector<std::string> reports = service.Bodies("TimeCheck.asp");
    ASSERT_EQ(reports.size(), GetParam().offReports);
    const std::regex off(PresencePattern(GetParam().comName, GetParam().licence, "off"));
    for (const std::string& report : reports)
        EXPECT_TRUE(std::regex_match(report, off)) << report;
}

INSTANTIATE_TEST_SUITE_P(
    Waits, SessionEndInModal,
    ::testing::Values(OpenWait{"FirstStartBasicInformation", "초록우체통 기본정보입력", 2, "PC1",
                               "12345", FirstStart},
                      OpenWait{"SignInNoticeZ", "푸른등대 알림창", 2, "PC1", "12345",
                               ServiceAnswersZ},
                      OpenWait{"DatabaseFailureMessage", "경고", 1, "", "", NoLocalDatabase},
                      OpenWait{"ConnectivityPause", "", 1, "", "", ConnectivityFails}),
    [](const ::testing::TestParamInfo<OpenWait>& param) { return param.param.name; });

} // namespace
