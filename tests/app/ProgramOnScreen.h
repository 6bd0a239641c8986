#pragma once

#include "tests/app/ProgramSandbox.h"
#include "tests/app/ReferenceService.h"
#include "tests/app/XvfbDisplay.h"

#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

// Writes the reference service's demo owner into the settings file: 김똘이, licence 12345, at
// the check computer COUNTER-PC.
void WriteDemoOwner(const QString& settings);

// The real program in a sandbox on an X server of the test's own, against the reference service
// with its demo members, and the means to look at and drive its windows. The program is ended
// before the service stops.
class ProgramOnScreen
{
public:
    static constexpr int ScreenWidth = 1024;
    static constexpr int ScreenHeight = 768;

    ~ProgramOnScreen();

    // Checks that the server and the service are up and points the program at both.
    void Connect();

    // The program's settings file.
    QString Settings() const;

    // The program's visible windows whose title matches the pattern.
    QStringList Windows(const QString& titlePattern) const;

    // The program's one visible window whose title matches, once shown; empty if none shows.
    QString OneWindow(const QString& titlePattern) const;

    // The client origin of the window.
    QPoint Origin(const QString& window) const;

    // The client origin of the program's one visible window whose title matches, once shown;
    // (-1, -1) if none shows.
    QPoint WindowAt(const QString& titlePattern) const;

    // A left click at the point of the screen, or at the point of the window's client area.
    void Click(QPoint at) const;
    void Click(const QString& window, int x, int y) const;

    // Focuses the window and presses the key.
    void Press(const QString& window, const QString& key) const;

    XvfbDisplay screen{ScreenWidth, ScreenHeight};
    ReferenceService service;
    ProgramSandbox sandbox;
    std::unique_ptr<QProcess> program;
};
