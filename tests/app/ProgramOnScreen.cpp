#include "tests/app/ProgramOnScreen.h"

#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

void WriteDemoOwner(const QString& settings)
{
    WriteIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistName,
                   QStringLiteral("김똘이"));
    WriteIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistLicense,
                   QStringLiteral("12345"));
    WriteIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::CheckComputer,
                   QStringLiteral("COUNTER-PC"));
}

ProgramOnScreen::~ProgramOnScreen()
{
    if (program)
        EndProgram(*program);
}

void ProgramOnScreen::Connect()
{
    ASSERT_TRUE(screen.Started()) << "Xvfb did not start";
    ASSERT_TRUE(service.Started()) << "quillane-service did not answer";
    sandbox.Set(QStringLiteral("DISPLAY"), screen.Display());
    sandbox.Set(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), service.Host());
    sandbox.Set(QStringLiteral("QUILLANE_CONTEST_HOST"), service.Host());
}

QString ProgramOnScreen::Settings() const
{
    return sandbox.ProgramFolder() + SettingsKeys::FileName;
}

QStringList ProgramOnScreen::Windows(const QString& titlePattern) const
{
    return screen.VisibleWindows(program->processId(), titlePattern);
}

QString ProgramOnScreen::OneWindow(const QString& titlePattern) const
{
    QStringList windows;
    WaitFor([&] {
        windows = Windows(titlePattern);
        return windows.size() == 1;
    });
    return windows.size() == 1 ? windows.first() : QString();
}

QPoint ProgramOnScreen::Origin(const QString& window) const
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+)"))
            .match(screen.Xdotool({QStringLiteral("getwindowgeometry"), window}));
    return match.hasMatch() ? QPoint(match.captured(1).toInt(), match.captured(2).toInt())
                            : QPoint(-1, -1);
}

QPoint ProgramOnScreen::WindowAt(const QString& titlePattern) const
{
    const QString window = OneWindow(titlePattern);
    return window.isEmpty() ? QPoint(-1, -1) : Origin(window);
}

void ProgramOnScreen::Click(QPoint at) const
{
    screen.Xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                    QStringLiteral("click"), QStringLiteral("1")});
}

void ProgramOnScreen::Click(const QString& window, int x, int y) const
{
    screen.Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                    QString::number(x), QString::number(y), QStringLiteral("click"),
                    QStringLiteral("1")});
}

void ProgramOnScreen::Press(const QString& window, const QString& key) const
{
    screen.Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window,
                    QStringLiteral("key"), key});
}
