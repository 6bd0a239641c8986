#pragma once

#include "tests/app/XvfbDisplay.h"
#include "tests/platform/wine/WinePrefix.h"

#include <QString>
#include <QStringList>
#include <memory>

// Windows programs under Wine on an X server of the test's own, in a prefix of their own, and
// the means to drive them as a person at the counter does: windows found by title, keys,
// clicks, Hangul pasted from the clipboard (typed Hangul arrives garbled under Wine).
class WineDesktop
{
public:
    static constexpr int ScreenWidth = 1024;
    static constexpr int ScreenHeight = 768;

    WineDesktop();

    // Empty, or why Wine cannot run here.
    QString Prepare();

    // The Unix path of a path on the drive C: ("C:\a\b" -> ".../drive_c/a/b").
    QString UnixPath(const QString& windowsPath) const;

    // Runs a command with "cmd /c" to its end (NSIS takes /D= only last and unquoted).
    WinePrefix::Result Command(const QString& line, int timeoutMs = 300000) const;
    // Starts a Windows program.
    std::unique_ptr<QProcess> Start(const QStringList& arguments) const;
    // Ends the session as Windows does at shut-down: every program is asked to end.
    WinePrefix::Result EndSession() const;

    // The visible windows whose title matches the pattern.
    QStringList Windows(const QString& titlePattern) const;
    // The one visible window whose title matches, once shown; empty if none shows.
    QString WaitForWindow(const QString& titlePattern) const;
    bool WaitUntilGone(const QString& titlePattern) const;

    void Click(const QString& window, int x, int y) const;
    void Key(const QString& window, const QString& key) const;
    void Type(const QString& window, const QString& asciiText) const;
    void Paste(const QString& window, const QString& text) const;

    // A picture of the whole screen, saved as PNG.
    bool Screenshot(const QString& path) const;

    XvfbDisplay screen{ScreenWidth, ScreenHeight};
    WinePrefix wine;

private:
    void Focus(const QString& window) const;
};
