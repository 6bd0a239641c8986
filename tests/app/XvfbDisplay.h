#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

// An X server of the test's own (Xvfb, on a display it picks itself, so parallel tests never
// meet), kept up between clients (-noreset), and xdotool to look at and drive its windows.
class XvfbDisplay
{
public:
    XvfbDisplay(int width, int height);
    ~XvfbDisplay();

    // Whether Xvfb, xdotool and xclip are installed; a test skips without them.
    static bool ToolsInstalled();

    // Yes once the server takes clients.
    bool Started() const { return !display_.isEmpty(); }
    // ":N", for DISPLAY.
    QString Display() const { return display_; }

    // Runs xdotool on this display and returns what it printed.
    QString Xdotool(const QStringList& arguments) const;

    // Puts the text on the clipboard and pastes it into the focused window with ctrl+v. Typed
    // with xdotool, a character outside the keyboard map goes through a key it remaps for the
    // moment, and the program may read that key after the map is back: such text is pasted.
    void Paste(const QString& text) const;

    // The visible windows of the process whose title matches the pattern (xdotool's --name).
    QStringList VisibleWindows(qint64 pid, const QString& titlePattern) const;

    // Starts trayer as the tray host of this display, along the top edge at the right; false if
    // it did not start.
    bool StartTrayHost(QProcess& trayer) const;

    // The icon of the window class docked in the tray: its only visible window of at most 24 x 24
    // pixels; empty while there is none.
    QString DockedIcon(const QString& windowClass) const;

private:
    QProcess server_;
    QString display_;
};

// Polls the condition until it holds or the bound has passed. The default bound is for what a
// program and an X client do on their own; they pass far sooner.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds bound = std::chrono::seconds(15));
