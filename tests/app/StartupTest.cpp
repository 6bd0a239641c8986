#include "app/MainWindow.h"
#include "app/PresenceReporter.h"
#include "app/SignIn.h"
#include "core/management/ManagementServices.h"
#include "core/program/MessageBox.h"
#include "core/program/ModalDialog.h"
#include "core/program/Pause.h"
#include "core/program/Pharmacy.h"
#include "core/program/ProgramValues.h"
#include "core/program/QuitNow.h"
#include "core/settings/Settings.h"
#include "registration/BasicInfoWindow.h"
#include "tests/app/LoopbackService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

const QString Basic = QStringLiteral("기본정보");
const QString VersionInfo = QStringLiteral("버전정보");

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// A fresh program folder, temporary folder, home and desktop for each test; message boxes,
// modal windows and the immediate end are recorded, and the service is a loopback stand-in.
class Startup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedHome = qgetenv("HOME");
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
        QDir(home.path()).mkpath(QStringLiteral("Desktop"));

        Config.serviceHost = service.Host();
        Config.contestHost = service.Host();
        Config.tempFolder = temp.path() + QStringLiteral("/Quillane/");
        Config.programFolder = program.path() + QStringLiteral("/");
        ProgramFolder = Config.programFolder;
        BaseUrl = service.BaseUrl();

        SetPauseHandler([](int) {});
        SetMessageBoxHandler([this](const MessageRequest& request) {
            if (!request.text.contains(QStringLiteral("Quillane.MDB")))
                messages.push_back(request);
            return MessageAnswer::Ok;
        });
        SetModalDialogHandler([this](QDialog& dialog) {
            modals.push_back(dialog.metaObject()->className());
            if (basicInfoAction && qobject_cast<BasicInfoWindow*>(&dialog))
                basicInfoAction();
            return 0;
        });
        SetQuitNowHandler([this] { ++quits; });
        window = std::make_unique<MainWindow>(pharmacy);
    }

    void TearDown() override
    {
        window.reset();
        SetPauseHandler({});
        SetMessageBoxHandler({});
        SetModalDialogHandler({});
        SetQuitNowHandler({});
        qputenv("HOME", savedHome);
        qputenv("XDG_CONFIG_HOME", savedConfig);
    }

    PresenceReporter& Reporter() const { return *window->findChild<PresenceReporter*>(); }
    bool PresenceTimerRunning() const
    {
        return window->findChild<QTimer*>(QStringLiteral("presenceTimer"))->isActive();
    }
    void SendSignIn() const { window->findChild<SignIn*>()->Send(); }

    QString Settings() const { return ProgramFolder + QStringLiteral("quillane.ini"); }
    QString Read(const QString& section, const QString& key) const
    {
        return ReadIniString(Settings(), section, key, QStringLiteral("<none>"));
    }
    void Store(const QString& section, const QString& key, const QString& value) const
    {
        WriteIniString(Settings(), section, key, value);
    }

    std::vector<std::string> SignInBodies(std::size_t count)
    {
        EXPECT_TRUE(service.WaitForBodies("ComCheck2.asp", count));
        return service.Bodies("ComCheck2.asp");
    }

    QString Executable() const
    {
        return ProgramFolder + QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    }
    QString AutostartFile() const
    {
        return home.path() + QStringLiteral("/config/autostart/quillane.desktop");
    }
    QString DesktopLinkFile() const
    {
        return home.path() + QStringLiteral("/Desktop/초록우체통.desktop");
    }

    QTemporaryDir home;
    QTemporaryDir program;
    QTemporaryDir temp;
    QByteArray savedHome;
    QByteArray savedConfig;
    LoopbackService service;
    std::vector<MessageRequest> messages;
    std::vector<std::string> modals;
    std::function<void()> basicInfoAction;
    int quits = 0;
    Pharmacy pharmacy;
    std::unique_ptr<MainWindow> window;
};

TEST_F(Startup, FirstStartPreparesTheProgramAndSignsInAfterTheBasicInformation)
{
    window->Startup();

    EXPECT_THAT(modals, ElementsAre("BasicInfoWindow"));
    EXPECT_EQ(Read(VersionInfo, QStringLiteral("버전")), QStringLiteral("0"));
    EXPECT_EQ(Read(VersionInfo, QStringLiteral("파일경로")), ProgramFolder);
    EXPECT_EQ(Read(Basic, QStringLiteral("처음로그인")), QStringLiteral("Y"));
    EXPECT_EQ(Read(Basic, QStringLiteral("자동체크")), QStringLiteral("Y"));
    EXPECT_EQ(pharmacy.autoCheck, QString()) << "the value in memory stays as read";
    EXPECT_TRUE(QFileInfo(Config.tempFolder).isDir());
    EXPECT_THAT(messages, IsEmpty());
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(SetupIniPath, ProgramFolder + QStringLiteral("setup.ini"));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("versionLabel"))->text(),
              QStringLiteral("Ver.52"));
    EXPECT_EQ(Reporter().State(), Presence::Off);
    EXPECT_EQ(Reporter().TicksSinceReport(), 0);

    EXPECT_EQ(ReadFile(AutostartFile()), "[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=초록우체통\n"
                                         "Exec=\"" +
                                             Executable().toUtf8() +
                                             "\"\n"
                                             "Terminal=false\n"
                                             "X-GNOME-Autostart-enabled=true\n");
    EXPECT_EQ(ReadFile(DesktopLinkFile()), "[Desktop Entry]\n"
                                           "Type=Application\n"
                                           "Name=초록우체통\n"
                                           "Exec=\"" +
                                               Executable().toUtf8() +
                                               "\" \"C:\\\\\\\\Windows\\\\\\\\win.ini\"\n"
                                               "Path=" +
                                               ProgramFolder.toUtf8() +
                                               "\n"
                                               "Terminal=false\n");

    // Nothing stored yet: the computer's own name stands for the check computer.
    EXPECT_THAT(SignInBodies(1),
                ElementsAre(SignInBody("", "", LocalComputerName().toStdString())));
    // The loopback service forwards to its answer "Y": the first "on" follows.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return window->findChild<SignIn*>()->Answer() == QStringLiteral("Y"); }));
    EXPECT_TRUE(service.WaitForBodies("TimeCheck.asp", 1));
    EXPECT_EQ(Reporter().State(), Presence::On);
    EXPECT_TRUE(PresenceTimerRunning());
}

TEST_F(Startup, LaterStartKeepsTheSettingsAndSignsInAtOnce)
{
    WriteIniString(ProgramFolder + QStringLiteral("QUILLANE.INI"), VersionInfo,
                   QStringLiteral("버전"), QStringLiteral("7"));
    WriteIniString(ProgramFolder + QStringLiteral("QUILLANE.INI"), Basic,
                   QStringLiteral("자동체크"), QStringLiteral("Y"));

    window->Startup();

    EXPECT_THAT(modals, IsEmpty());
    EXPECT_EQ(Read(VersionInfo, QStringLiteral("버전")), QStringLiteral("7"));
    EXPECT_EQ(Read(VersionInfo, QStringLiteral("파일경로")), QStringLiteral("<none>"));
    EXPECT_FALSE(QFileInfo::exists(Settings())) << "the file in upper case is the settings file";
    EXPECT_EQ(SignInBodies(1).size(), 1u);
}

TEST_F(Startup, LeavesAnExistingDesktopLinkAndRewritesTheAutostartEntry)
{
    QDir(home.path()).mkpath(QStringLiteral("config/autostart"));
    WriteFile(DesktopLinkFile(), "mine");
    WriteFile(AutostartFile(), "[Desktop Entry]\nExec=/old/folder/Quillane\n");
    Store(Basic, QStringLiteral("자동체크"), QStringLiteral("Y"));

    window->Startup();

    EXPECT_EQ(ReadFile(DesktopLinkFile()), "mine");
    EXPECT_TRUE(ReadFile(AutostartFile()).contains("Exec=\"" + Executable().toUtf8() + "\"\n"));
    EXPECT_EQ(QDir(home.path() + QStringLiteral("/config/autostart")).entryList(QDir::Files),
              QStringList(QStringLiteral("quillane.desktop")))
        << "no temporary file left";
}

TEST_F(Startup, CleansTheTemporaryFolderOfAnEarlierUpdate)
{
    QDir().mkpath(Config.tempFolder);
    for (const char* name : {"QUILLANE.MDB", "quillane_up.exe", "Quillane.EXE",
                             "QUILLANE_Version.INI", "quillane_update.zip", "keep.txt"})
        WriteFile(Config.tempFolder + QString::fromUtf8(name), "x");
    Store(Basic, QStringLiteral("자동체크"), QStringLiteral("Y"));

    window->Startup();

    EXPECT_EQ(QDir(Config.tempFolder).entryList(QDir::Files),
              QStringList(QStringLiteral("keep.txt")));
    EXPECT_THAT(messages, IsEmpty());
}

TEST_F(Startup, UnusableTemporaryFolderEndsAtOnceBeforeTheSignIn)
{
    WriteFile(temp.path() + QStringLiteral("/file"), "x");
    Config.tempFolder = temp.path() + QStringLiteral("/file/Quillane/");

    window->Startup();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("폴더를 생성할수 없습니다"));
    EXPECT_EQ(messages[0].caption, QStringLiteral("경고"));
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(quits, 1);
    EXPECT_THAT(modals, IsEmpty());
    EXPECT_EQ(window->findChild<WebBrowser*>(QStringLiteral("signInRequest"))->ReadyState(), 0)
        << "no sign-in";
    EXPECT_FALSE(QFileInfo::exists(AutostartFile()));
}

struct BodyCase
{
    const char* name;
    const char* paName;
    const char* paLicense;
    const char* comName;
    std::string body;
};

class SignInBodies_ : public Startup, public ::testing::WithParamInterface<BodyCase>
{
};

TEST_P(SignInBodies_, PostsTheTrimmedStoredValues)
{
    const BodyCase& c = GetParam();
    Store(Basic, QStringLiteral("개국약사명"), QString::fromUtf8(c.paName));
    Store(Basic, QStringLiteral("개국약사면허번호"), QString::fromUtf8(c.paLicense));
    Store(Basic, QStringLiteral("푸른등대"), QString::fromUtf8(c.comName));
    Store(Basic, QStringLiteral("자동체크"), QStringLiteral("Y"));

    SendSignIn();

    EXPECT_THAT(SignInBodies(1), ElementsAre(c.body));
    EXPECT_THAT(modals, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, SignInBodies_,
    ::testing::Values(BodyCase{"Korean", "김똠", "12345", "약국PC",
                               SignInBody("\xb1\xe8\x8c\x63", "12345", "\xbe\xe0\xb1\xb9PC")},
                      BodyCase{"FormCharacters", "A&B=C", "1+2", "50%",
                               SignInBody("A%26B%3DC", "1%2B2", "50%25")},
                      BodyCase{"NoCheckComputer", "", "", "",
                               SignInBody("", "", LocalComputerName().toStdString())}),
    [](const ::testing::TestParamInfo<BodyCase>& param) { return param.param.name; });

// The registration in the first start's basic-information window signs in again before the
// window closes: no second window, and the values it has just stored go out.
TEST_F(Startup, SignInFromTheFirstBasicInformationWindowOpensNoSecondOne)
{
    basicInfoAction = [this] {
        Store(Basic, QStringLiteral("개국약사명"), QStringLiteral("Kim"));
        Store(Basic, QStringLiteral("개국약사면허번호"), QStringLiteral("12345"));
        Store(Basic, QStringLiteral("푸른등대"), QStringLiteral("PC1"));
        SendSignIn();
        EXPECT_TRUE(service.WaitForBodies("ComCheck2.asp", 1));
    };

    SendSignIn();

    EXPECT_THAT(modals, ElementsAre("BasicInfoWindow"));
    // The outer sign-in sends the name it read before the window opened.
    EXPECT_THAT(SignInBodies(2),
                ElementsAre(SignInBody("Kim", "12345", "PC1"), SignInBody("", "12345", "PC1")));
    EXPECT_EQ(Read(Basic, QStringLiteral("자동체크")), QStringLiteral("Y"));

    SendSignIn();
    EXPECT_THAT(modals, ElementsAre("BasicInfoWindow")) << "not again once answered";
}

} // namespace
