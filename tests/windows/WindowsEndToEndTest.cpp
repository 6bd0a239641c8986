#include "core/text/QtCodePage949.h"
#include "tests/app/LoopbackService.h"
#include "tests/app/ReferenceService.h"
#include "tests/app/TimeCheckRecorder.h"
#include "tests/update/UpdateFixture.h"
#include "tests/windows/WineDesktop.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QThread>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iostream>
#include <regex>

// The Windows build as a pharmacy installs and uses it, under Wine: the installer into a folder
// with a space and Hangul in its name, the first start as a new member through the real windows,
// the tray, the second start, the update to the next version and the end of the session. The
// tests run in order on one installation, as its user goes from one step to the next.

namespace {

using ::testing::ElementsAre;

const QString InstallFolder = QStringLiteral("C:\\약국 프로그램\\Quillane");
const QString BasicInfoTitle = QStringLiteral("^초록우체통 기본정보입력$");
const QString MainTitle = QStringLiteral("^Quillane$");
const QString WeeklyTitle = QStringLiteral("^초록우체통 정상 근무시간");
// The installer's pages and its message boxes share its caption.
const QString SetupTitle = QStringLiteral("^초록우체통 설치");

// 박서연 in code page 949; the demo member with nothing registered yet.
constexpr char SeoyeonInCodePage949[] = "\xb9\xda\xbc\xad\xbf\xac";

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString ScreenshotPath(const QString& name)
{
    return QStringLiteral(WINE_PREFIX_FOLDER "/../") + name + QStringLiteral(".png");
}

// The value of a field of a form body ("NAME =value&...").
QByteArray Field(const QByteArray& body, const QByteArray& name)
{
    for (const QByteArray& pair : body.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0 && pair.left(equals).trimmed() == name)
            return pair.mid(equals + 1).replace('\0', QByteArray());
    }
    return {};
}

class WindowsEndToEnd : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        desktop = new WineDesktop;
        service = new ReferenceService;
        problem = Prepare();
    }

    static void TearDownTestSuite()
    {
        desktop->wine.Run({QStringLiteral("wineserver"), QStringLiteral("-k")});
        delete service;
        delete desktop;
    }

    void SetUp() override
    {
        if (!QFileInfo::exists(QStringLiteral(QUILLANE_WINDOWS_SETUP)))
            GTEST_SKIP() << "no Windows build: bash scripts/windows.sh makes it";
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    }

    // A fresh prefix with the installer run silently into the program's folder.
    static QString Prepare()
    {
        if (!QFileInfo::exists(QStringLiteral(QUILLANE_WINDOWS_SETUP)))
            return {};
        if (!service->Started())
            return QStringLiteral("the reference service did not start");
        QDir(QStringLiteral(WINE_PREFIX_FOLDER)).removeRecursively();
        desktop->wine.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), service->Host());
        desktop->wine.Set(QStringLiteral("QUILLANE_CONTEST_HOST"), service->Host());
        if (const QString wine = desktop->Prepare(); !wine.isEmpty())
            return wine;
        QFile::copy(QStringLiteral(QUILLANE_WINDOWS_SETUP),
                    desktop->wine.DriveC() + QStringLiteral("/Quillane-Setup.exe"));
        const WinePrefix::Result install =
            desktop->Command(QStringLiteral("C:\\Quillane-Setup.exe /S /D=") + InstallFolder);
        if (install.exitCode != 0)
            return QStringLiteral("the installer failed: ") + install.output + install.errors;
        return {};
    }

    static QString Installed(const QString& name)
    {
        return desktop->UnixPath(InstallFolder + u'\\' + name);
    }

    static std::unique_ptr<QProcess> StartProgram(const QStringList& arguments = {})
    {
        return desktop->Start(QStringList{InstallFolder + QStringLiteral("\\Quillane.exe")} +
                              arguments);
    }

    static std::vector<QByteArray> Bodies(const QString& page)
    {
        return PostedBodies(service->Requests(), page);
    }

    static bool WaitForBodies(const QString& page, std::size_t count)
    {
        return service->WaitUntil(
            [&](const std::vector<StoredRequest>& requests) {
                return PostedBodies(requests, page).size() >= count;
            },
            std::chrono::seconds(90));
    }

    static bool ConfirmMessage(const QString& caption)
    {
        const QString title = u'^' + caption + u'$';
        const QString box = desktop->WaitForWindow(title);
        if (box.isEmpty())
            return false;
        desktop->Key(box, QStringLiteral("Return"));
        return desktop->WaitUntilGone(title);
    }

    // The computer name the first start registered.
    static std::string Computer()
    {
        const std::vector<QByteArray> registrations = Bodies(QStringLiteral("INPUT3.asp"));
        return registrations.empty() ? std::string()
                                     : Field(registrations.front(), "P_COMNAME").toStdString();
    }

    // The installer as a person starts it, into the program's folder, its folder page and the
    // question it asks once 설치 is pressed there.
    struct AskingInstaller
    {
        std::unique_ptr<QProcess> process;
        QString page;
        QString question;
    };

    static AskingInstaller StartInstallerUntilItAsks()
    {
        AskingInstaller setup;
        setup.process =
            desktop->Start({QStringLiteral("cmd"), QStringLiteral("/c"),
                            QStringLiteral("C:\\Quillane-Setup.exe /D=") + InstallFolder});
        setup.page = desktop->WaitForWindow(SetupTitle);
        if (setup.page.isEmpty())
            return setup;
        desktop->Key(setup.page, QStringLiteral("Return")); // 설치
        // The message box has the installer's caption too.
        WaitFor(
            [&] {
                for (const QString& window : desktop->Windows(SetupTitle))
                    if (window != setup.page)
                        setup.question = window;
                return !setup.question.isEmpty();
            },
            std::chrono::seconds(60));
        QThread::msleep(1000);
        return setup;
    }

    static bool Answer(const AskingInstaller& setup, const QString& key)
    {
        desktop->Key(setup.question, key);
        return WaitFor([&] { return !desktop->Windows(SetupTitle).contains(setup.question); });
    }

    static inline WineDesktop* desktop = nullptr;
    static inline ReferenceService* service = nullptr;
    static inline QString problem;
};

TEST_F(WindowsEndToEnd, TheInstallerPutsTheProgramWhereItWasTold)
{
    for (const QString& name : {QStringLiteral("Quillane.exe"), QStringLiteral("Quillane_UP.EXE"),
                                QStringLiteral("Quillane.MDB"), QStringLiteral("Help.mht"),
                                QStringLiteral("Uninstall.exe"), QStringLiteral("Qt6Core.dll"),
                                QStringLiteral("platforms/qwindows.dll")})
        EXPECT_TRUE(QFileInfo::exists(Installed(name))) << name.toStdString();
    // The registry's export is UTF-16; what reg prints is in the console's code page.
    const WinePrefix::Result exported = desktop->wine.Run(
        {QStringLiteral("reg"), QStringLiteral("export"),
         QStringLiteral("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillane"),
         QStringLiteral("C:\\uninstall.reg")});
    ASSERT_EQ(exported.exitCode, 0) << exported.errors.toStdString();
    QStringDecoder utf16(QStringConverter::Utf16LE);
    const QString entry =
        utf16(FileBytes(desktop->wine.DriveC() + QStringLiteral("/uninstall.reg")));
    EXPECT_TRUE(
        entry.contains(QStringLiteral("\"InstallLocation\"=\"C:\\\\약국 프로그램\\\\Quillane\"")))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains(QStringLiteral("\"DisplayVersion\"=\"52\""))) << entry.toStdString();
}

TEST_F(WindowsEndToEnd, FirstStartRegistersSignsInAndTheSessionEndReportsOff)
{
    QFile::remove(Installed(QStringLiteral("quillane.ini")));
    const std::unique_ptr<QProcess> program = StartProgram();

    const QString basicInfo = desktop->WaitForWindow(BasicInfoTitle);
    ASSERT_FALSE(basicInfo.isEmpty()) << "the first start opens the basic-information window";
    QThread::msleep(1500);
    desktop->Screenshot(ScreenshotPath(QStringLiteral("basic-information")));
    desktop->Click(basicInfo, 200, 156);
    desktop->Paste(basicInfo, QStringLiteral("박서연"));
    desktop->Key(basicInfo, QStringLiteral("Return"));
    desktop->Type(basicInfo, QStringLiteral("23456"));
    desktop->Key(basicInfo, QStringLiteral("Return"));
    desktop->Type(basicInfo, QStringLiteral("7208242"));
    desktop->Key(basicInfo, QStringLiteral("Return"));

    ASSERT_TRUE(ConfirmMessage(QStringLiteral("확인")))
        << "the saved message; identity checks: "
        << Bodies(QStringLiteral("Permission.asp")).size();
    ASSERT_TRUE(WaitForBodies(QStringLiteral("TimeCheck.asp"), 1)) << "signed in and reported";

    const QByteArray identity = QByteArray("PALICENSE =23456&PANAME   =") + SeoyeonInCodePage949 +
                                "&JUMINNUM =7208242" + '\0';
    EXPECT_THAT(Bodies(QStringLiteral("Permission.asp")), ElementsAre(identity, identity));
    const std::vector<QByteArray> registrations = Bodies(QStringLiteral("INPUT3.asp"));
    ASSERT_EQ(registrations.size(), 1u);
    const QByteArray computer = Field(registrations.front(), "P_COMNAME");
    ASSERT_FALSE(computer.isEmpty());
    const QByteArray registration =
        QByteArray("P_PANAME       =") + SeoyeonInCodePage949 +
        "&P_PALICENSE  =23456&P_CNAME      =" + ToCodePage949(u"서연온누리약국") +
        "&P_ZIP1       =100&P_ZIP2       =&P_ADDRESS1   =&P_ADDRESS2   =&P_ADDRESS3   ="
        "&P_ADDRESS4   =" +
        ToCodePage949(u"소공로 55") +
        "&P_PHONE      =02-752-4321&P_MOBILE     =010-8765-4321&P_FAX        =02-752-4322"
        "&P_LOCATION   =" +
        ToCodePage949(u"시청역 6번 출구 옆") + "&P_COMNAME    =" + computer +
        "&P_JUMINNUM   =7208242&P_CHK        =1" + '\0';
    EXPECT_EQ(registrations.front(), registration);
    const std::vector<QByteArray> signIns = Bodies(QStringLiteral("ComCheck2.asp"));
    ASSERT_FALSE(signIns.empty());
    EXPECT_EQ(signIns.front(), QByteArray::fromStdString(SignInBody(SeoyeonInCodePage949, "23456",
                                                                    computer.toStdString())));
    EXPECT_TRUE(
        std::regex_match(Bodies(QStringLiteral("TimeCheck.asp")).front().toStdString(),
                         std::regex(PresencePattern(computer.toStdString(), "23456", "on"))));

    const QString expected =
        QStringLiteral("[버전정보]\r\n버전=0\r\n파일경로=") + InstallFolder +
        QStringLiteral(
            "\\\r\n[기본정보]\r\n개국약사명=박서연\r\n개국약사면허번호=23456\r\n"
            "약국명=서연온누리약국\r\n우편번호1=100\r\n우편번호2=\r\n주민번호=7208242\r\n"
            "주소1=100\r\n주소2=\r\n주소3=서울특별시 중구 소공동\r\n주소4=소공로 55\r\n"
            "약국전화=02-752-4321\r\n"
            "핸드폰=010-8765-4321\r\n팩스번호=02-752-4322\r\n위치정보=시청역 6번 출구 옆\r\n"
            "푸른등대=") +
        QString::fromLatin1(computer) + QStringLiteral("\r\n처음로그인=Y\r\n자동체크=Y\r\n");
    EXPECT_EQ(FileBytes(Installed(QStringLiteral("quillane.ini"))), ToCodePage949(expected));

    // The weekly hours follow the registration: fetched, saved, confirmed; the legal holidays'
    // window comes next and is closed by its bar.
    const QString weekly = desktop->WaitForWindow(WeeklyTitle);
    ASSERT_FALSE(weekly.isEmpty());
    ASSERT_TRUE(WaitForBodies(QStringLiteral("normal3.asp"), 1)) << "the weekly hours fetched";
    QThread::msleep(1500);
    desktop->Click(weekly, 209, 557); // 입력완료
    ASSERT_TRUE(WaitForBodies(QStringLiteral("normal3.asp"), 2)) << "the weekly hours saved";
    EXPECT_TRUE(
        Bodies(QStringLiteral("normal3.asp"))
            .back()
            .startsWith("P_select  =2&P_LICENSE    =23456&P_Comname    =" + computer + '&'));
    ASSERT_TRUE(ConfirmMessage(QStringLiteral("초록우체통")));
    const QString holidays = desktop->WaitForWindow(QStringLiteral("^초록우체통 공휴일"));
    ASSERT_FALSE(holidays.isEmpty());
    desktop->Click(holidays, 250, 585);
    EXPECT_TRUE(desktop->WaitUntilGone(QStringLiteral("^초록우체통 ")));

    // A second start from the desktop link hands over to the running copy, which shows its main
    // screen.
    const std::unique_ptr<QProcess> second = StartProgram({QStringLiteral("C:\\Windows\\win.ini")});
    EXPECT_TRUE(second->waitForFinished(60000));
    EXPECT_EQ(second->exitCode(), 0);
    const QString main = desktop->WaitForWindow(MainTitle);
    EXPECT_FALSE(main.isEmpty()) << "the main screen of the running copy";
    QThread::msleep(1500);
    desktop->Screenshot(ScreenshotPath(QStringLiteral("main-screen")));

    const std::size_t reports = Bodies(QStringLiteral("TimeCheck.asp")).size();
    const WinePrefix::Result end = desktop->EndSession();
    EXPECT_EQ(end.exitCode, 0) << end.errors.toStdString();
    EXPECT_TRUE(program->waitForFinished(60000)) << "the program ends with the session";
    const std::vector<QByteArray> after = Bodies(QStringLiteral("TimeCheck.asp"));
    ASSERT_GT(after.size(), reports);
    EXPECT_TRUE(
        std::regex_match(after.back().toStdString(),
                         std::regex(PresencePattern(computer.toStdString(), "23456", "off"))))
        << after.back().toStdString();
}

// The next version is offered signed with this machine's development key, which the Windows
// development build carries: the program hands over to the real updater, which swaps the files,
// its own running executable among them, records the version and starts the new program, which
// signs in.
TEST_F(WindowsEndToEnd, TheUpdaterPutsTheNextVersionInPlaceAndItSignsIn)
{
    ASSERT_TRUE(QFileInfo::exists(Installed(QStringLiteral("quillane.ini"))))
        << "the first start registered the pharmacy";
    const QString offered = service->UpdateFolder() + u'/';
    ASSERT_TRUE(WritePackage(
        offered + QStringLiteral("QUILLANE_UPDATE.ZIP"),
        {{"Quillane.exe", FileBytes(Installed(QStringLiteral("Quillane.exe"))).toStdString()},
         {"Quillane_UP.EXE", FileBytes(Installed(QStringLiteral("Quillane_UP.EXE"))).toStdString()},
         {"marker.txt", "version 53"}}));
    QProcess sign;
    sign.start(QStringLiteral("bash"),
               {QStringLiteral(QUILLANE_SIGN_SCRIPT), QStringLiteral("sign-development"),
                offered + QStringLiteral("QUILLANE_UPDATE.ZIP"), QStringLiteral("53"),
                offered + QStringLiteral("QUILLANE_UPDATE.sig")});
    ASSERT_TRUE(sign.waitForFinished(60000) && sign.exitCode() == 0)
        << sign.readAllStandardError().toStdString();
    QFile version(offered + QStringLiteral("QUILLANE_Version.INI"));
    ASSERT_TRUE(version.open(QIODevice::WriteOnly));
    version.write(ToCodePage949(u"[버전정보]\r\n버전=53\r\n"));
    version.close();
    const std::size_t signIns = Bodies(QStringLiteral("ComCheck2.asp")).size();

    const std::unique_ptr<QProcess> old = StartProgram();
    EXPECT_TRUE(old->waitForFinished(120000)) << "the old version ends for the updater";
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(Installed(QStringLiteral("marker.txt"))); },
                        std::chrono::seconds(120)))
        << "the updater put the new files in place";
    ASSERT_TRUE(WaitForBodies(QStringLiteral("ComCheck2.asp"), signIns + 1))
        << "the new version signs in";
    EXPECT_EQ(Bodies(QStringLiteral("ComCheck2.asp")).size(), signIns + 1)
        << "the old version never signed in";
    EXPECT_TRUE(WaitFor([&] {
        return FileBytes(Installed(QStringLiteral("quillane.ini")))
            .contains(ToCodePage949(u"\r\n버전=53\r\n"));
    })) << "the version is recorded";

    // Once the new version has started, the update's folder keeps no journal and no backup; the
    // downloads and the hand-over note stay until the next update replaces them.
    QStringList left;
    EXPECT_TRUE(WaitFor([&] {
        left.clear();
        QDirIterator files(desktop->wine.DriveC() + QStringLiteral("/users"),
                           QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            if (file.contains(QStringLiteral("/Quillane/Update/")) &&
                !file.endsWith(QStringLiteral(".ZIP")) && !file.endsWith(QStringLiteral(".sig")) &&
                !file.endsWith(QStringLiteral(".INI")) &&
                !file.endsWith(QStringLiteral("/handover.version")))
                left.append(file);
        }
        return left.isEmpty();
    })) << left.join(u' ').toStdString();

    const std::size_t reports = Bodies(QStringLiteral("TimeCheck.asp")).size();
    const WinePrefix::Result end = desktop->EndSession();
    EXPECT_EQ(end.exitCode, 0) << end.errors.toStdString();
    EXPECT_TRUE(WaitForBodies(QStringLiteral("TimeCheck.asp"), reports + 1))
        << "the new version reports off at the end of the session";
}

// Installing over the running copy asks first. Cancelled, the copy goes on and no file changes;
// agreed, the copy ends as at the end of the session, with its "off" report, the files are
// replaced and the pharmacy's settings are kept as they were.
TEST_F(WindowsEndToEnd, InstallingOverTheRunningCopyAsksBeforeItEndsIt)
{
    const std::size_t signIns = Bodies(QStringLiteral("ComCheck2.asp")).size();
    const std::size_t onReports = Bodies(QStringLiteral("TimeCheck.asp")).size() + 1;
    const std::unique_ptr<QProcess> program = StartProgram();
    ASSERT_TRUE(WaitForBodies(QStringLiteral("ComCheck2.asp"), signIns + 1)) << "signed in";
    ASSERT_TRUE(WaitForBodies(QStringLiteral("TimeCheck.asp"), onReports)) << "reported on";
    const std::size_t reports = Bodies(QStringLiteral("TimeCheck.asp")).size();
    const QByteArray settings = FileBytes(Installed(QStringLiteral("quillane.ini")));
    const QString manual = Installed(QStringLiteral("Help.mht"));
    QFile older(manual);
    ASSERT_TRUE(older.open(QIODevice::WriteOnly | QIODevice::Truncate));
    older.write("an older manual");
    older.close();
    const QString executable = Installed(QStringLiteral("Quillane.exe"));
    const QDateTime programTime = QFileInfo(executable).lastModified();
    const QString uninstaller = Installed(QStringLiteral("Uninstall.exe"));
    const QDateTime uninstallerTime = QFileInfo(uninstaller).lastModified();

    // 취소: the installation is called off.
    const AskingInstaller cancelled = StartInstallerUntilItAsks();
    ASSERT_FALSE(cancelled.question.isEmpty()) << "the installer asks first";
    desktop->Screenshot(ScreenshotPath(QStringLiteral("installer-question")));
    ASSERT_TRUE(Answer(cancelled, QStringLiteral("Escape")));
    QThread::msleep(1000);
    desktop->Screenshot(ScreenshotPath(QStringLiteral("installer-cancelled")));
    desktop->Key(cancelled.page, QStringLiteral("Return")); // 취소
    ASSERT_TRUE(cancelled.process->waitForFinished(60000)) << "the installer ends";
    EXPECT_NE(cancelled.process->exitCode(), 0) << "nothing installed";
    EXPECT_FALSE(program->waitForFinished(1000)) << "the copy goes on";
    EXPECT_EQ(Bodies(QStringLiteral("TimeCheck.asp")).size(), reports);
    EXPECT_EQ(FileBytes(manual), "an older manual");
    EXPECT_EQ(QFileInfo(executable).lastModified(), programTime);

    // 확인: the copy ends, the files are replaced; the finish page starts nothing.
    const AskingInstaller agreed = StartInstallerUntilItAsks();
    ASSERT_FALSE(agreed.question.isEmpty()) << "the installer asks first";
    ASSERT_TRUE(Answer(agreed, QStringLiteral("Return")));
    const QByteArray shipped = FileBytes(QStringLiteral(QUILLANE_WINDOWS_PROGRAM "/Help.mht"));
    ASSERT_TRUE(WaitFor(
        [&] {
            return FileBytes(manual) == shipped &&
                   QFileInfo(uninstaller).lastModified() != uninstallerTime;
        },
        std::chrono::seconds(120)))
        << "the installer put the files in place";
    QThread::msleep(2000);
    desktop->Screenshot(ScreenshotPath(QStringLiteral("installer-finished")));
    desktop->Key(agreed.page, QStringLiteral("space"));  // 초록우체통 실행하기, unticked
    desktop->Key(agreed.page, QStringLiteral("Return")); // 마침
    ASSERT_TRUE(agreed.process->waitForFinished(60000)) << "the installer ends";
    EXPECT_EQ(agreed.process->exitCode(), 0);
    EXPECT_TRUE(program->waitForFinished(30000)) << "the running copy ended";
    const std::vector<QByteArray> after = Bodies(QStringLiteral("TimeCheck.asp"));
    ASSERT_GT(after.size(), reports);
    for (auto report = after.begin() + std::ptrdiff_t(reports); report != after.end(); ++report)
        EXPECT_TRUE(std::regex_match(report->toStdString(),
                                     std::regex(PresencePattern(Computer(), "23456", "off"))))
            << report->toStdString();
    EXPECT_NE(QFileInfo(executable).lastModified(), programTime);
    EXPECT_EQ(FileBytes(Installed(QStringLiteral("quillane.ini"))), settings);
}

// Removed silently, the program's files, the files updates added, its uninstaller and its
// registration go; the pharmacy's settings file stays, and so does whatever a planted line of the
// list of added files names outside the installed files.
TEST_F(WindowsEndToEnd, UninstallingKeepsTheSettingsFile)
{
    ASSERT_TRUE(QFileInfo::exists(Installed(QStringLiteral("quillane.ini"))));
    const QString list = Installed(QStringLiteral("Quillane.files"));
    ASSERT_EQ(FileBytes(list), QByteArray("\xff\xfem\0a\0r\0k\0e\0r\0.\0t\0x\0t\0\r\0\n\0", 26))
        << "the update listed the file it added";
    const QByteArray settings = FileBytes(Installed(QStringLiteral("quillane.ini")));
    const QString outside = desktop->UnixPath(QStringLiteral("C:\\약국 프로그램\\outside.txt"));
    QFile pharmacistsFile(outside);
    ASSERT_TRUE(pharmacistsFile.open(QIODevice::WriteOnly));
    pharmacistsFile.write("the pharmacist's own file");
    pharmacistsFile.close();
    QStringEncoder utf16(QStringConverter::Utf16LE);
    QFile planted(list);
    ASSERT_TRUE(planted.open(QIODevice::Append));
    planted.write(
        utf16(QStringLiteral("..\\outside.txt\r\nquillane.ini\r\nQUILLA~1.INI\r\n*\r\n")));
    planted.close();

    const WinePrefix::Result uninstall = desktop->wine.Run(
        {InstallFolder + QStringLiteral("\\Uninstall.exe"), QStringLiteral("/S")});
    EXPECT_EQ(uninstall.exitCode, 0) << uninstall.errors.toStdString();
    EXPECT_TRUE(
        WaitFor([&] { return !QFileInfo::exists(Installed(QStringLiteral("Uninstall.exe"))); },
                std::chrono::seconds(60)));
    // The shipped files, the update's (its added file, the updater it moved aside) and the list
    // are gone; the settings file alone is left.
    const QStringList left =
        QDir(desktop->UnixPath(InstallFolder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    EXPECT_EQ(left, QStringList{QStringLiteral("quillane.ini")});
    EXPECT_EQ(FileBytes(Installed(QStringLiteral("quillane.ini"))), settings);
    EXPECT_EQ(FileBytes(outside), "the pharmacist's own file");
    const WinePrefix::Result registered = desktop->wine.Run(
        {QStringLiteral("reg"), QStringLiteral("query"),
         QStringLiteral(
             "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillane")});
    EXPECT_NE(registered.exitCode, 0) << "the uninstall entry is gone";
}

} // namespace
