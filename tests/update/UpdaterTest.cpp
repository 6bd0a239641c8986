#include "FileSwap.h"
#include "PackageFiles.h"
#include "UpdateFixture.h"
#include "UpdateStaging.h"

#include <QDeadlineTimer>
#include <QLockFile>
#include <QProcess>
#include <QThread>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

// An installation beside its temporary folder: root/Quillane is the program folder,
// root/Quillane.update the staging folder, root/Temp the temporary folder.
class Installation : public ::testing::Test
{
public:
    void SetUp() override
    {
        WriteFile(Program("Quillane"), "old program", ExecutableMode);
        WriteFile(Program("Quillane.MDB"), "old database");
        WriteFile(Program("quillane.ini"), "[settings]");
        WriteFile(Program("Quillane_UP.EXE"), "old updater", ExecutableMode);
        QDir().mkpath(Temp(""));
        QFile::setPermissions(Temp(""), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString Program(const QString& name) const { return root.filePath("Quillane/" + name); }
    QString Temp(const QString& name) const { return root.filePath("Temp/" + name); }
    QString ProgramFolder() const { return root.filePath(QStringLiteral("Quillane/")); }
    std::map<QString, QByteArray> Outside() const
    {
        return Snapshot(root.path(), {QStringLiteral("Temp"), QStringLiteral("Quillane.update"),
                                      QStringLiteral("started.txt")});
    }

    static constexpr QFile::Permissions ExecutableMode =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QTemporaryDir root;
};

TEST_F(Installation, TheNewFilesReplaceTheOldOnesWhichWaitInTheBackup)
{
    WriteFile(Temp("QUILLANE"), "new program", ExecutableMode);
    WriteFile(Temp("marker.txt"), "new file");

    ASSERT_TRUE(SwapIn({"QUILLANE", "marker.txt"}, Temp(""), ProgramFolder()));

    EXPECT_EQ(ReadFile(Program("Quillane")), "new program") << "the installed name is kept";
    EXPECT_FALSE(QFile::exists(Program("QUILLANE")));
    EXPECT_TRUE(QFileInfo(Program("Quillane")).isExecutable());
    EXPECT_EQ(ReadFile(Program("marker.txt")), "new file");
    EXPECT_EQ(ReadFile(Program("Quillane.MDB")), "old database");
    EXPECT_EQ(ReadFile(BackupFolder(ProgramFolder()) + "/QUILLANE"), "old program");
    EXPECT_FALSE(QDir(StagedFilesFolder(ProgramFolder())).exists());

    RemoveUpdateBackup(ProgramFolder());
    EXPECT_FALSE(QDir(StagingFolder(ProgramFolder())).exists());
}

// A folder or a link at a name cannot be replaced: the files swapped before it go back, and
// nothing but the staging folder was written.
TEST_F(Installation, ASwapThatFailsHalfWayLeavesTheProgramFolderAsItWas)
{
    const QString blockers[] = {QStringLiteral("folder"), QStringLiteral("link")};
    for (const QString& blocker : blockers) {
        SCOPED_TRACE(blocker.toStdString());
        if (blocker == u"folder")
            WriteFile(Program("zz_blocked/inside.txt"), "kept");
        else
            QFile::link(Program("Quillane.MDB"), Program("zz_blocked"));
        WriteFile(Temp("Quillane"), "new program", ExecutableMode);
        WriteFile(Temp("a_new_file"), "new file");
        WriteFile(Temp("zz_blocked"), "new file");
        const std::map<QString, QByteArray> before = Outside();

        EXPECT_FALSE(SwapIn({"Quillane", "a_new_file", "zz_blocked"}, Temp(""), ProgramFolder()));

        EXPECT_EQ(Outside(), before);
        RemoveUpdateBackup(ProgramFolder());
        EXPECT_FALSE(QDir(StagingFolder(ProgramFolder())).exists());
        QDir(Program("zz_blocked")).removeRecursively();
        QFile::remove(Program("zz_blocked"));
    }
}

TEST(PackageFilesOf, TopLevelFilesOfASafePackageAndNothingOfAHostileOne)
{
    QTemporaryDir folder;
    const QString package = folder.filePath(QStringLiteral("QUILLANE_UPDATE.ZIP"));
    const struct
    {
        const char* name;
        std::vector<PackageEntry> entries;
        std::optional<QStringList> files;
    } cases[] = {
        {"plain",
         {{"Quillane", "p"}, {"docs/", "", 040755}, {"docs/a.txt", "a"}, {"b", "b"}},
         QStringList{"Quillane", "b"}},
        {"climbing", {{"Quillane", "p"}, {"../escape", "x"}}, std::nullopt},
        {"climbing inside a folder", {{"a/../../escape", "x"}}, std::nullopt},
        {"absolute", {{"/etc/escape", "x"}}, std::nullopt},
        {"link", {{"Quillane", "p"}, {"link", "/etc/passwd", 0120777}}, std::nullopt},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(WritePackage(package, test.entries));
        EXPECT_EQ(PackageFiles(package), test.files);
    }
    WriteFile(package, "not a package");
    EXPECT_EQ(PackageFiles(package), std::nullopt);
}

// The real updater, started as the program starts it, with a stand-in program that notes its
// start.
class RealUpdater : public Installation
{
public:
    void SetUp() override
    {
        Installation::SetUp();
        WriteFile(Program("Quillane"),
                  "#!/bin/sh\necho started >> \"$(dirname \"$0\")/../started.txt\"\n",
                  ExecutableMode);
        QFile::remove(Program("Quillane_UP.EXE"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLANE_PROGRAM_DIR "/Quillane_UP.EXE"),
                                Program("Quillane_UP.EXE")));
        ASSERT_TRUE(WritePackage(Temp("QUILLANE_UPDATE.ZIP"),
                                 {{"marker.txt", "new file"}, {"quillane.ini", "[replaced]"}}));
        WriteFile(Temp("marker.txt"), "new file");
        WriteFile(Temp("quillane.ini"), "[replaced]");
        WriteFile(Temp("left_from_before.txt"), "not in the package");
    }

    int RunUpdater()
    {
        QProcess updater;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("QUILLANE_TEMP_DIR"), Temp(""));
        environment.remove(QStringLiteral("QUILLANE_PROGRAM_FOLDER"));
        updater.setProcessEnvironment(environment);
        updater.setProcessChannelMode(QProcess::ForwardedChannels);
        updater.start(Program("Quillane_UP.EXE"), {});
        return updater.waitForFinished(20000) ? updater.exitCode() : -1;
    }

    // The stand-in program's start shows in started.txt.
    bool ProgramStarted(int boundMs = 5000)
    {
        const QDeadlineTimer deadline(boundMs);
        while (!deadline.hasExpired() && !QFile::exists(root.filePath("started.txt")))
            QThread::msleep(20);
        return QFile::exists(root.filePath("started.txt"));
    }

    QTemporaryDir runtime;
};

TEST_F(RealUpdater, ReplacesOnlyThePackagesFilesButTheSettingsAndStartsTheProgram)
{
    EXPECT_EQ(RunUpdater(), 0);

    EXPECT_TRUE(ProgramStarted());
    EXPECT_EQ(ReadFile(Program("marker.txt")), "new file");
    EXPECT_EQ(ReadFile(Program("quillane.ini")), "[settings]");
    EXPECT_FALSE(QFile::exists(Program("left_from_before.txt")));
}

struct Refusal
{
    const char* name;
    std::function<void(RealUpdater&)> arrange;
    bool programStarts;
};

class UpdaterRefusal : public RealUpdater, public ::testing::WithParamInterface<Refusal>
{
public:
    std::unique_ptr<QLockFile> held;
};

TEST_P(UpdaterRefusal, ReplacesNothing)
{
    GetParam().arrange(*this);
    const std::map<QString, QByteArray> before = Outside();

    EXPECT_EQ(RunUpdater(), 1);

    EXPECT_EQ(ProgramStarted(GetParam().programStarts ? 5000 : 500), GetParam().programStarts);
    EXPECT_EQ(Outside(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdaterRefusal,
    ::testing::Values(
        Refusal{"AnotherUpdaterAtWork",
                [](RealUpdater& test) {
                    QDir().mkpath(StagingFolder(test.ProgramFolder()));
                    auto& refusal = static_cast<UpdaterRefusal&>(test);
                    refusal.held =
                        std::make_unique<QLockFile>(UpdaterLockPath(test.ProgramFolder()));
                    refusal.held->lock();
                },
                false},
        Refusal{"TemporaryFolderOpenToOthers",
                [](RealUpdater& test) {
                    QFile::setPermissions(test.Temp(""), QFile::ReadOwner | QFile::WriteOwner |
                                                             QFile::ExeOwner | QFile::ReadOther |
                                                             QFile::WriteOther | QFile::ExeOther);
                },
                true},
        Refusal{"UnreadablePackage",
                [](RealUpdater& test) { WriteFile(test.Temp("QUILLANE_UPDATE.ZIP"), "PK cut"); },
                true}),
    [](const ::testing::TestParamInfo<Refusal>& param) { return std::string(param.param.name); });

} // namespace
