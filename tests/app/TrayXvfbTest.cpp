#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "tests/app/LoopbackService.h"
#include "tests/app/ProgramSandbox.h"
#include "tests/app/XvfbDisplay.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <httplib.h>
#include <string>
#include <thread>

namespace {

constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;
// The program looks for a tray every five seconds.
constexpr std::chrono::seconds DockBound(20);

const QString MainScreenGeometry =
    QStringLiteral("Position: %1,%2 (screen: 0)\n  Geometry: 312x312")
        .arg((ScreenWidth - 312) / 2)
        .arg((ScreenHeight - 312) / 2);

// The connectivity page on loopback, so that the start passes its network test at once; the
// sign-in finds no page, which leaves the program running unsigned.
class ContestServer
{
public:
    ContestServer()
    {
        server_.Get("/ConTest.htm", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("NORMAL", "text/html");
        });
        server_.set_keep_alive_max_count(1);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::yield();
    }
    ~ContestServer()
    {
        server_.stop();
        thread_.join();
    }
    QString Host() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

// The real program on an X server of the test's own, with trayer as the tray host, clicked
// with xdotool.
class TrayOnXvfb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled() ||
            QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty())
            GTEST_SKIP() << "Xvfb, xdotool or trayer is not installed";
        ASSERT_TRUE(screen.Started()) << "Xvfb did not start";
        PrepareProgramFolder();
        sandbox.Set(QStringLiteral("DISPLAY"), screen.Display());
        sandbox.Set(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        sandbox.Set(QStringLiteral("QUILLANE_PROGRAM_FOLDER"), programFolder.path());
        sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), service.Host());
        sandbox.Set(QStringLiteral("QUILLANE_CONTEST_HOST"), service.Host());
        sandbox.Set(QStringLiteral("HOME"), home.path());
        sandbox.Set(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/.config"));
        sandbox.Set(QStringLiteral("XDG_DESKTOP_DIR"), home.path() + QStringLiteral("/Desktop"));
    }

    void TearDown() override
    {
        if (program)
            EndProgram(*program);
        trayer.terminate();
        trayer.waitForFinished();
    }

    // A settled check computer, so that the start signs in without the first-start window.
    void PrepareProgramFolder()
    {
        const QString settings = programFolder.filePath(SettingsKeys::FileName);
        WriteIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistLicense,
                       QStringLiteral("12345"));
        WriteIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::CheckComputer,
                       QStringLiteral("PC1"));
        WriteIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::AutoCheckKey,
                       QStringLiteral("Y"));
        QFile::copy(QStringLiteral(QUILLANE_PROGRAM_DIR "/Quillane.MDB"),
                    programFolder.filePath(QStringLiteral("Quillane.MDB")));
        // No reminder of a coming holiday waits for a user, whatever the day.
        SetCalendarHolidays(programFolder.filePath(QStringLiteral("Quillane.MDB")), {});
    }

    void StartTrayer() { ASSERT_TRUE(screen.StartTrayHost(trayer)); }

    QString Xdotool(const QStringList& arguments) const { return screen.Xdotool(arguments); }

    QString VisibleMainWindows() const
    {
        return Xdotool({"search", "--onlyvisible", "--name", "^Quillane$", "getwindowgeometry"});
    }

    bool MainScreenShown() const { return VisibleMainWindows().contains(MainScreenGeometry); }

    // The program's icon window docked in the tray.
    QString DockedIcon() const { return screen.DockedIcon(QStringLiteral("Quillane")); }

    void DoubleClick(const QString& window) const
    {
        Xdotool({"mousemove", "--window", window, "8", "8", "click", "--repeat", "2", "--delay",
                 "80", "1"});
    }

    XvfbDisplay screen{ScreenWidth, ScreenHeight};
    QProcess trayer;
    ContestServer service;
    QTemporaryDir programFolder;
    QTemporaryDir home;
    ProgramSandbox sandbox;
    std::unique_ptr<QProcess> program;
};

TEST_F(TrayOnXvfb, StartsInTheTrayAndADoubleClickOnTheIconShowsTheMainScreen)
{
    StartTrayer();
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    QString icon;
    ASSERT_TRUE(WaitFor([&] { return !(icon = DockedIcon()).isEmpty(); }));
    EXPECT_FALSE(MainScreenShown()) << "the start hides the window in the tray";

    DoubleClick(icon);

    EXPECT_TRUE(WaitFor([this] { return MainScreenShown(); }))
        << VisibleMainWindows().toStdString();
    EXPECT_EQ(program->state(), QProcess::Running);
}

TEST_F(TrayOnXvfb, WithoutATrayTheMainScreenShowsAndTheIconDocksWhenATrayAppears)
{
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(WaitFor([this] { return MainScreenShown(); })) << "no tray: the screen shows";

    StartTrayer();
    QString icon;
    ASSERT_TRUE(WaitFor([&] { return !(icon = DockedIcon()).isEmpty(); }, DockBound));

    // The close bar, 8 pixels from the bottom of the centred screen.
    Xdotool({"mousemove", QString::number(ScreenWidth / 2),
             QString::number((ScreenHeight - 312) / 2 + 298), "click", "1"});
    EXPECT_TRUE(WaitFor([this] { return !MainScreenShown(); })) << "the close bar hides it";

    DoubleClick(icon);
    EXPECT_TRUE(WaitFor([this] { return MainScreenShown(); }));
}

// The ending of a presence report with the flag, the trailing zero byte included.
bool EndsWithFlag(const std::string& report, const std::string& flag)
{
    const std::string ending = "&P_Flg = " + flag + std::string(1, '\0');
    return report.ends_with(ending);
}

// The tray program signed in with an accepted answer, so that the check computer's name is set
// and the close reports "off" twice.
class TrayExitOnXvfb : public TrayOnXvfb
{
protected:
    void SetUp() override
    {
        TrayOnXvfb::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), signInService.Host());
        sandbox.Set(QStringLiteral("QUILLANE_CONTEST_HOST"), signInService.Host());
    }

    // The open tray menu: a window of the program's shown besides the docked icon.
    QString OpenMenu(const QString& icon) const
    {
        const QStringList windows = Xdotool({"search", "--onlyvisible", "--classname", "Quillane"})
                                        .split('\n', Qt::SkipEmptyParts);
        for (const QString& window : windows) {
            if (window != icon)
                return window;
        }
        return {};
    }

    LoopbackService signInService;
};

TEST_F(TrayExitOnXvfb, TheMenusExitEntryEndsTheProgramAfterBothOffReports)
{
    StartTrayer();
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(signInService.WaitForBodies("TimeCheck.asp", 1)) << "the accepted sign-in's on";
    QString icon;
    ASSERT_TRUE(WaitFor([&] { return !(icon = DockedIcon()).isEmpty(); }));

    Xdotool({"mousemove", "--window", icon, "8", "8", "click", "3"});
    ASSERT_TRUE(WaitFor([&] { return !OpenMenu(icon).isEmpty(); })) << "the menu pops up";
    // With no entry chosen yet, Up chooses the last one: the exit entry.
    Xdotool({"key", "Up", "Return"});

    ASSERT_TRUE(program->waitForFinished(5000)) << "the exit entry ends the program";
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0);
    program.reset();

    signInService.Stop();
    const std::vector<std::string> reports = signInService.Bodies("TimeCheck.asp");
    ASSERT_EQ(reports.size(), 3u) << "on, then the close query's and the close's off";
    EXPECT_TRUE(EndsWithFlag(reports[0], "on")) << reports[0];
    EXPECT_TRUE(EndsWithFlag(reports[1], "off")) << reports[1];
    EXPECT_TRUE(EndsWithFlag(reports[2], "off")) << reports[2];
}

} // namespace
