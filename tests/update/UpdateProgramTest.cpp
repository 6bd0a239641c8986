#include "core/requests/NetworkThread.h"
#include "tests/update/UpdateProgramFixture.h"
#include "update/UpdateFolder.h"
#include "update/UpdateStart.h"
#include "update/UpdateSwap.h"
#include "update/VersionNumber.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QProcess>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const Unpacked = "압축풀기 실패했습니다. 자료를 확인하세요|ERRORS";
const QString Refused = QStringLiteral(
    "업데이트 파일이 협회에서 보낸 것인지 확인할 수 없어 업데이트하지 않았습니다.\r\n지금 버전으로 "
    "계속 사용하시고, 문제가 계속되면 협회에 문의해 주십시오.|경고");
const char* const ProgramFolderOpen =
    "다른 사용자도 프로그램 폴더의 파일을 바꿀 수 있어 업데이트하지 않았습니다.\r\n지금 버전으로 "
    "계속 사용하시고, 프로그램을 다시 설치하거나 관리자에게 문의해 주십시오.|경고";
const QString SystemError = QStringLiteral("다운로드중에 시스템 에러가 발생했습니다.\r\n\r\n");

// The program that runs is version 52; these cases start from installed versions at or above it
// unless they are about the floor.
struct Case
{
    const char* name;
    const char* installed;
    std::function<void(UpdateProgramFixture&)> serve;
    const char* oldUpdater; // the updater already in the program folder, nullptr: none
    const char* started;    // the updater that was started, "": none (the start-up goes on)
    std::vector<QString> messages;
};

class UpdateProgramCase : public UpdateProgramFixture, public ::testing::WithParamInterface<Case>
{
public:
    void Offer(const std::string& version, const std::vector<PackageEntry>& package)
    {
        UpdateProgramFixture::Offer(version, package);
    }
    std::string NewUpdater() const { return UpdaterScript("new"); }
};

// The version is never recorded here: the updater's swap records it once the files are in
// place, so a failed updater leaves the update to be tried again.
TEST_P(UpdateProgramCase, HandsOverOnlyForANewerVersionWithAGoodPackage)
{
    const Case& test = GetParam();
    SetInstalledVersion(QString::fromUtf8(test.installed));
    if (test.oldUpdater)
        InstallUpdater(test.oldUpdater);
    test.serve(*this);

    UpdateProgram(QString::fromUtf8(test.installed));

    const bool handedOver = *test.started != '\0';
    EXPECT_EQ(ended, handedOver);
    EXPECT_EQ(StartedUpdater(handedOver ? 3000 : 300), test.started);
    EXPECT_EQ(InstalledVersion(), QString::fromUtf8(test.installed));
    EXPECT_EQ(messages, test.messages);
    if (handedOver) {
        EXPECT_TRUE(QFileInfo(ProgramFolder + "Quillane_UP.EXE").isExecutable());
        EXPECT_FALSE(HandedOver().isEmpty());
    }
    if (!test.messages.empty()) {
        EXPECT_FALSE(QFileInfo::exists(Config.updateFolder + PackageFileName))
            << "a package that was refused is removed";
        EXPECT_FALSE(QFileInfo::exists(Config.updateFolder + SignatureFileName));
    }
    EXPECT_THAT(QDir(Config.tempFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                IsEmpty())
        << "the shared temporary folder is never written";
}

void OfferNew(UpdateProgramFixture& fixture, const std::string& version)
{
    auto& test = static_cast<UpdateProgramCase&>(fixture);
    test.Offer(version, {{"Quillane_UP.EXE", test.NewUpdater(), 0100644}, {"marker.txt", "m"}});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateProgramCase,
    ::testing::Values(
        Case{"NumericComparison", "60", [](auto& f) { OfferNew(f, "100"); }, nullptr, "new", {}},
        Case{"BlankInstalledCountsAsZero",
             "  ",
             [](auto& f) { OfferNew(f, "53"); },
             nullptr,
             "new",
             {}},
        Case{"EqualVersions", "100", [](auto& f) { OfferNew(f, "100"); }, nullptr, "", {}},
        Case{"NewerInstalled", "101", [](auto& f) { OfferNew(f, "100"); }, nullptr, "", {}},
        Case{"OlderThanTheRunningProgramOnAFreshInstall",
             "0",
             [](auto& f) { OfferNew(f, "51"); },
             nullptr,
             "",
             {}},
        Case{"TheRunningProgramsOwnVersion",
             "",
             [](auto& f) { OfferNew(f, "52"); },
             nullptr,
             "",
             {}},
        Case{
            "ServerVersionNotANumber", "60", [](auto& f) { OfferNew(f, "100a"); }, nullptr, "", {}},
        Case{"ListOfOneLine",
             "60",
             [](auto& f) {
                 OfferNew(f, "100");
                 f.server.SetList("QUILLANE_Version.INI\t1\t2024-05-01 10:00:00\t"
                                  "QUILLANE_UPDATE.ZIP\t2\t2024-05-01 10:00:00\r\n");
             },
             nullptr,
             "",
             {}},
        Case{"VersionFileNotListed",
             "60",
             [](auto& f) {
                 OfferNew(f, "100");
                 f.server.SetList("QUILLANE_UPDATE.ZIP\t2\t2024-05-01 10:00:00\r\n"
                                  "other.txt\t2\t2024-05-01 10:00:00\r\n");
             },
             nullptr,
             "",
             {}},
        Case{"OnlyALongerNameHoldingTheVersionFilesName",
             "60",
             [](auto& f) {
                 OfferNew(f, "100");
                 f.server.SetFile("OLD_QUILLANE_Version.INI", "[\xb9\xf6\xc0\xfc\xc1\xa4\xba\xb8]"
                                                              "\r\n\xb9\xf6\xc0\xfc=100\r\n");
                 f.server.SetList("OLD_QUILLANE_Version.INI\t1\t2024-05-01 10:00:00\r\n"
                                  "QUILLANE_UPDATE.ZIP\t2\t2024-05-01 10:00:00\r\n");
             },
             nullptr,
             "",
             {}},
        Case{"UnreachableService",
             "60",
             [](auto&) { Config.serviceHost = UnusedHost(); },
             "old",
             "",
             {}},
        Case{"PackageWithoutUpdaterStartsTheOldOne",
             "60",
             [](auto& f) {
                 static_cast<UpdateProgramCase&>(f).Offer("100", {{"marker.txt", "m"}});
             },
             "old",
             "old",
             {}},
        Case{"ANewUpdaterDoesNotReplaceTheOldOne",
             "60",
             [](auto& f) { OfferNew(f, "100"); },
             "old",
             "old",
             {}},
        Case{"UpdaterThatCannotRun",
             "60",
             [](auto& f) {
                 static_cast<UpdateProgramCase&>(f).Offer("100", {{"marker.txt", "m"}});
                 WriteFile(ProgramFolder + "Quillane_UP.EXE", "MZ made for another system",
                           QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
             },
             "old",
             "",
             {}},
        Case{"NamesInOtherLetterCase",
             "60",
             [](auto& f) {
                 auto& test = static_cast<UpdateProgramCase&>(f);
                 test.Offer("100", {{"quillane_up.exe", test.NewUpdater(), 0100644}});
                 const QString package = f.root.filePath(QStringLiteral("package.zip"));
                 f.server.SetFile("quillane_update.zip", ReadFile(package).toStdString());
                 f.server.SetFile("quillane_version.ini",
                                  "[\xb9\xf6\xc0\xfc\xc1\xa4\xba\xb8]\r\n\xb9\xf6\xc0\xfc=100\r\n");
                 f.server.SetList("quillane_version.ini\t1\t2024-05-01 10:00:00\r\n"
                                  "quillane_update.zip\t2\t2024-05-01 10:00:00\r\n"
                                  "QUILLANE_UPDATE.sig\t2\t2024-05-01 10:00:00\r\n");
             },
             nullptr,
             "new",
             {}},
        Case{"UpdateFolderOpenToOthers",
             "60",
             [](auto& f) {
                 OfferNew(f, "100");
                 QDir().mkpath(Config.updateFolder);
                 QFile::setPermissions(Config.updateFolder,
                                       QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
             },
             "old",
             "",
             {}},
        Case{"ProgramFolderOpenToOthers",
             "60",
             [](auto& f) {
                 OfferNew(f, "100");
                 QFile::setPermissions(ProgramFolder, QFile::ReadOwner | QFile::WriteOwner |
                                                          QFile::ExeOwner | QFile::ReadOther |
                                                          QFile::WriteOther | QFile::ExeOther);
             },
             "old",
             "",
             {ProgramFolderOpen}},
        Case{"NoUpdaterAnywhere",
             "60",
             [](auto& f) {
                 static_cast<UpdateProgramCase&>(f).Offer("100", {{"marker.txt", "m"}});
             },
             nullptr,
             "",
             {}},
        Case{"HostilePackage",
             "60",
             [](auto& f) {
                 auto& test = static_cast<UpdateProgramCase&>(f);
                 test.Offer("100", {{"Quillane_UP.EXE", test.NewUpdater(), 0100755},
                                    {"../climbed", "x"},
                                    {"link", "/etc/passwd", 0120777}});
             },
             "old",
             "",
             {Unpacked}},
        Case{"TruncatedPackage",
             "60",
             [](auto& f) {
                 OfferNew(f, "100");
                 f.server.SetFile("QUILLANE_UPDATE.ZIP", "PK\x03\x04 cut short");
                 f.server.SetFile("QUILLANE_UPDATE.sig",
                                  TestSignatureFor("PK\x03\x04 cut short", 100).toStdString());
             },
             "old",
             "",
             {Unpacked}},
        Case{"PackageMissingOnTheServer",
             "60",
             [](auto& f) {
                 OfferNew(f, "100");
                 f.server.SetHandler("/Update/QUILLANE_UPDATE.ZIP",
                                     [](const httplib::Request&, httplib::Response& response) {
                                         response.status = 404;
                                     });
             },
             "old",
             "",
             {"QUILLANE_UPDATE.ZIP 파일을 찾을 수 없습니다.|", Unpacked}}),
    [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

TEST_F(UpdateProgramFixture, EqualVersionsFetchTheVersionFileButNotThePackage)
{
    SetInstalledVersion("100");
    Offer("100", {{"marker.txt", "m"}});

    UpdateProgram("100");

    EXPECT_TRUE(Asked("/AutoUpgradeServer.dll?path=UPDATE"));
    EXPECT_TRUE(Asked("/Update/QUILLANE_Version.INI"));
    EXPECT_FALSE(Asked("/Update/QUILLANE_UPDATE.ZIP"));
}

// The version file is one section with one key: a longer one is refused before its body and never
// read, whatever version it would name.
TEST_F(UpdateProgramFixture, AVersionFileOverItsLimitIsNeverRead)
{
    SetInstalledVersion("60");
    InstallUpdater("old");
    Offer("100", {{"marker.txt", "m"}});
    server.SetFile("QUILLANE_Version.INI",
                   "[\xb9\xf6\xc0\xfc\xc1\xa4\xba\xb8]\r\n\xb9\xf6\xc0\xfc=100\r\n" +
                       std::string(8 * 1024, '\n'));

    UpdateProgram("60");

    EXPECT_FALSE(ended);
    EXPECT_FALSE(Asked("/Update/QUILLANE_UPDATE.ZIP"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages.front().startsWith(SystemError)) << messages.front().toStdString();
    EXPECT_FALSE(QFileInfo::exists(Config.updateFolder + "QUILLANE_Version.INI"));
}

// However slowly the server sends a package within its limit, the update holds the start-up for
// three request time-outs at most; the start-up goes on with the old version and the next start
// tries again.
TEST_F(UpdateProgramFixture, ATricklingPackageHoldsTheStartUpNoLongerThanTheUpdatesTime)
{
    SetRequestTimeout(std::chrono::milliseconds(400));
    SetInstalledVersion("60");
    InstallUpdater("old");
    Offer("100", {{"marker.txt", "m"}});
    server.SetHandler("/Update/QUILLANE_UPDATE.ZIP",
                      [](const httplib::Request&, httplib::Response& response) {
                          auto started = std::make_shared<QElapsedTimer>();
                          started->start();
                          // 100 MiB would be given 53 minutes at the lowest rate; a byte every 50
                          // ms for 15 s.
                          response.set_content_provider(
                              100 * 1024 * 1024, "application/octet-stream",
                              [started](std::size_t, std::size_t, httplib::DataSink& sink) {
                                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
                                  return started->elapsed() < 15000 && sink.write("P", 1);
                              });
                      });

    QElapsedTimer clock;
    clock.start();
    UpdateProgram("60");

    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_FALSE(ended);
    EXPECT_EQ(StartedUpdater(300), "");
    EXPECT_EQ(messages.size(), 2u) << "the download's failure and the package's";
    EXPECT_FALSE(QFileInfo::exists(Config.updateFolder + PackageFileName));
    SetRequestTimeout(std::chrono::seconds(60));
}

// Runs the release script; the answer is what it printed.
QByteArray Release(const QStringList& arguments)
{
    QProcess script;
    script.start(QStringLiteral("bash"),
                 QStringList{QStringLiteral(QUILLANE_SOURCE_DIR "/scripts/update-release.sh")} +
                     arguments);
    script.waitForFinished(20000);
    EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    return script.readAllStandardOutput();
}

TEST_F(UpdateProgramFixture, APackageNotVouchedForIsNeitherPlacedNorHandedOver)
{
    SetInstalledVersion("60");
    Offer("100", {{"Quillane_UP.EXE", UpdaterScript("new"), 0100755}, {"marker.txt", "m"}});
    const QByteArray package = ReadFile(root.filePath(QStringLiteral("package.zip")));
    const QString forger = root.filePath(QStringLiteral("forger.pem"));
    Release({"keygen", forger});
    const QString forged = root.filePath(QStringLiteral("forged.sig"));
    Release({"sign", forger, root.filePath(QStringLiteral("package.zip")), "100", forged});
    QByteArray otherManifest = TestSignatureFor("other bytes", 100);
    otherManifest.replace(otherManifest.indexOf("sha256=") + 7, 64,
                          QCryptographicHash::hash(package, QCryptographicHash::Sha256).toHex());
    const struct
    {
        const char* name;
        QByteArray signature;
        bool listed = true;
    } cases[] = {
        {"an empty signature file", ""},
        {"no signature file listed", TestSignatureFor(package, 100), false},
        {"signed with another key", ReadFile(forged)},
        {"signed for another version", TestSignatureFor(package, 101)},
        {"signed for another package", TestSignatureFor("other bytes", 100)},
        {"manifest changed after signing", otherManifest},
        {"not a signature file", "PK\x03\x04"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        server.SetList(std::string("QUILLANE_Version.INI\t1\t2024-05-01 10:00:00\r\n"
                                   "QUILLANE_UPDATE.ZIP\t2\t2024-05-01 10:00:00\r\n") +
                       (test.listed ? "QUILLANE_UPDATE.sig\t3\t2024-05-01 10:00:00\r\n" : ""));
        server.SetFile("QUILLANE_UPDATE.sig", test.signature.toStdString());
        messages.clear();

        UpdateProgram("60");

        EXPECT_FALSE(ended);
        EXPECT_THAT(messages, ElementsAre(Refused));
        EXPECT_FALSE(QFile::exists(ProgramFolder + "Quillane_UP.EXE"));
        EXPECT_TRUE(HandedOver().isEmpty());
        EXPECT_FALSE(QFile::exists(Config.updateFolder + PackageFileName)) << "refused: removed";
        EXPECT_FALSE(QFile::exists(Config.updateFolder + SignatureFileName));
    }
}

// An updater that could not put the version in place starts the program again: that start goes
// on with the old version, the next one tries again.
TEST_F(UpdateProgramFixture, AfterAFailedUpdaterTheNextStartTriesAgain)
{
    SetInstalledVersion("60");
    InstallUpdater("old");
    Offer("100", {{"marker.txt", "m"}});
    WriteFile(Config.updateFolder + FailedFileName, "100");

    UpdateProgram("60");
    EXPECT_FALSE(ended);
    EXPECT_EQ(StartedUpdater(300), "");

    UpdateProgram("60");
    EXPECT_TRUE(ended);
    EXPECT_EQ(StartedUpdater(), "old");
    EXPECT_EQ(HandedOver(), "100");
}

// The program's start after an updater: a committed swap has its version recorded and its backup
// removed; a swap cut off before its commit is put back and records nothing.
TEST_F(UpdateProgramFixture, TheNextStartRecordsACommittedSwapOrPutsBackACutOffOne)
{
    for (const bool committed : {true, false}) {
        SCOPED_TRACE(committed ? "committed" : "cut off");
        SetInstalledVersion("60");
        WriteFile(ProgramFolder + "Quillane", "old program");
        ASSERT_TRUE(PrepareUpdateFolder(Config.updateFolder));
        WriteFile(StagingFolder(Config.updateFolder) + "/Quillane", "new program");
        ASSERT_TRUE(SwapIn({"Quillane"}, 100, ProgramFolder, Config.updateFolder));
        if (!committed) {
            QByteArray journal = ReadFile(SwapJournalPath(Config.updateFolder));
            journal.replace("state=committed", "state=swapping");
            WriteFile(SwapJournalPath(Config.updateFolder), journal);
        }

        FinishLastUpdate();

        EXPECT_EQ(InstalledVersion(), committed ? "100" : "60");
        EXPECT_EQ(ReadFile(ProgramFolder + "Quillane"), committed ? "new program" : "old program");
        EXPECT_FALSE(QFileInfo::exists(SwapJournalPath(Config.updateFolder)));
        EXPECT_FALSE(QFileInfo::exists(BackupFolder(Config.updateFolder)));
    }
}

TEST(VersionNumberOf, OnlyDecimalIntegersCompare)
{
    const struct
    {
        const char* text;
        std::optional<qint64> number;
    } cases[] = {
        {"52", 52},
        {" 12 ", 12},
        {"+7", 7},
        {"-1", -1},
        {"007", 7},
        {"", std::nullopt},
        {"1.5", std::nullopt},
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"53a", std::nullopt},
        {"9999999999999999999", std::nullopt},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.text);
        EXPECT_EQ(VersionNumber(QString::fromUtf8(test.text)), test.number);
    }
}

} // namespace
