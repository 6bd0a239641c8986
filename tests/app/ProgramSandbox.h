#pragma once

#include "tests/app/TimeCheckRecorder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <vector>

// One row of the local holiday calendar: date text, name, kind ("1" legal, "2" festival).
struct CalendarHoliday
{
    QString day;
    QString name;
    QString kind;
};

// Replaces the rows of the holiday calendar in the local database file.
bool SetCalendarHolidays(const QString& database, const std::vector<CalendarHoliday>& holidays);

// The real program with a runtime folder, program folder, temporary folder and home of its own,
// so that a test never meets a copy the user runs, nor another test's copy, and never touches the
// user's autostart entries or desktop. The program has signed in before, and until a test names
// other hosts its servers are a loopback recorder that answers the connectivity test at once.
class ProgramSandbox
{
public:
    ProgramSandbox();

    // The program folder, with a trailing separator.
    QString ProgramFolder() const;

    // Replaces the rows of the program's holiday calendar. The sandbox starts with none, so that
    // no reminder of a coming holiday waits for a user whatever the day the test runs.
    bool SetHolidays(const std::vector<CalendarHoliday>& holidays) const;

    // Sets or replaces a variable of the program's environment.
    void Set(const QString& name, const QString& value);

    // Starts the program with the arguments; nullptr when it could not be started.
    std::unique_ptr<QProcess> Start(const QStringList& arguments = {}) const;

    // Waits, within the bound, until a running copy takes connections from later starts.
    bool WaitUntilListening(std::chrono::milliseconds bound = std::chrono::seconds(20)) const;

    // A later start: it must end at once, with exit code 0.
    void ExpectSecondStartEnds(const QStringList& arguments) const;

private:
    QTemporaryDir runtime_;
    QTemporaryDir programFolder_;
    QTemporaryDir tempFolder_;
    QTemporaryDir home_;
    TimeCheckRecorder service_;
    QProcessEnvironment environment_;
};

// Ends a copy that is still running: the end of the session first, a kill if that is slow.
void EndProgram(QProcess& program);
