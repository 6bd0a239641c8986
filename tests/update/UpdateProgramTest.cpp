#include "UpdateProgramFixture.h"
#include "VersionNumber.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const Unpacked = "압축풀기 실패했습니다. 자료를 확인하세요|ERRORS";

struct Case
{
    const char* name;
    const char* installed;
    std::function<void(UpdateProgramFixture&)> serve;
    const char* oldUpdater; // the updater already in the program folder, nullptr: none
    const char* started;    // the updater that was started, "": none (the start-up goes on)
    const char* recorded;   // the installed version afterwards
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
    EXPECT_EQ(InstalledVersion(), QString::fromUtf8(test.recorded));
    EXPECT_EQ(messages, test.messages);
    if (handedOver) {
        EXPECT_TRUE(QFileInfo(ProgramFolder + "Quillane_UP.EXE").isExecutable());
    }
}

void OfferNew(UpdateProgramFixture& fixture, const std::string& version)
{
    auto& test = static_cast<UpdateProgramCase&>(fixture);
    test.Offer(version, {{"Quillane_UP.EXE", test.NewUpdater(), 0100644}, {"marker.txt", "m"}});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateProgramCase,
    ::testing::Values(
        Case{
            "NumericComparison", "3", [](auto& f) { OfferNew(f, "12"); }, nullptr, "new", "12", {}},
        Case{"BlankInstalledCountsAsZero",
             "  ",
             [](auto& f) { OfferNew(f, "1"); },
             nullptr,
             "new",
             "1",
             {}},
        Case{"EqualVersions", "12", [](auto& f) { OfferNew(f, "12"); }, nullptr, "", "12", {}},
        Case{"NewerInstalled", "13", [](auto& f) { OfferNew(f, "12"); }, nullptr, "", "13", {}},
        Case{"ServerVersionNotANumber",
             "3",
             [](auto& f) { OfferNew(f, "12a"); },
             nullptr,
             "",
             "3",
             {}},
        Case{"ListOfOneLine",
             "3",
             [](auto& f) {
                 OfferNew(f, "12");
                 f.server.SetList("QUILLANE_Version.INI\t1\t2024-05-01 10:00:00\t"
                                  "QUILLANE_UPDATE.ZIP\t2\t2024-05-01 10:00:00\r\n");
             },
             nullptr,
             "",
             "3",
             {}},
        Case{"VersionFileNotListed",
             "3",
             [](auto& f) {
                 OfferNew(f, "12");
                 f.server.SetList("QUILLANE_UPDATE.ZIP\t2\t2024-05-01 10:00:00\r\n"
                                  "other.txt\t2\t2024-05-01 10:00:00\r\n");
             },
             nullptr,
             "",
             "3",
             {}},
        Case{"UnreachableService",
             "3",
             [](auto&) { Config.serviceHost = UnusedHost(); },
             "old",
             "",
             "3",
             {}},
        Case{"PackageWithoutUpdaterStartsTheOldOne",
             "3",
             [](auto& f) {
                 static_cast<UpdateProgramCase&>(f).Offer("12", {{"marker.txt", "m"}});
             },
             "old",
             "old",
             "12",
             {}},
        Case{"ANewUpdaterDoesNotReplaceTheOldOne",
             "3",
             [](auto& f) { OfferNew(f, "12"); },
             "old",
             "old",
             "12",
             {}},
        Case{"UpdaterThatCannotRun",
             "3",
             [](auto& f) {
                 static_cast<UpdateProgramCase&>(f).Offer("12", {{"marker.txt", "m"}});
                 WriteFile(ProgramFolder + "Quillane_UP.EXE", "MZ made for another system",
                           QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
             },
             "old",
             "",
             "3",
             {}},
        Case{"NamesInOtherLetterCase",
             "3",
             [](auto& f) {
                 auto& test = static_cast<UpdateProgramCase&>(f);
                 test.Offer("12", {{"quillane_up.exe", test.NewUpdater(), 0100644}});
                 const QString package = f.root.filePath(QStringLiteral("package.zip"));
                 f.server.SetFile("quillane_update.zip", ReadFile(package).toStdString());
                 f.server.SetFile("quillane_version.ini",
                                  "[\xb9\xf6\xc0\xfc\xc1\xa4\xba\xb8]\r\n\xb9\xf6\xc0\xfc=12\r\n");
                 f.server.SetList("quillane_version.ini\t1\t2024-05-01 10:00:00\r\n"
                                  "quillane_update.zip\t2\t2024-05-01 10:00:00\r\n");
             },
             nullptr,
             "new",
             "12",
             {}},
        Case{"TemporaryFolderOpenToOthers",
             "3",
             [](auto& f) {
                 OfferNew(f, "12");
                 QFile::setPermissions(Config.tempFolder, QFile::ReadOwner | QFile::WriteOwner |
                                                              QFile::ExeOwner | QFile::ReadOther |
                                                              QFile::WriteOther | QFile::ExeOther);
             },
             "old",
             "",
             "3",
             {}},
        Case{"NoUpdaterAnywhere",
             "3",
             [](auto& f) {
                 static_cast<UpdateProgramCase&>(f).Offer("12", {{"marker.txt", "m"}});
             },
             nullptr,
             "",
             "3",
             {}},
        Case{"HostilePackage",
             "3",
             [](auto& f) {
                 auto& test = static_cast<UpdateProgramCase&>(f);
                 test.Offer("12", {{"Quillane_UP.EXE", test.NewUpdater(), 0100755},
                                   {"../climbed", "x"},
                                   {"link", "/etc/passwd", 0120777}});
             },
             "old",
             "",
             "3",
             {Unpacked}},
        Case{"TruncatedPackage",
             "3",
             [](auto& f) {
                 OfferNew(f, "12");
                 f.server.SetFile("QUILLANE_UPDATE.ZIP", "PK\x03\x04 cut short");
             },
             "old",
             "",
             "3",
             {Unpacked}},
        Case{"PackageMissingOnTheServer",
             "3",
             [](auto& f) {
                 OfferNew(f, "12");
                 f.server.SetHandler("/Update/QUILLANE_UPDATE.ZIP",
                                     [](const httplib::Request&, httplib::Response& response) {
                                         response.status = 404;
                                     });
             },
             "old",
             "",
             "3",
             {"QUILLANE_UPDATE.ZIP 파일을 찾을 수 없습니다.|", Unpacked}}),
    [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

TEST_F(UpdateProgramFixture, EqualVersionsFetchTheVersionFileButNotThePackage)
{
    SetInstalledVersion("12");
    Offer("12", {{"marker.txt", "m"}});

    UpdateProgram("12");

    EXPECT_TRUE(Asked("/AutoUpgradeServer.dll?path=UPDATE"));
    EXPECT_TRUE(Asked("/Update/QUILLANE_Version.INI"));
    EXPECT_FALSE(Asked("/Update/QUILLANE_UPDATE.ZIP"));
    EXPECT_FALSE(QFile::exists(Config.tempFolder + "marker.txt"));
}

TEST_F(UpdateProgramFixture, TheBackupOfTheLastUpdateGoesAtTheNextStart)
{
    WriteFile(root.filePath("Quillane.update/backup/Quillane"), "old program");
    WriteFile(root.filePath("Quillane.update/swapped"), "");
    Config.serviceHost = UnusedHost();

    UpdateProgram("3");

    EXPECT_FALSE(QFileInfo::exists(root.filePath("Quillane.update")));
}

} // namespace

namespace {

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
