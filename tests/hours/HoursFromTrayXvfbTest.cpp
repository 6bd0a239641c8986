#include "tests/app/ProgramOnScreen.h"

#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Every hours window is 500 x 600 (the festival window one pixel less each way), so centred
// its client origin stands here on a screen without a window manager.
const QString CentredPosition = QStringLiteral("Position: 262,84 ");
// Keys typed the moment the menu maps leave the next right click without a menu, so the test
// waits as briefly as a user would before choosing.
constexpr int MenuSettleMs = 300;
// A point on the close bar across the bottom edge of each window.
constexpr int CloseBarX = 250;
constexpr int CloseBarY = 585;

struct TrayEntry
{
    const char* caption; // the menu entry, for the trace
    int downs;           // Down presses from the top of the menu to the entry
    const char* title;   // the window's caption
    const char* page;    // the page of its fetch
};

// The three hours entries of the tray menu; 메인화면 and 기본정보입력 stand above them.
const TrayEntry Entries[] = {
    {"정상근무시간입력", 3, "^초록우체통 정상 근무시간$", "normal3.asp"},
    {"법정공휴일근무시간입력", 4, "^초록우체통 공휴일$", "holiday.asp"},
    {"명절근무시간입력", 5, "^초록우체통 명절 근무시간$", "festival1.asp"},
};

// The real program in the tray of an X server of the test's own (trayer as the tray host),
// signed in as the reference service's demo owner.
class HoursFromTray : public ::testing::Test, protected ProgramOnScreen
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled() ||
            QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty())
            GTEST_SKIP() << "Xvfb, xdotool or trayer is not installed";
        ASSERT_NO_FATAL_FAILURE(Connect());
        WriteDemoOwner(Settings());
        ASSERT_TRUE(screen.StartTrayHost(trayer));
    }

    // The program ends before its tray host.
    void TearDown() override
    {
        if (program)
            EndProgram(*program);
        trayer.terminate();
        trayer.waitForFinished();
    }

    QString Xdotool(const QStringList& arguments) const { return screen.Xdotool(arguments); }

    QStringList ProgramWindows() const
    {
        return Xdotool({"search", "--onlyvisible", "--classname", "Quillane"})
            .split('\n', Qt::SkipEmptyParts);
    }

    // The program's icon docked in the tray.
    QString DockedIcon() const { return screen.DockedIcon(QStringLiteral("Quillane")); }

    // Opens the icon's menu, a window of its own each time, and chooses the entry with the
    // keyboard. A right click can be lost on a loaded machine (the menu then never shows), so
    // the click is repeated while no menu has shown.
    void Choose(const TrayEntry& entry) const
    {
        const QStringList before = ProgramWindows();
        const auto menuShown = [&] {
            const QStringList windows = ProgramWindows();
            return std::any_of(windows.begin(), windows.end(),
                               [&](const QString& window) { return !before.contains(window); });
        };
        bool shown = false;
        for (int click = 0; click < 3 && !shown; ++click) {
            Xdotool({"mousemove", "--window", icon, "8", "8", "click", "3"});
            shown = WaitFor(menuShown, std::chrono::seconds(5));
        }
        ASSERT_TRUE(shown) << "the menu did not pop up " << before.join(' ').toStdString() << " / "
                           << ProgramWindows().join(' ').toStdString();
        QThread::msleep(MenuSettleMs);
        QStringList keys{QStringLiteral("key")};
        for (int down = 0; down < entry.downs; ++down)
            keys << QStringLiteral("Down");
        Xdotool(keys << QStringLiteral("Return"));
    }

    QString Window(const char* title) const { return OneWindow(QString::fromUtf8(title)); }

    bool Shown(const char* title) const { return !Windows(QString::fromUtf8(title)).isEmpty(); }

    std::size_t Fetches(const char* page) const
    {
        return PostedBodies(service.Requests(), QString::fromLatin1(page)).size();
    }

    QProcess trayer;
    QString icon;
};

// Each entry opens its window centred and fetching; chosen again while the window is open it
// only brings it to the front; after the close bar it shows the window again, which fetches
// anew.
TEST_F(HoursFromTray, EachEntryOpensItsWindowOnceAndAgainAfterItsClose)
{
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(WaitFor([&] { return !(icon = DockedIcon()).isEmpty(); })) << "no tray icon";
    ASSERT_TRUE(service.WaitUntil([](const auto& requests) {
        return !PostedBodies(requests, QStringLiteral("TimeCheck.asp")).empty();
    })) << "the sign-in's on: the program has started";

    for (const TrayEntry& entry : Entries) {
        SCOPED_TRACE(entry.caption);
        const std::size_t before = Fetches(entry.page);
        Choose(entry);
        const QString first = Window(entry.title);
        ASSERT_FALSE(first.isEmpty()) << "the window did not show";
        EXPECT_TRUE(Xdotool({"getwindowgeometry", first}).contains(CentredPosition))
            << Xdotool({"getwindowgeometry", first}).toStdString();
        ASSERT_TRUE(service.WaitUntil([&](const auto&) { return Fetches(entry.page) > before; }))
            << "no fetch";

        Choose(entry);
        EXPECT_EQ(Window(entry.title), first) << "the open window is not created again";

        Click(first, CloseBarX, CloseBarY);
        ASSERT_TRUE(WaitFor([&] { return !Shown(entry.title); })) << "the close bar";
        const std::size_t afterClose = Fetches(entry.page);
        EXPECT_EQ(afterClose, before + 1) << "choosing the open window's entry fetched again";

        Choose(entry);
        const QString again = Window(entry.title);
        ASSERT_FALSE(again.isEmpty()) << "the window did not show again";
        EXPECT_TRUE(Xdotool({"getwindowgeometry", again}).contains(CentredPosition));
        EXPECT_TRUE(service.WaitUntil([&](const auto&) {
            return Fetches(entry.page) == afterClose + 1;
        })) << "shown again, the window fetches anew";
        Click(again, CloseBarX, CloseBarY);
        ASSERT_TRUE(WaitFor([&] { return !Shown(entry.title); }));
    }
    EXPECT_EQ(program->state(), QProcess::Running);
}

} // namespace
