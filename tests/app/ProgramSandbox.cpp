#include "tests/app/ProgramSandbox.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int StartWaitMs = 10000;
// A later start ends at once; this only bounds a broken one.
constexpr int SecondStartBoundMs = 5000;
// "[기본정보]" and "자동체크=Y" in code page 949.
constexpr char SignedInBefore[] = "[\xb1\xe2\xba\xbb\xc1\xa4\xba\xb8]\r\n"
                                  "\xc0\xda\xb5\xbf\xc3\xbc\xc5\xa9=Y\r\n";

} // namespace

ProgramSandbox::ProgramSandbox() : environment_(QProcessEnvironment::systemEnvironment())
{
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    environment_.insert(QStringLiteral("QUILLANE_PROGRAM_FOLDER"), programFolder_.path());
    environment_.insert(QStringLiteral("QUILLANE_TEMP_DIR"), tempFolder_.path());
    environment_.insert(QStringLiteral("HOME"), home_.path());
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"),
                        home_.filePath(QStringLiteral("config")));
    environment_.insert(QStringLiteral("QUILLANE_SERVICE_HOST"), service_.Host());
    environment_.insert(QStringLiteral("QUILLANE_CONTEST_HOST"), service_.Host());
    // An installed program that has signed in before: a missing local database or the first
    // start's basic-information window would wait for a user. Qt's Korean texts come along, as
    // the build ships them.
    for (const QString& file : {QStringLiteral("Quillane.MDB"), QStringLiteral("qtbase_ko.qm")})
        QFile::copy(QStringLiteral(QUILLANE_PROGRAM_DIR "/") + file, programFolder_.filePath(file));
    QFile settings(programFolder_.filePath(QStringLiteral("quillane.ini")));
    if (settings.open(QIODevice::WriteOnly))
        settings.write(SignedInBefore);
    SetHolidays({});
}

bool ProgramSandbox::SetHolidays(const std::vector<CalendarHoliday>& holidays) const
{
    return SetCalendarHolidays(programFolder_.filePath(QStringLiteral("Quillane.MDB")), holidays);
}

QString ProgramSandbox::ProgramFolder() const
{
    return programFolder_.path() + QStringLiteral("/");
}

void ProgramSandbox::Set(const QString& name, const QString& value)
{
    environment_.insert(name, value);
}

std::unique_ptr<QProcess> ProgramSandbox::Start(const QStringList& arguments) const
{
    auto program = std::make_unique<QProcess>();
    program->setProcessEnvironment(environment_);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    program->start(QStringLiteral(QUILLANE_PROGRAM_DIR "/Quillane"), arguments);
    if (!program->waitForStarted(StartWaitMs))
        return nullptr;
    return program;
}

bool ProgramSandbox::WaitUntilListening(std::chrono::milliseconds bound) const
{
    const QDeadlineTimer deadline(bound);
    const QDir runtime(runtime_.path());
    while (!deadline.hasExpired()) {
        for (const QString& name :
             runtime.entryList({QStringLiteral("quillane-*.socket")}, QDir::System | QDir::Files)) {
            QLocalSocket socket;
            socket.connectToServer(runtime.filePath(name));
            if (socket.waitForConnected(200))
                return true;
        }
        QThread::msleep(50);
    }
    return false;
}

void ProgramSandbox::ExpectSecondStartEnds(const QStringList& arguments) const
{
    const std::unique_ptr<QProcess> second = Start(arguments);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(second->waitForFinished(SecondStartBoundMs)) << "a later start must end at once";
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
}

bool SetCalendarHolidays(const QString& database, const std::vector<CalendarHoliday>& holidays)
{
    const QString connection = QStringLiteral("sandbox-calendar");
    bool written = false;
    {
        QSqlDatabase calendar = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        calendar.setDatabaseName(database);
        QSqlQuery query(calendar);
        written = calendar.open() && query.exec(QStringLiteral("DELETE FROM HOLIDAY"));
        for (const CalendarHoliday& holiday : holidays) {
            query.prepare(QStringLiteral("INSERT INTO HOLIDAY (H_DAY, H_NAME, H_GUBUN) "
                                         "VALUES (?, ?, ?)"));
            query.addBindValue(holiday.day);
            query.addBindValue(holiday.name);
            query.addBindValue(holiday.kind);
            written = written && query.exec();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return written;
}

void EndProgram(QProcess& program)
{
    if (program.state() == QProcess::NotRunning)
        return;
    program.terminate();
    if (!program.waitForFinished(StartWaitMs)) {
        program.kill();
        program.waitForFinished(StartWaitMs);
    }
}
