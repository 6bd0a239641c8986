#include "platform/posix/X11IdleSource.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Sets DISPLAY for the lifetime of the object and puts the earlier value back.
class DisplayVariable
{
public:
    explicit DisplayVariable(const QByteArray& display)
        : wasSet_(qEnvironmentVariableIsSet("DISPLAY")), saved_(qgetenv("DISPLAY"))
    {
        if (display.isEmpty())
            qunsetenv("DISPLAY");
        else
            qputenv("DISPLAY", display);
    }
    DisplayVariable(const DisplayVariable&) = delete;
    DisplayVariable& operator=(const DisplayVariable&) = delete;

    ~DisplayVariable()
    {
        if (wasSet_)
            qputenv("DISPLAY", saved_);
        else
            qunsetenv("DISPLAY");
    }

private:
    bool wasSet_;
    QByteArray saved_;
};

// An X server of the test's own on a display it picks itself; -noreset keeps the server, and
// with it the idle time, when its last client leaves.
class XvfbIdle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                            QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("1024x768x24"), QStringLiteral("-noreset"),
                            QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        ASSERT_TRUE(server.waitForReadyRead(10000)) << "Xvfb did not name its display";
        display = QStringLiteral(":") + QString::fromLatin1(server.readLine().trimmed());
        displayVariable.emplace(display.toLatin1());
    }

    void TearDown() override
    {
        displayVariable.reset();
        server.terminate();
        server.waitForFinished();
    }

    QProcessEnvironment Environment(const QString& qtPlatform) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), qtPlatform);
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return environment;
    }

    void MoveMouse(int x, int y) const
    {
        QProcess xdotool;
        xdotool.setProcessEnvironment(Environment(QStringLiteral("xcb")));
        xdotool.start(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(x), QString::number(y)});
        ASSERT_TRUE(xdotool.waitForFinished());
        ASSERT_EQ(xdotool.exitCode(), 0);
    }

    // What the system's idle source says in a program on the given Qt platform.
    QString ProbeAnswer(const QString& qtPlatform) const
    {
        QProcess probe;
        probe.setProcessEnvironment(Environment(qtPlatform));
        probe.start(QStringLiteral(IDLE_SOURCE_PROBE), QStringList());
        probe.waitForFinished();
        return QString::fromLatin1(probe.readAllStandardOutput().trimmed());
    }

    QProcess server;
    QString display;
    std::optional<DisplayVariable> displayVariable;
};

// Waits until the source tells at least the given idle time; its answer at the end.
std::optional<std::uint32_t> WaitForIdle(platform::IdleSource& source, std::uint32_t seconds)
{
    const QDeadlineTimer deadline(std::chrono::seconds(seconds + 10));
    std::optional<std::uint32_t> idle = source.IdleSeconds();
    while (idle && *idle < seconds && !deadline.hasExpired()) {
        QThread::msleep(100);
        idle = source.IdleSeconds();
    }
    return idle;
}

TEST_F(XvfbIdle, GrowsWithoutInputAndRestartsAtAMouseMove)
{
    const std::unique_ptr<platform::IdleSource> source = platform::OpenX11IdleSource();
    ASSERT_NE(source, nullptr);

    EXPECT_GE(WaitForIdle(*source, 1), std::optional<std::uint32_t>(1));
    MoveMouse(10, 20);
    EXPECT_EQ(source->IdleSeconds(), std::optional<std::uint32_t>(0));

    EXPECT_GE(WaitForIdle(*source, 1), std::optional<std::uint32_t>(1))
        << "the same connection keeps telling";
}

TEST_F(XvfbIdle, SystemSourceAnswersOnXcbAndCannotTellOffscreen)
{
    ASSERT_GE(WaitForIdle(*platform::OpenX11IdleSource(), 1), std::optional<std::uint32_t>(1));
    bool isNumber = false;
    EXPECT_GE(ProbeAnswer(QStringLiteral("xcb")).toUInt(&isNumber), 1U);
    EXPECT_TRUE(isNumber);
    EXPECT_EQ(ProbeAnswer(QStringLiteral("offscreen")), QStringLiteral("unknown"));
}

TEST(X11IdleSource, IsAbsentWithoutADisplay)
{
    const DisplayVariable noDisplay{QByteArray()};
    EXPECT_EQ(platform::OpenX11IdleSource(), nullptr);
}

} // namespace
