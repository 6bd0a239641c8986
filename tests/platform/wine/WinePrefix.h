#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>

// Runs Windows programs with wine64 in a prefix of the tests' own: the ANSI code page 949
// (ko_KR.UTF-8), Wine's null display driver (windows exist without a display) or the X server
// of the display given, no Gecko or Mono, and a home folder of its own so that nothing reaches
// the user's desktop or menus.
class WinePrefix
{
public:
    struct Result
    {
        int exitCode = -1;
        QString output; // standard output
        QString errors; // standard error: Wine's own notes land here
    };

    WinePrefix(QString wine, QString wineServer, QString folder, QString display = {});

    // Sets a variable of the environment the Windows programs see.
    void Set(const QString& name, const QString& value);

    // Creates the prefix on first use and reuses it afterwards. Empty, or why Wine cannot run.
    QString Prepare() const;

    // The Unix folder of the drive C:.
    QString DriveC() const;

    // Runs wine64 with the arguments to its end, within the time-out.
    Result Run(const QStringList& arguments, int timeoutMs = 120000) const;

    // Starts wine64 with the arguments; its standard output is the process's read channel.
    std::unique_ptr<QProcess> Start(const QStringList& arguments) const;

    // Waits until the prefix's wine server has ended, after its last program.
    void WaitForServerEnd() const;

private:
    QProcessEnvironment Environment() const;
    QString Create() const;

    QString wine;
    QString wineServer;
    QString folder;
    QString display;
    QProcessEnvironment variables;
};
