#include "tests/app/ProgramSandbox.h"
#include "tests/app/XvfbDisplay.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

// The real program on an X server of the test's own: the titles the window manager reads.
class WindowCaptionsXvfbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled() ||
            QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty())
            GTEST_SKIP() << "Xvfb, xdotool or xprop is not installed";
        ASSERT_TRUE(screen.Started()) << "Xvfb did not start";
        sandbox.Set(QStringLiteral("DISPLAY"), screen.Display());
        sandbox.Set(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }

    void TearDown() override
    {
        if (program)
            EndProgram(*program);
    }

    // The program's one visible window whose title contains the text, once shown.
    QString WindowTitled(const QString& text) const
    {
        QStringList windows;
        WaitFor([&] {
            windows = screen.VisibleWindows(program->processId(), text);
            return !windows.isEmpty();
        });
        return windows.size() == 1 ? windows.front() : QString();
    }

    // The window's title as the window manager reads it: the values of WM_NAME and _NET_WM_NAME.
    std::string Titles(const QString& window) const
    {
        QProcess xprop;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), screen.Display());
        xprop.setProcessEnvironment(environment);
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-id"), window, QStringLiteral("WM_NAME"),
                     QStringLiteral("_NET_WM_NAME")});
        xprop.waitForFinished();
        QStringList values;
        for (const QString& line : QString::fromUtf8(xprop.readAllStandardOutput())
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            values += line.section(QStringLiteral(" = "), 1);
        return values.join(u'|').toStdString();
    }

    void ExpectTitle(const QString& caption) const
    {
        const QString window = WindowTitled(caption);
        ASSERT_FALSE(window.isEmpty()) << "no window titled " << caption.toStdString();
        EXPECT_EQ(screen.Xdotool({QStringLiteral("getwindowname"), window}).trimmed().toStdString(),
                  caption.toStdString());
        const QString quoted = QLatin1Char('"') + caption + QLatin1Char('"');
        EXPECT_EQ(Titles(window), (quoted + QLatin1Char('|') + quoted).toStdString());
    }

    XvfbDisplay screen{1024, 768};
    ProgramSandbox sandbox;
    std::unique_ptr<QProcess> program;
};

// Without a tray host the main screen shows at start, titled "Quillane" and nothing more.
TEST_F(WindowCaptionsXvfbTest, MainWindowIsTitledWithItsCaptionAlone)
{
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    ExpectTitle(QStringLiteral("Quillane"));
}

// A temporary folder that cannot be made: the warning's box is titled "경고" and nothing more.
TEST_F(WindowCaptionsXvfbTest, MessageBoxIsTitledWithItsCaptionAlone)
{
    sandbox.Set(QStringLiteral("QUILLANE_TEMP_DIR"), QStringLiteral("/proc/quillane/temp"));
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    ExpectTitle(QStringLiteral("경고"));
}

} // namespace
