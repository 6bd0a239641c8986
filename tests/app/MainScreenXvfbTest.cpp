#include "ProgramSandbox.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;

// An X server of the test's own on a free display; -noreset keeps it up between clients.
class XvfbScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        display = FreeDisplay();
        ASSERT_GE(display, 0);
        server.start(xvfb, {QStringLiteral(":%1").arg(display), QStringLiteral("-screen"),
                            QStringLiteral("0"),
                            QStringLiteral("%1x%2x24").arg(ScreenWidth).arg(ScreenHeight),
                            QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp")});
        ASSERT_TRUE(server.waitForStarted());
        ASSERT_TRUE(WaitForSocket());
        sandbox.Set(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(display));
        sandbox.Set(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }

    void TearDown() override
    {
        if (first)
            EndProgram(*first);
        server.terminate();
        server.waitForFinished();
    }

    static int FreeDisplay()
    {
        for (int number = 90; number < 200; ++number) {
            if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) &&
                !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
                return number;
        }
        return -1;
    }

    bool WaitForSocket() const
    {
        const QDeadlineTimer deadline(std::chrono::seconds(10));
        while (!deadline.hasExpired()) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)))
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    QString Xdotool(const QStringList& arguments) const
    {
        QProcess xdotool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(display));
        xdotool.setProcessEnvironment(environment);
        xdotool.start(QStringLiteral("xdotool"), arguments);
        xdotool.waitForFinished();
        return QString::fromUtf8(xdotool.readAllStandardOutput());
    }

    // xdotool's report of the visible windows titled "Quillane": position and size.
    QString VisibleMainWindows() const
    {
        return Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--name"), QStringLiteral("Quillane"),
                        QStringLiteral("getwindowgeometry")});
    }

    int display = -1;
    QProcess server;
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
