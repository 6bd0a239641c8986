#include "core/settings/Settings.h"
#include "tests/app/ProgramOnScreen.h"
#include "tests/app/XvfbDisplay.h"
#include "tests/update/TestSigning.h"
#include "tests/update/UpdateFixture.h"

#include <QLockFile>
#include <QProcess>
#include <QStringEncoder>
#include <QThread>
#include <csignal>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr int HandOverBoundMs = 30000;
const QString Installed = QStringLiteral("52");

// The real program (built with the tests' key) installed in a folder of its own, version 52,
// signed in before as the service's demo owner at the check computer; the real service offers
// the update, signed with the tests' key; an X server of the test's own shows the windows.
class UpdateEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        ASSERT_TRUE(screen.Started()) << "Xvfb did not start";
        ASSERT_TRUE(service.Started()) << "quillane-service did not answer";
        QDir().mkpath(Path("runtime"));
        QFile::setPermissions(Path("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(Program(""));
        Install(QStringLiteral(QUILLANE_TEST_KEY_PROGRAM), "Quillane", 0755);
        Install(QStringLiteral(QUILLANE_PROGRAM_DIR "/Quillane.MDB"), "Quillane.MDB", 0644);
        const QString settings = Program("quillane.ini");
        const QString basic = QStringLiteral("기본정보");
        WriteDemoOwner(settings);
        WriteIniString(settings, basic, QStringLiteral("자동체크"), QStringLiteral("Y"));
        WriteIniString(settings, QStringLiteral("버전정보"), QStringLiteral("버전"), Installed);
    }

    void TearDown() override
    {
        if (program)
            EndProgramProcess(*program);
        EndRunningProgram();
    }

    QString Path(const QString& name) const { return root.filePath(name); }
    QString Program(const QString& name) const { return root.filePath("Quillane/" + name); }

    void Install(const QString& from, const QString& name, int mode)
    {
        QFile::remove(Program(name));
        ASSERT_TRUE(QFile::copy(from, Program(name))) << name.toStdString();
        QFile::setPermissions(Program(name),
                              mode == 0755 ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                           : QFile::ReadOwner | QFile::WriteOwner);
    }

    // Puts the version file and the package into the service's update folder, with the
    // signature file for the package as it is when the program starts.
    void Offer(const QString& version, const std::vector<PackageEntry>& package)
    {
        QStringEncoder cp949("windows-949");
        WriteFile(Offered("QUILLANE_Version.INI"),
                  cp949(QStringLiteral("[버전정보]\r\n버전=") + version + "\r\n"));
        ASSERT_TRUE(WritePackage(Offered("QUILLANE_UPDATE.ZIP"), package));
        offeredVersion = version.toLongLong();
    }
    void SignOffered()
    {
        if (QFile::exists(Offered("QUILLANE_UPDATE.ZIP")) &&
            !QFile::exists(Offered("QUILLANE_UPDATE.sig")))
            WriteFile(Offered("QUILLANE_UPDATE.sig"),
                      TestSignatureFor(ReadFile(Offered("QUILLANE_UPDATE.ZIP")), offeredVersion));
    }
    QString Offered(const QString& name) const { return service.UpdateFolder() + u'/' + name; }

    std::vector<PackageEntry> NewVersion() const
    {
        return {{"Quillane_UP.EXE",
                 ReadFile(QStringLiteral(QUILLANE_TEST_KEY_UPDATER)).toStdString(), 0100755},
                {"marker.txt", "version 53"}};
    }

    std::unique_ptr<QProcess> Start()
    {
        SignOffered();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QUILLANE_PROGRAM_FOLDER"));
        environment.insert(QStringLiteral("DISPLAY"), screen.Display());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), Path("runtime"));
        environment.insert(QStringLiteral("QUILLANE_TEMP_DIR"), Path("Temp"));
        environment.insert(QStringLiteral("QUILLANE_UPDATE_DIR"), Path("update"));
        environment.insert(QStringLiteral("HOME"), Path("home"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Path("home/config"));
        environment.insert(QStringLiteral("QUILLANE_SERVICE_HOST"), serviceHost);
        environment.insert(QStringLiteral("QUILLANE_CONTEST_HOST"), service.Host());
        auto started = std::make_unique<QProcess>();
        started->setProcessEnvironment(environment);
        started->setProcessChannelMode(QProcess::ForwardedChannels);
        started->start(Program("Quillane"), {});
        return started->waitForStarted(10000) ? std::move(started) : nullptr;
    }

    std::size_t SignIns() const
    {
        return PostedBodies(service.Requests(), QStringLiteral("ComCheck2.asp")).size();
    }
    bool Asked(const QString& target) const
    {
        for (const StoredRequest& request : service.Requests())
            if (request.target == target)
                return true;
        return false;
    }

    // Confirms the message box of that title with Enter.
    bool Confirm(const QString& title)
    {
        QStringList windows;
        if (!WaitFor([&] {
                return !(windows = screen.VisibleWindows(program->processId(), "^" + title + "$"))
                            .isEmpty();
            }))
            return false;
        screen.Xdotool({"windowfocus", "--sync", windows.front()});
        screen.Xdotool({"key", "--window", windows.front(), "Return"});
        return true;
    }

    // The process id of the copy that holds the program's lock, 0 when none does.
    qint64 RunningProgram() const
    {
        QLockFile lock(Path("runtime") + QStringLiteral("/quillane-%1.lock").arg(getuid()));
        qint64 pid = 0;
        QString host;
        QString application;
        if (lock.getLockInfo(&pid, &host, &application) && kill(pid_t(pid), 0) == 0)
            return pid;
        return 0;
    }

    void EndRunningProgram()
    {
        const qint64 pid = RunningProgram();
        if (pid == 0)
            return;
        kill(pid_t(pid), SIGTERM);
        if (!WaitFor([pid] { return kill(pid_t(pid), 0) != 0; }, std::chrono::seconds(10)))
            kill(pid_t(pid), SIGKILL);
    }

    static void EndProgramProcess(QProcess& process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(10000))
            process.kill();
        process.waitForFinished(5000);
    }

    std::map<QString, QByteArray> ProgramFolder() const { return Snapshot(Program("")); }
    QString RecordedVersion() const
    {
        return ReadIniString(Program("quillane.ini"), "버전정보", "버전", {});
    }

    XvfbDisplay screen{1024, 768};
    ReferenceService service;
    QTemporaryDir root;
    QString serviceHost = service.Host();
    std::unique_ptr<QProcess> program;
    qint64 offeredVersion = 0;
};

TEST_F(UpdateEndToEnd, ANewerVersionReplacesTheFilesAndTheProgramSignsInAgain)
{
    Offer("53", NewVersion());

    program = Start();
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(WaitFor([&] {
        for (const QString& window : screen.VisibleWindows(program->processId(), ".*")) {
            const QString geometry = screen.Xdotool({"getwindowgeometry", window});
            if (geometry.contains("Position: 228,364") && geometry.contains("Geometry: 567x40"))
                return true;
        }
        return false;
    })) << "the progress strip shows in the screen's centre while the package comes";
    ASSERT_TRUE(program->waitForFinished(HandOverBoundMs)) << "the old version hands over and ends";
    program.reset();

    ASSERT_TRUE(service.WaitUntil([](const std::vector<StoredRequest>& requests) {
        return !PostedBodies(requests, QStringLiteral("ComCheck2.asp")).empty();
    })) << "the program started again and signed in";
    EXPECT_EQ(SignIns(), 1u) << "the old version never signed in";
    EXPECT_NE(RunningProgram(), 0);
    EXPECT_EQ(ReadFile(Program("marker.txt")), "version 53");
    EXPECT_TRUE(QFileInfo(Program("Quillane_UP.EXE")).isExecutable());
    EXPECT_TRUE(WaitFor([&] { return RecordedVersion() == "53"; }))
        << "the new version's start records it";
    EXPECT_FALSE(QFileInfo::exists(Path("update/backup"))) << "and removes the backup";
    EXPECT_FALSE(QFileInfo::exists(Path("update/swap.journal")));
    EXPECT_THAT(QDir(Path("Temp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                ::testing::IsEmpty())
        << "the shared temporary folder is never written";
}

// The update stops before anything is replaced; the message box (if any) is confirmed with Enter
// and the old version goes on to sign in.
struct Refusal
{
    const char* name;
    std::function<void(UpdateEndToEnd&)> arrange;
    const char* message; // the title of the message box to confirm, "" for none
};

class UpdateRefused : public UpdateEndToEnd, public ::testing::WithParamInterface<Refusal>
{
public:
    using UpdateEndToEnd::NewVersion;
    using UpdateEndToEnd::Offer;
    using UpdateEndToEnd::Offered;
    using UpdateEndToEnd::SignOffered;
    QString& ServiceHost() { return serviceHost; }
};

TEST_P(UpdateRefused, TheOldVersionGoesOnAndTheProgramFolderStaysAsItWas)
{
    GetParam().arrange(*this);
    const std::map<QString, QByteArray> before = ProgramFolder();

    program = Start();
    ASSERT_NE(program, nullptr);
    if (*GetParam().message) {
        ASSERT_TRUE(Confirm(QString::fromUtf8(GetParam().message)));
    }

    if (serviceHost == service.Host()) {
        ASSERT_TRUE(service.WaitUntil([](const std::vector<StoredRequest>& requests) {
            return !PostedBodies(requests, QStringLiteral("ComCheck2.asp")).empty();
        })) << "the old version signs in";
    } else {
        QThread::msleep(3000);
    }
    EXPECT_EQ(program->state(), QProcess::Running);
    EXPECT_EQ(RunningProgram(), program->processId());
    EXPECT_EQ(ProgramFolder(), before);
    EXPECT_FALSE(QFileInfo::exists(Path("update/staging")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateRefused,
    ::testing::Values(Refusal{"TruncatedPackage",
                              [](UpdateEndToEnd& test) {
                                  auto& refused = static_cast<UpdateRefused&>(test);
                                  refused.Offer("53", refused.NewVersion());
                                  QFile package(refused.Offered("QUILLANE_UPDATE.ZIP"));
                                  package.resize(package.size() / 2);
                                  refused.SignOffered();
                              },
                              "ERRORS"},
                      Refusal{"ClimbingEntryAndLink",
                              [](UpdateEndToEnd& test) {
                                  auto& refused = static_cast<UpdateRefused&>(test);
                                  std::vector<PackageEntry> package = refused.NewVersion();
                                  package.push_back({"../../climbed.txt", "x"});
                                  package.push_back({"Quillane.MDB", "/etc/passwd", 0120777});
                                  refused.Offer("53", package);
                              },
                              "ERRORS"},
                      Refusal{"EqualVersions",
                              [](UpdateEndToEnd& test) {
                                  auto& refused = static_cast<UpdateRefused&>(test);
                                  refused.Offer("52", refused.NewVersion());
                              },
                              ""},
                      Refusal{"ListOfOneLine",
                              [](UpdateEndToEnd& test) {
                                  auto& refused = static_cast<UpdateRefused&>(test);
                                  refused.Offer("53", refused.NewVersion());
                                  QFile::remove(refused.Offered("QUILLANE_UPDATE.ZIP"));
                              },
                              ""},
                      Refusal{"UnreachableService",
                              [](UpdateEndToEnd& test) {
                                  auto& refused = static_cast<UpdateRefused&>(test);
                                  refused.Offer("53", refused.NewVersion());
                                  refused.ServiceHost() = QStringLiteral("127.0.0.1:9");
                              },
                              ""}),
    [](const ::testing::TestParamInfo<Refusal>& param) { return std::string(param.param.name); });

// The updater cannot put a file in place of a folder: nothing is swapped, the old version starts
// again and signs in, and the version stays as it was, so that the next start tries again.
TEST_F(UpdateEndToEnd, ASwapThatFailsHalfWayLeavesTheOldVersionRunning)
{
    Install(QStringLiteral(QUILLANE_TEST_KEY_UPDATER), "Quillane_UP.EXE", 0755);
    WriteFile(Program("zz_blocked/inside.txt"), "a folder where the package brings a file");
    std::vector<PackageEntry> package = NewVersion();
    package.push_back({"zz_blocked", "new"});
    Offer("53", package);
    std::map<QString, QByteArray> before = ProgramFolder();
    before.erase(QStringLiteral("quillane.ini"));

    program = Start();
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(program->waitForFinished(HandOverBoundMs)) << "the old version hands over and ends";
    program.reset();

    ASSERT_TRUE(service.WaitUntil([](const std::vector<StoredRequest>& requests) {
        return !PostedBodies(requests, QStringLiteral("ComCheck2.asp")).empty();
    })) << "the old version started again and signed in";
    EXPECT_NE(RunningProgram(), 0);
    std::map<QString, QByteArray> after = ProgramFolder();
    after.erase(QStringLiteral("quillane.ini"));
    EXPECT_EQ(after, before);
    EXPECT_EQ(RecordedVersion(), Installed);
}

// A package signed with another key: the program says so, the message is confirmed, and the
// old version goes on as it was.
TEST_F(UpdateEndToEnd, APackageSignedWithAnotherKeyIsRefused)
{
    Offer("53", NewVersion());
    QProcess release;
    release.start(QStringLiteral("bash"),
                  {QStringLiteral(QUILLANE_SOURCE_DIR "/scripts/update-release.sh"), "keygen",
                   Path("forger.pem")});
    ASSERT_TRUE(release.waitForFinished(20000));
    release.start(QStringLiteral("bash"),
                  {QStringLiteral(QUILLANE_SOURCE_DIR "/scripts/update-release.sh"), "sign",
                   Path("forger.pem"), Offered("QUILLANE_UPDATE.ZIP"), "53",
                   Offered("QUILLANE_UPDATE.sig")});
    ASSERT_TRUE(release.waitForFinished(20000));
    ASSERT_EQ(release.exitCode(), 0);
    const std::map<QString, QByteArray> before = ProgramFolder();

    program = Start();
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(Confirm(QStringLiteral("경고")));

    ASSERT_TRUE(service.WaitUntil([](const std::vector<StoredRequest>& requests) {
        return !PostedBodies(requests, QStringLiteral("ComCheck2.asp")).empty();
    })) << "the old version signs in";
    EXPECT_EQ(RunningProgram(), program->processId());
    EXPECT_EQ(ProgramFolder(), before);
    EXPECT_FALSE(QFile::exists(Program("marker.txt"))) << "nothing installed";
}

} // namespace
