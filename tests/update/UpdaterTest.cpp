#include "tests/update/TestSigning.h"
#include "tests/update/UpdateFixture.h"
#include "update/AddedFiles.h"
#include "update/UpdateFolder.h"
#include "update/UpdateKey.h"
#include "update/UpdatePackage.h"
#include "update/UpdateSwap.h"

#include <QDeadlineTimer>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QThread>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using ::testing::Optional;

constexpr QFile::Permissions ExecutableMode =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions PrivateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr qint64 NewVersion = 53;

// A stand-in program that notes its start in root/started.txt with its version.
std::string ProgramScript(const char* version)
{
    return std::string("#!/bin/sh\necho ") + version + " >> \"$(dirname \"$0\")/../started.txt\"\n";
}

// An installation of version 52 with its update's folder: root/Quillane is the program folder,
// root/update the update's folder, root/runtime the session's runtime folder.
class Installation : public ::testing::Test
{
public:
    void SetUp() override
    {
        WriteFile(Program("Quillane"), QByteArray::fromStdString(ProgramScript("old")),
                  ExecutableMode);
        WriteFile(Program("Quillane.MDB"), "old database");
        WriteFile(Program("Help.mht"), "old manual");
        WriteFile(Program("quillane.ini"), "[settings]");
        ASSERT_TRUE(QDir().mkpath(UpdateFolder()));
        QFile::setPermissions(UpdateFolder(), PrivateFolder);
        QDir().mkpath(root.filePath("runtime"));
        QFile::setPermissions(root.filePath("runtime"), PrivateFolder);
    }

    QString Program(const QString& name) const { return root.filePath("Quillane/" + name); }
    QString ProgramFolder() const { return root.filePath(QStringLiteral("Quillane/")); }
    QString UpdateFolder() const { return root.filePath(QStringLiteral("update")); }
    QString InUpdate(const QString& name) const { return UpdateFolder() + u'/' + name; }
    std::map<QString, QByteArray> Installed() const { return Snapshot(Program("")); }

    // The files of version 53 as the package brings them.
    static std::vector<PackageEntry> NewFiles()
    {
        return {{"Quillane", ProgramScript("new"), 0100755},
                {"Quillane.MDB", "new database"},
                {"Help.mht", "new manual"},
                {"marker.txt", "new file"},
                {"quillane.ini. ", "[replaced through an alias]"}};
    }

    QTemporaryDir root;
};

// The list of added files in UTF-16LE with its byte-order mark, as the uninstaller reads it.
QByteArray AddedFilesList(const QString& text)
{
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return utf16(text);
}

// The swap itself, in this process.
class Swap : public Installation
{
public:
    QByteArray AddedList() const { return ReadFile(Program(AddedFilesListName)); }

    void Stage(const std::vector<PackageEntry>& files)
    {
        QDir().mkpath(StagingFolder(UpdateFolder()));
        for (const PackageEntry& file : files)
            WriteFile(StagingFolder(UpdateFolder()) + u'/' + QString::fromStdString(file.name),
                      QByteArray::fromStdString(file.content), ExecutableMode);
    }
};

TEST_F(Swap, ACommittedSwapWaitsForItsVersionToBeRecordedAndKeepsTheBackup)
{
    Stage({{"QUILLANE", "new program"}, {"marker.txt", "new file"}});

    ASSERT_TRUE(SwapIn({"QUILLANE", "marker.txt"}, NewVersion, ProgramFolder(), UpdateFolder()));

    EXPECT_EQ(ReadFile(Program("Quillane")), "new program") << "the installed name is kept";
    EXPECT_FALSE(QFile::exists(Program("QUILLANE")));
    EXPECT_TRUE(QFileInfo(Program("Quillane")).isExecutable());
    EXPECT_EQ(ReadFile(Program("marker.txt")), "new file");
    EXPECT_EQ(ReadFile(Program("Quillane.MDB")), "old database");
    EXPECT_EQ(ReadFile(BackupFolder(UpdateFolder()) + "/Quillane").toStdString(),
              ProgramScript("old"));
    EXPECT_FALSE(QDir(StagingFolder(UpdateFolder())).exists());
    EXPECT_THAT(RecoverSwap(ProgramFolder(), UpdateFolder()), Optional(NewVersion));
    EXPECT_THAT(RecoverSwap(ProgramFolder(), UpdateFolder()), Optional(NewVersion))
        << "until the version is recorded";
    FinishSwap(UpdateFolder());
    EXPECT_EQ(RecoverSwap(ProgramFolder(), UpdateFolder()), std::nullopt);
    EXPECT_EQ(ReadFile(Program("Quillane")), "new program");
}

// The uninstaller removes what updates added: the files a swap created are listed once, the
// files it replaced never; lines of an existing list that could name anything else are dropped.
TEST_F(Swap, TheFilesASwapCreatesAreListedOnceForTheUninstaller)
{
    WriteFile(Program(AddedFilesListName),
              AddedFilesList(QStringLiteral("old.dll\r\n..\r\n..\\Windows\\win.ini\r\n"
                                            "C:\\evil.dll\r\nsub/file.dll\r\n\r\n*\r\n"
                                            "QUILLA~1.INI\r\nquillane.ini\r\nQUILLANE.INI\r\n"
                                            "quillane.ini.\r\nOLD.DLL\r\n약국.dll")));
    Stage({{"Quillane", "new program"}, {"marker.txt", "new file"}, {"새 파일.dll", "new dll"}});

    ASSERT_TRUE(SwapIn({"Quillane", "marker.txt", "새 파일.dll"}, NewVersion, ProgramFolder(),
                       UpdateFolder()));

    const QByteArray listed =
        AddedFilesList(QStringLiteral("old.dll\r\n약국.dll\r\nmarker.txt\r\n새 파일.dll\r\n"));
    EXPECT_EQ(AddedList(), listed);
    FinishSwap(UpdateFolder());

    // The next version replaces the added file and the program again: nothing new is listed,
    // and the recovery of a committed swap lists nothing twice.
    Stage({{"MARKER.TXT", "newer file"}, {"Quillane", "newer program"}});
    ASSERT_TRUE(
        SwapIn({"MARKER.TXT", "Quillane"}, NewVersion + 1, ProgramFolder(), UpdateFolder()));
    EXPECT_THAT(RecoverSwap(ProgramFolder(), UpdateFolder()), Optional(NewVersion + 1));
    EXPECT_EQ(AddedList(), listed);
}

// The list is only a help for the uninstaller: a list that cannot be read or written leaves the
// update as it is.
TEST_F(Swap, AListThatCannotBeWrittenDoesNotStopTheUpdate)
{
    WriteFile(Program(AddedFilesListName + QStringLiteral("/inside.txt")), "a folder at its name");
    Stage({{"marker.txt", "new file"}});

    EXPECT_TRUE(SwapIn({"marker.txt"}, NewVersion, ProgramFolder(), UpdateFolder()));

    EXPECT_EQ(ReadFile(Program("marker.txt")), "new file");
    EXPECT_EQ(ReadFile(Program(AddedFilesListName + QStringLiteral("/inside.txt"))),
              "a folder at its name");
    EXPECT_FALSE(QFile::exists(Program(AddedFilesListName + QStringLiteral(".part"))));
}

// A folder or a link at a name cannot be replaced: nothing in the program folder changes.
TEST_F(Swap, ANameHeldByAFolderOrALinkFailsTheSwapBeforeAnythingChanges)
{
    for (const char* blocker : {"folder", "link"}) {
        SCOPED_TRACE(blocker);
        if (std::string(blocker) == "folder")
            WriteFile(Program("zz_blocked/inside.txt"), "kept");
        else
            QFile::link(Program("Quillane.MDB"), Program("zz_blocked"));
        Stage({{"Quillane", "new program"}, {"a_new_file", "new"}, {"zz_blocked", "new"}});
        const std::map<QString, QByteArray> before = Installed();

        EXPECT_FALSE(SwapIn({"Quillane", "a_new_file", "zz_blocked"}, NewVersion, ProgramFolder(),
                            UpdateFolder()));

        EXPECT_EQ(Installed(), before);
        EXPECT_EQ(RecoverSwap(ProgramFolder(), UpdateFolder()), std::nullopt);
        QDir(Program("zz_blocked")).removeRecursively();
        QFile::remove(Program("zz_blocked"));
    }
}

// A swap cut off after its first file: the next start puts every file back.
TEST_F(Swap, ASwapCutOffIsPutBackAtTheNextStart)
{
    Stage({{"Quillane", "new program"}, {"Quillane.MDB", "new database"}});
    const std::map<QString, QByteArray> before = Installed();
    ASSERT_TRUE(SwapIn({"Quillane", "Quillane.MDB"}, NewVersion, ProgramFolder(), UpdateFolder()));
    // What a kill before the commit leaves: the journal of a swap under way.
    QFile journal(SwapJournalPath(UpdateFolder()));
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    QByteArray text = journal.readAll();
    journal.close();
    text.replace("state=committed", "state=swapping");
    WriteFile(SwapJournalPath(UpdateFolder()), text);
    WriteFile(Program(".Quillane.MDB.quillane-new"), "half a copy");

    EXPECT_EQ(RecoverSwap(ProgramFolder(), UpdateFolder()), std::nullopt);

    EXPECT_EQ(Installed(), before);
    EXPECT_FALSE(QFile::exists(SwapJournalPath(UpdateFolder())));
}

// The recovery changes no more than the swap may: a journal that names the settings file (or a
// name Windows reads as it), or that is cut short, puts nothing back and removes nothing; the
// journal and the backup stay.
TEST_F(Swap, TheRecoveryRefusesWhatTheSwapRefusesAndAJournalCutShortChangesNothing)
{
    const QByteArray whole = "state=swapping\nversion=53\nfiles=2\n"
                             "file=Quillane\t1\nfile=Quillane.MDB\t1\n";
    const struct
    {
        const char* name;
        QByteArray journal;
    } cases[] = {
        {"the settings file put back from the backup",
         "state=swapping\nversion=53\nfiles=1\nfile=quillane.ini\t1\n"},
        {"the settings file removed as new",
         "state=swapping\nversion=53\nfiles=1\nfile=quillane.ini\t0\n"},
        {"the settings file in other letters",
         "state=swapping\nversion=53\nfiles=1\nfile=QUILLANE.INI\t0\n"},
        {"the settings file with a trailing dot",
         "state=swapping\nversion=53\nfiles=1\nfile=quillane.ini.\t0\n"},
        {"the settings file's short name",
         "state=swapping\nversion=53\nfiles=1\nfile=QUILLA~1.INI\t0\n"},
        {"a file outside the folder", "state=swapping\nversion=53\nfiles=1\nfile=..\t0\n"},
        {"cut at a line break", whole.left(whole.indexOf("file=Quillane.MDB"))},
        {"cut within a line", whole.left(whole.size() - 4)},
        {"cut without its last line break", whole.chopped(1)},
        {"cut before its files", "state=swapping\nversion=53\n"},
        {"cut within its count", "state=swapping\nversion=53\nfil"},
    };
    WriteFile(Program("Quillane"), "new program");
    WriteFile(Program("Quillane.MDB"), "new database");
    WriteFile(BackupFolder(UpdateFolder()) + "/Quillane", "old program");
    WriteFile(BackupFolder(UpdateFolder()) + "/Quillane.MDB", "old database");
    WriteFile(BackupFolder(UpdateFolder()) + "/quillane.ini", "[an older registration]");
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        WriteFile(SwapJournalPath(UpdateFolder()), test.journal);
        const std::map<QString, QByteArray> before = Snapshot(root.path());

        EXPECT_EQ(RecoverSwap(ProgramFolder(), UpdateFolder()), std::nullopt);

        EXPECT_EQ(Snapshot(root.path()), before);
        EXPECT_TRUE(SwapPending(UpdateFolder()));
    }
}

// The swap of the earlier updater wrote no count of its files; its journal is still recovered.
TEST_F(Swap, AJournalOfTheEarlierUpdaterIsStillRecovered)
{
    const std::map<QString, QByteArray> before = Installed();
    WriteFile(BackupFolder(UpdateFolder()) + "/Quillane", ReadFile(Program("Quillane")));
    WriteFile(Program("Quillane"), "new program");
    WriteFile(Program("marker.txt"), "new file");
    WriteFile(SwapJournalPath(UpdateFolder()),
              "state=swapping\nversion=53\nfile=Quillane\t1\nfile=marker.txt\t0\n");

    EXPECT_EQ(RecoverSwap(ProgramFolder(), UpdateFolder()), std::nullopt);
    EXPECT_EQ(Installed(), before);
    EXPECT_FALSE(SwapPending(UpdateFolder()));

    WriteFile(SwapJournalPath(UpdateFolder()), "state=committed\nversion=53\nfile=Quillane\t1\n");
    EXPECT_THAT(RecoverSwap(ProgramFolder(), UpdateFolder()), Optional(NewVersion));
}

// With a key, only the signature of exactly these bytes names the version; a build that takes
// unsigned packages goes by the version the program handed over.
TEST_F(Installation, TheVersionOfAPackageIsTheOneVouchedFor)
{
    const QByteArray package = "PK package bytes";
    const QByteArray key = UpdatePublicKey();
    const struct
    {
        const char* name;
        QByteArray signature; // empty: no signature file
        QByteArray handover;  // empty: none
        QByteArray key;
        std::optional<qint64> version;
    } cases[] = {
        {"signed", TestSignatureFor(package, 53), "54", key, 53},
        {"signed for other bytes", TestSignatureFor("other", 53), "53", key, std::nullopt},
        {"unsigned with a key", {}, "53", key, std::nullopt},
        {"unsigned build", {}, "53", {}, 53},
        {"unsigned build without a hand-over", {}, {}, {}, std::nullopt},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        QFile::remove(InUpdate(SignatureFileName));
        QFile::remove(InUpdate(HandoverFileName));
        if (!test.signature.isEmpty())
            WriteFile(InUpdate(SignatureFileName), test.signature);
        if (!test.handover.isEmpty())
            WriteFile(InUpdate(HandoverFileName), test.handover);

        EXPECT_EQ(VouchedVersion(package, UpdateFolder(), test.key), test.version);
    }
}

// The real updater built with the test key, started as the program starts it.
class RealUpdater : public Installation
{
public:
    void SetUp() override
    {
        Installation::SetUp();
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(QUILLANE_TEST_KEY_UPDATER), Program("Quillane_UP.EXE")));
        OfferPackage(NewFiles(), NewVersion);
    }

    // Puts the package, its signature for the version and the version handed over into the
    // update's folder, as the program leaves them.
    void OfferPackage(const std::vector<PackageEntry>& files, qint64 version)
    {
        ASSERT_TRUE(WritePackage(InUpdate(PackageFileName), files));
        WriteFile(InUpdate(SignatureFileName),
                  TestSignatureFor(ReadFile(InUpdate(PackageFileName)), version));
        WriteFile(InUpdate(HandoverFileName), QByteArray::number(version));
    }

    QStringList UpdaterCommand() const { return {Program("Quillane_UP.EXE")}; }

    // Runs the updater, under the command's prefix (a tracer), and answers its exit code, or -1
    // when a signal ended it.
    int RunUpdater(const QStringList& prefix = {})
    {
        QProcess updater;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath("runtime"));
        environment.insert(QStringLiteral("QUILLANE_UPDATE_DIR"), UpdateFolder());
        environment.remove(QStringLiteral("QUILLANE_PROGRAM_FOLDER"));
        updater.setProcessEnvironment(environment);
        updater.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const QStringList command = prefix + UpdaterCommand();
        updater.start(command.front(), command.mid(1));
        if (!updater.waitForFinished(20000))
            return -2;
        return updater.exitStatus() == QProcess::NormalExit && updater.exitCode() < 128
                   ? updater.exitCode()
                   : -1;
    }

    // The version whose stand-in program started ("" when none did within the bound).
    QByteArray StartedProgram(int boundMs = 5000)
    {
        const QString started = root.filePath("started.txt");
        const QDeadlineTimer deadline(boundMs);
        while (!deadline.hasExpired() && ReadFile(started).isEmpty())
            QThread::msleep(10);
        const QByteArray version = ReadFile(started).trimmed();
        QFile::remove(started);
        return version;
    }

    std::map<QString, QByteArray> NewInstallation() const
    {
        std::map<QString, QByteArray> files = oldInstallation;
        for (const PackageEntry& file : NewFiles())
            if (file.name != "quillane.ini. ")
                files[QString::fromStdString(file.name)] = QByteArray::fromStdString(file.content);
        files[AddedFilesListName] = AddedFilesList(QStringLiteral("marker.txt\r\n"));
        return files;
    }

    std::map<QString, QByteArray> oldInstallation;
};

TEST_F(RealUpdater, InstallsTheCheckedPackageButNeverTheSettingsAndStartsTheNewVersion)
{
    oldInstallation = Installed();
    WriteFile(root.filePath("documents/letter.txt"), "the pharmacist's own file");
    ASSERT_TRUE(QFile::link(root.filePath("documents"), StagingFolder(UpdateFolder())))
        << "a link planted where the updater stages the files";

    EXPECT_EQ(RunUpdater(), 0);

    EXPECT_EQ(StartedProgram(), "new");
    EXPECT_EQ(ReadFile(root.filePath("documents/letter.txt")), "the pharmacist's own file");
    EXPECT_EQ(Installed(), NewInstallation());
    EXPECT_EQ(ReadFile(Program("quillane.ini")), "[settings]");
    EXPECT_THAT(RecoverSwap(ProgramFolder(), UpdateFolder()), Optional(NewVersion))
        << "the program records the version at its start";
    EXPECT_FALSE(QFileInfo::exists(StagingFolder(UpdateFolder())));
}

// What an attacker could put in the way. The old version starts again (unless another updater is
// at work), the program folder is as it was, and nothing outside the update's folder changes.
struct Hostile
{
    const char* name;
    std::function<void(RealUpdater&)> arrange;
    bool programStarts = true;
};

class UpdaterAgainstHostile : public RealUpdater, public ::testing::WithParamInterface<Hostile>
{
public:
    std::unique_ptr<QLockFile> held;
};

TEST_P(UpdaterAgainstHostile, ReplacesNothing)
{
    WriteFile(root.filePath("documents/letter.txt"), "the pharmacist's own file");
    GetParam().arrange(*this);
    const std::map<QString, QByteArray> before = Installed();

    EXPECT_NE(RunUpdater(), 0);

    EXPECT_EQ(StartedProgram(GetParam().programStarts ? 5000 : 300),
              GetParam().programStarts ? "old" : "");
    EXPECT_EQ(Installed(), before);
    EXPECT_EQ(ReadFile(root.filePath("documents/letter.txt")), "the pharmacist's own file");
    EXPECT_EQ(RecoverSwap(ProgramFolder(), UpdateFolder()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdaterAgainstHostile,
    ::testing::Values(
        Hostile{"AnotherUpdaterAtWork",
                [](RealUpdater& test) {
                    auto& hostile = static_cast<UpdaterAgainstHostile&>(test);
                    hostile.held =
                        std::make_unique<QLockFile>(UpdaterLockPath(test.UpdateFolder()));
                    hostile.held->lock();
                },
                false},
        Hostile{"UpdateFolderOpenToOthers",
                [](RealUpdater& test) {
                    QFile::setPermissions(test.UpdateFolder(),
                                          PrivateFolder | QFile::WriteGroup | QFile::ExeGroup |
                                              QFile::WriteOther | QFile::ExeOther);
                }},
        Hostile{"UpdateFolderIsALink",
                [](RealUpdater& test) {
                    const QString real = test.root.filePath("elsewhere");
                    QDir().rename(test.UpdateFolder(), real);
                    QFile::link(real, test.UpdateFolder());
                }},
        Hostile{"UnsignedPackage",
                [](RealUpdater& test) { QFile::remove(test.InUpdate(SignatureFileName)); }},
        Hostile{"SignatureOfOtherBytes",
                [](RealUpdater& test) {
                    const QByteArray signature = ReadFile(test.InUpdate(SignatureFileName));
                    std::vector<PackageEntry> files = RealUpdater::NewFiles();
                    files.push_back({"evil.sh", "#!/bin/sh\n", 0100755});
                    test.OfferPackage(files, NewVersion);
                    WriteFile(test.InUpdate(SignatureFileName), signature);
                }},
        Hostile{"UnreadablePackage",
                [](RealUpdater& test) {
                    WriteFile(test.InUpdate(PackageFileName), "PK cut");
                    WriteFile(test.InUpdate(SignatureFileName),
                              TestSignatureFor("PK cut", NewVersion));
                }},
        Hostile{"PackageNotNewerThanTheRecordedVersion",
                [](RealUpdater& test) {
                    QStringEncoder cp949("windows-949");
                    WriteFile(test.Program("quillane.ini"),
                              cp949(QStringLiteral("[버전정보]\r\n버전=54\r\n")));
                }},
        Hostile{"PackageOlderThanTheUpdater",
                [](RealUpdater& test) { test.OfferPackage(RealUpdater::NewFiles(), 51); }},
        Hostile{"ProgramFolderOpenToOthers",
                [](RealUpdater& test) {
                    QFile::setPermissions(test.Program(""), PrivateFolder | QFile::ReadOther |
                                                                QFile::WriteOther |
                                                                QFile::ExeOther);
                }},
        Hostile{
            "ShortNameOfTheSettingsFile",
            [](RealUpdater& test) {
                test.OfferPackage({{"Quillane", "x"}, {"QUILLA~1.INI", "[replaced]"}}, NewVersion);
            }}),
    [](const ::testing::TestParamInfo<Hostile>& param) { return std::string(param.param.name); });

// A rollback that cannot finish (on Windows a file held by a scanner or a running program; here a
// folder where the put-back copy goes) keeps its journal and backup. A new hand-over then swaps
// nothing, so the backup keeps the old bytes, and once the file is free the next start puts the
// old version back whole.
TEST_F(RealUpdater, AnUnfinishedRollbackKeepsItsBackupThroughANewHandOver)
{
    oldInstallation = Installed();
    const QStringList replaced = {"Quillane", "Quillane.MDB", "Help.mht"};
    for (const PackageEntry& file : NewFiles())
        if (replaced.contains(QString::fromStdString(file.name)))
            WriteFile(StagingFolder(UpdateFolder()) + u'/' + QString::fromStdString(file.name),
                      QByteArray::fromStdString(file.content), ExecutableMode);
    ASSERT_TRUE(SwapIn(replaced, NewVersion, ProgramFolder(), UpdateFolder()));
    QByteArray journal = ReadFile(SwapJournalPath(UpdateFolder()));
    journal.replace("state=committed", "state=swapping");
    WriteFile(SwapJournalPath(UpdateFolder()), journal);
    WriteFile(Program(".Quillane.MDB.quillane-new/held"), "in the way");
    const std::map<QString, QByteArray> backup = Snapshot(BackupFolder(UpdateFolder()));
    EXPECT_EQ(backup.at("Quillane.MDB"), "old database");

    EXPECT_EQ(RecoverSwap(ProgramFolder(), UpdateFolder()), std::nullopt);
    EXPECT_TRUE(SwapPending(UpdateFolder())) << "the rollback could not finish";
    OfferPackage(NewFiles(), NewVersion + 1);
    EXPECT_EQ(RunUpdater(), 1);
    StartedProgram();

    EXPECT_EQ(Snapshot(BackupFolder(UpdateFolder())), backup);
    EXPECT_EQ(ReadFile(SwapJournalPath(UpdateFolder())), journal);
    QDir(Program(".Quillane.MDB.quillane-new")).removeRecursively();
    EXPECT_EQ(RecoverSwap(ProgramFolder(), UpdateFolder()), std::nullopt);
    EXPECT_FALSE(SwapPending(UpdateFolder()));
    EXPECT_EQ(Installed(), oldInstallation);
}

TEST_F(RealUpdater, AFailedUpdaterTellsTheProgramNotToHandOverAtOnceAgain)
{
    WriteFile(Program("zz_blocked/inside.txt"), "a folder where the package brings a file");
    std::vector<PackageEntry> files = NewFiles();
    files.push_back({"zz_blocked", "new"});
    OfferPackage(files, NewVersion);

    EXPECT_EQ(RunUpdater(), 1);

    EXPECT_EQ(StartedProgram(), "old");
    EXPECT_EQ(ReadFile(InUpdate(FailedFileName)), "53");
}

// Which calls of the updater, in the order it makes them (1 for the first), work on the files of
// the installation; its start-up's calls (libraries, locale) do not.
std::vector<int> CallsOnTheInstallation(RealUpdater& test, const QString& strace, const char* call)
{
    const QString log = test.root.filePath("calls.log");
    test.RunUpdater({strace, "-qq", "-y", "-o", log, "-e", QStringLiteral("trace=") + call});
    test.StartedProgram();
    std::vector<int> calls;
    int index = 0;
    for (const QByteArray& line : ReadFile(log).split('\n')) {
        if (!line.startsWith(call + QByteArray("(")))
            continue;
        ++index;
        if (line.contains(test.root.path().toUtf8()))
            calls.push_back(index);
    }
    return calls;
}

// The updater is killed before each of its file-changing system calls in turn (as a power cut
// would stop it). The next start of the program finds one whole version, old or new, with the
// version recorded to match; an updater started again then puts the new version in place.
TEST_F(RealUpdater, AKillAtAnyPointLeavesOneWholeVersionThatStarts)
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        GTEST_SKIP() << "strace is not installed";
    const char* const calls[] = {"openat",    "write",    "fsync",     "rename", "renameat",
                                 "renameat2", "unlink",   "unlinkat",  "mkdir",  "chmod",
                                 "fchmod",    "fchmodat", "ftruncate", "link"};
    oldInstallation = Installed();
    const QByteArray oldUpdater = ReadFile(Program("Quillane_UP.EXE"));
    auto restoreOldVersion = [&] {
        for (const auto& [name, content] : oldInstallation)
            WriteFile(Program(name), content, QFileInfo(Program(name)).permissions());
        QFile::remove(Program("marker.txt"));
        WriteFile(Program("Quillane_UP.EXE"), oldUpdater, ExecutableMode);
        (void)RecoverSwap(ProgramFolder(), UpdateFolder());
        FinishSwap(UpdateFolder());
        QFile::remove(Program(AddedFilesListName));
        RemoveFolder(BackupFolder(UpdateFolder()));
        QFile::remove(InUpdate(FailedFileName));
    };
    int points = 0;
    for (const char* call : calls) {
        const std::vector<int> sweep = CallsOnTheInstallation(*this, strace, call);
        restoreOldVersion();
        for (const int when : sweep) {
            SCOPED_TRACE(std::string(call) + " #" + std::to_string(when));
            const int result = RunUpdater({strace, "-qq", "-o", "/dev/null", QStringLiteral("-e"),
                                           QStringLiteral("trace=") + call, QStringLiteral("-e"),
                                           QStringLiteral("inject=%1:signal=KILL:when=%2")
                                               .arg(QString::fromLatin1(call))
                                               .arg(when)});
            ASSERT_NE(result, -2);
            const bool killed = result == -1;
            points += killed ? 1 : 0;

            const std::optional<qint64> committed = RecoverSwap(ProgramFolder(), UpdateFolder());
            const bool whole = Installed() == (committed ? NewInstallation() : oldInstallation);
            ASSERT_TRUE(whole) << (committed ? "new" : "old") << " version expected";
            FinishSwap(UpdateFolder());
            if (killed) {
                // A lock the kill left empty counts as free once it is older than a living
                // process leaves one.
                for (const QString& lock :
                     {UpdaterLockPath(UpdateFolder()),
                      root.filePath("runtime/quillane-%1.lock").arg(getuid())})
                    if (QFileInfo(lock).exists() && QFileInfo(lock).size() == 0)
                        QThread::msleep(2100);
                const QByteArray started = StartedProgram(200);
                EXPECT_TRUE(started.isEmpty() || (committed && started == "new")) << started.data();
                EXPECT_EQ(RunUpdater(), 0) << "an updater started again";
            }
            ASSERT_EQ(StartedProgram(), "new");
            ASSERT_EQ(Installed(), NewInstallation());
            restoreOldVersion();
            ASSERT_EQ(Installed(), oldInstallation);
        }
    }
    RecordProperty("kill_points", points);
    EXPECT_GT(points, 40) << "the sweep reached the updater's file work";
}

} // namespace
