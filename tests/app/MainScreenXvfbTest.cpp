#include "tests/app/ProgramSandbox.h"
#include "tests/app/XvfbDisplay.h"

#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;

// The real program on an X server of the test's own.
class XvfbScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        ASSERT_TRUE(screen.Started()) << "Xvfb did not start";
        sandbox.Set(QStringLiteral("DISPLAY"), screen.Display());
        sandbox.Set(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }

    void TearDown() override
    {
        if (first)
            EndProgram(*first);
    }

    QString Xdotool(const QStringList& arguments) const { return screen.Xdotool(arguments); }

    // xdotool's report of the visible windows titled "Quillane": position and size.
    QString VisibleMainWindows() const
    {
        return Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--name"), QStringLiteral("Quillane"),
                        QStringLiteral("getwindowgeometry")});
    }

    XvfbDisplay screen{ScreenWidth, ScreenHeight};
    ProgramSandbox sandbox;
    std::unique_ptr<QProcess> first;
};

TEST_F(XvfbScreen, LaterStartWithTheLinkArgumentShowsTheCentredMainScreen)
{
    first = sandbox.Start();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(sandbox.WaitUntilListening());
    // Without a tray host the main screen shows at start; the user drags it aside.
    const QDeadlineTimer shown(std::chrono::seconds(10));
    while (VisibleMainWindows().isEmpty() && !shown.hasExpired())
        QThread::msleep(50);
    Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
             QStringLiteral("Quillane"), QStringLiteral("windowmove"), QStringLiteral("5"),
             QStringLiteral("7")});
    const QDeadlineTimer moved(std::chrono::seconds(10));
    while (!VisibleMainWindows().contains(QStringLiteral("Position: 5,7")) && !moved.hasExpired())
        QThread::msleep(50);
    ASSERT_TRUE(VisibleMainWindows().contains(QStringLiteral("Position: 5,7")));

    sandbox.ExpectSecondStartEnds({QStringLiteral("C:\\Windows\\win.ini")});

    const QString expected = QStringLiteral("Position: %1,%2 (screen: 0)\n  Geometry: 312x312")
                                 .arg((ScreenWidth - 312) / 2)
                                 .arg((ScreenHeight - 312) / 2);
    QString report;
    const QDeadlineTimer deadline(std::chrono::seconds(10));
    while (!report.contains(expected) && !deadline.hasExpired()) {
        QThread::msleep(100);
        report = VisibleMainWindows();
    }
    EXPECT_TRUE(report.contains(expected)) << report.toStdString();
    EXPECT_EQ(first->state(), QProcess::Running);
}

} // namespace
