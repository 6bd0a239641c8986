#include "core/management/ManagementServices.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "tests/app/LoopbackService.h"
#include "tests/app/ProgramOnScreen.h"
#include "tests/app/TimeCheckRecorder.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QThread>
#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <regex>

namespace {

using ::testing::ElementsAre;

const QString BasicInfoTitle = QStringLiteral("^초록우체통 기본정보입력");

// 박서연 in code page 949; the demo member with nothing registered yet.
constexpr char SeoyeonCp949[] = "\xb9\xda\xbc\xad\xbf\xac";

QByteArray Cp949(const QString& text)
{
    QStringEncoder encoder("windows-949");
    return encoder(text);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bodies in hexadecimal, for a failure's message.
std::string Hex(const std::vector<QByteArray>& bodies)
{
    std::string text;
    for (const QByteArray& body : bodies)
        text += body.toHex().toStdString() + ' ';
    return text;
}

// The service's public listing (UTF-8).
QString ListingPage(const QString& host)
{
    const QStringList parts = host.split(QLatin1Char(':'));
    httplib::Client client(parts.value(0).toStdString(), parts.value(1).toInt());
    const httplib::Result page = client.Get("/");
    return page ? QString::fromStdString(page->body) : QString();
}

QByteArray SeoyeonIdentityBody()
{
    return QByteArray("PALICENSE =23456&PANAME   =") + SeoyeonCp949 + "&JUMINNUM =7208242" + '\0';
}

// The real program on an X server of the test's own against the reference service with its
// demo members, driven as a pharmacist drives it.
class BasicInfoEndToEnd : public ::testing::Test, protected ProgramOnScreen
{
protected:
    void SetUp() override
    {
        if (!XvfbDisplay::ToolsInstalled())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        if (QStandardPaths::findExecutable(QStringLiteral("xmodmap")).isEmpty())
            GTEST_SKIP() << "xmodmap is not installed";
        ASSERT_NO_FATAL_FAILURE(Connect());
        MapSyllables(QStringLiteral("박서연이준호소공로층"));
    }

    // The program's visible window whose title matches, once it shows.
    QString WaitForWindow(const QString& title) const
    {
        QStringList windows;
        WaitFor([&] {
            windows = Windows(title);
            return !windows.isEmpty();
        });
        return windows.value(0);
    }

    // Without a tray the main screen stays up; once the program reports presence, its first
    // button opens the basic-information window. Its id, or empty when it did not show.
    QString OpenBasicInfoFromMainScreen()
    {
        const QString main = WaitForWindow(QStringLiteral("^Quillane"));
        if (main.isEmpty() || !service.WaitUntil([](const std::vector<StoredRequest>& requests) {
                return !PostedBodies(requests, QStringLiteral("TimeCheck.asp")).empty();
            }))
            return {};
        Click(main, 60, 100);
        return WaitForWindow(BasicInfoTitle);
    }

    bool WindowGone(const QString& title) const
    {
        return WaitFor([&] { return Windows(title).isEmpty(); });
    }

    // Gives each Hangul syllable a key of its own. Without one xdotool maps a spare key for every
    // press and takes it back at once, and a busy program may read the press under the wrong map.
    void MapSyllables(const QString& texts) const
    {
        QProcess keymap;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), screen.Display());
        keymap.setProcessEnvironment(environment);
        keymap.start(QStringLiteral("xmodmap"), {QStringLiteral("-pke")});
        keymap.waitForFinished();
        QStringList freeKeys;
        static const QRegularExpression unmapped(QStringLiteral("^keycode +(\\d+) =\\s*$"));
        for (const QString& line :
             QString::fromLatin1(keymap.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch match = unmapped.match(line);
            if (match.hasMatch() && match.captured(1).toInt() > 8)
                freeKeys.append(match.captured(1));
        }
        QStringList assignments;
        QString mapped;
        for (const QChar syllable : texts) {
            if (mapped.contains(syllable) || freeKeys.isEmpty())
                continue;
            mapped.append(syllable);
            const QString keysym = QStringLiteral("U%1").arg(syllable.unicode(), 4, 16);
            assignments << QStringLiteral("-e")
                        << QStringLiteral("keycode %1 = %2 %2").arg(freeKeys.takeFirst(), keysym);
        }
        keymap.start(QStringLiteral("xmodmap"), assignments);
        keymap.waitForFinished();
        QThread::msleep(300);
    }

    // Types the text into the focused box and presses Enter.
    // ASCII is typed; Hangul is pasted, as xdotool types it through keys it remaps for the
    // moment, which the program may read after the map is back.
    void TypeAndEnter(const QString& text) const
    {
        const bool ascii =
            std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (ascii)
            screen.Xdotool(
                {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"), text});
        else
            screen.Paste(text);
        screen.Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    }

    // Waits for the message box of the caption and confirms it with Enter.
    bool ConfirmMessage(const QString& caption) const
    {
        const QString title = QLatin1Char('^') + caption + QLatin1Char('$');
        if (WaitForWindow(title).isEmpty())
            return false;
        screen.Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        return WindowGone(title);
    }

    // The name, licence and birth number typed into the basic-information window, each with Enter.
    void TypeIdentity(const QString& basicInfo, const QString& name, const QString& license,
                      const QString& birth) const
    {
        // The window takes keys once it has settled after showing.
        QThread::msleep(500);
        Click(basicInfo, 200, 156);
        TypeAndEnter(name);
        TypeAndEnter(license);
        TypeAndEnter(birth);
    }

    std::vector<QByteArray> Bodies(const QString& page) const
    {
        return PostedBodies(service.Requests(), page);
    }
};

// A first start in a program folder without settings, with the local database or without it
// (its failure is confirmed first; the registration then finds no postal row either way).
class FirstStart : public BasicInfoEndToEnd, public ::testing::WithParamInterface<bool>
{
};

TEST_P(FirstStart, ConfirmsTheIdentityRegistersAndSignsIn)
{
    const bool localDatabase = GetParam();
    QFile::remove(Settings());
    if (!localDatabase)
        QFile::remove(sandbox.ProgramFolder() + QStringLiteral("Quillane.MDB"));
    const QString computer = LocalComputerName();
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    if (!localDatabase) {
        ASSERT_TRUE(ConfirmMessage(QStringLiteral("경고")));
    }
    const QString basicInfo = WaitForWindow(BasicInfoTitle);
    ASSERT_FALSE(basicInfo.isEmpty()) << "the first start opens the basic-information window";
    QThread::msleep(500);
    Press(basicInfo, QStringLiteral("Escape"));
    QThread::msleep(500);
    ASSERT_FALSE(Windows(BasicInfoTitle).isEmpty()) << "Escape does not close the window";

    TypeIdentity(basicInfo, QStringLiteral("박서연"), QStringLiteral("23456"),
                 QStringLiteral("7208242"));

    ASSERT_TRUE(ConfirmMessage(QStringLiteral("확인")))
        << "the saved message; identity checks: " << Hex(Bodies(QStringLiteral("Permission.asp")));
    ASSERT_TRUE(WindowGone(BasicInfoTitle));
    EXPECT_FALSE(WaitForWindow(QStringLiteral("^초록우체통 정상 근무시간")).isEmpty());
    ASSERT_TRUE(service.WaitUntil([](const std::vector<StoredRequest>& requests) {
        return !PostedBodies(requests, QStringLiteral("TimeCheck.asp")).empty();
    })) << "signed in with the stored values and reported presence";

    EXPECT_THAT(Bodies(QStringLiteral("Permission.asp")),
                ElementsAre(SeoyeonIdentityBody(), SeoyeonIdentityBody()))
        << "the check and the re-check after the registration";
    // The identity answer gives the first postal-code part only, so the local table finds no
    // row and the three address parts go out empty; the service keeps the address it holds.
    const QByteArray registration =
        QByteArray("P_PANAME       =") + SeoyeonCp949 +
        "&P_PALICENSE  =23456&P_CNAME      =" + Cp949(QStringLiteral("서연온누리약국")) +
        "&P_ZIP1       =100&P_ZIP2       =&P_ADDRESS1   =&P_ADDRESS2   =&P_ADDRESS3   ="
        "&P_ADDRESS4   =" +
        Cp949(QStringLiteral("소공로 55")) +
        "&P_PHONE      =02-752-4321&P_MOBILE     =010-8765-4321&P_FAX        =02-752-4322"
        "&P_LOCATION   =" +
        Cp949(QStringLiteral("시청역 6번 출구 옆")) + "&P_COMNAME    =" + computer.toLatin1() +
        "&P_JUMINNUM   =7208242&P_CHK        =1" + '\0';
    EXPECT_THAT(Bodies(QStringLiteral("INPUT3.asp")), ElementsAre(registration));
    const std::vector<QByteArray> signIns = Bodies(QStringLiteral("ComCheck2.asp"));
    ASSERT_FALSE(signIns.empty());
    EXPECT_EQ(signIns.front(),
              QByteArray::fromStdString(SignInBody(SeoyeonCp949, "23456", computer.toStdString())))
        << "the sign-in inside the window posts what was just stored";
    const std::vector<QByteArray> reports = Bodies(QStringLiteral("TimeCheck.asp"));
    EXPECT_TRUE(
        std::regex_match(reports.front().toStdString(),
                         std::regex(PresencePattern(computer.toStdString(), "23456", "on"))))
        << reports.front().toStdString();

    const QString expected =
        QStringLiteral("[버전정보]\r\n버전=0\r\n파일경로=") + sandbox.ProgramFolder() +
        QStringLiteral(
            "\r\n[기본정보]\r\n개국약사명=박서연\r\n개국약사면허번호=23456\r\n"
            "약국명=서연온누리약국\r\n우편번호1=100\r\n우편번호2=\r\n주민번호=7208242\r\n"
            "주소1=100\r\n주소2=\r\n주소3=서울특별시 중구 소공동\r\n주소4=소공로 55\r\n"
            "약국전화=02-752-4321\r\n"
            "핸드폰=010-8765-4321\r\n팩스번호=02-752-4322\r\n위치정보=시청역 6번 출구 옆\r\n"
            "푸른등대=") +
        computer + QStringLiteral("\r\n처음로그인=Y\r\n자동체크=Y\r\n");
    EXPECT_EQ(FileBytes(Settings()), Cp949(expected));
    EXPECT_TRUE(
        ListingPage(service.Host()).contains(QStringLiteral("서울특별시 중구 소공동 소공로 55")))
        << "the public listing keeps the pharmacy's address";
}

INSTANTIATE_TEST_SUITE_P(Folders, FirstStart, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "WithLocalDatabase" : "WithoutLocalDatabase";
                         });

TEST_F(BasicInfoEndToEnd, RefusedIdentityEmptiesTheThreeFields)
{
    QFile::remove(Settings());
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    const QString basicInfo = WaitForWindow(BasicInfoTitle);
    ASSERT_FALSE(basicInfo.isEmpty());

    // 이준호 owns no pharmacy: "3".
    TypeIdentity(basicInfo, QStringLiteral("이준호"), QStringLiteral("34567"),
                 QStringLiteral("8811011"));
    ASSERT_TRUE(ConfirmMessage(QStringLiteral("경고")));

    // The focus is back in the emptied name field: what is typed now stands alone.
    TypeAndEnter(QStringLiteral("박서연"));
    TypeAndEnter(QStringLiteral("23456"));
    TypeAndEnter(QStringLiteral("7208242"));
    ASSERT_TRUE(service.WaitUntil([](const std::vector<StoredRequest>& requests) {
        return PostedBodies(requests, QStringLiteral("Permission.asp")).size() >= 2;
    }));
    EXPECT_EQ(Bodies(QStringLiteral("Permission.asp")).at(1), SeoyeonIdentityBody());
}

TEST_F(BasicInfoEndToEnd, PostalSearchThenReleaseOfTheCheckComputer)
{
    WriteDemoOwner(Settings());
    WriteIniString(Settings(), SettingsKeys::BasicInfo, SettingsKeys::Address4,
                   QStringLiteral("논현로 1"));
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    const QString basicInfo = OpenBasicInfoFromMainScreen();
    ASSERT_FALSE(basicInfo.isEmpty());

    // Enter in the pharmacy name opens the postal search on an emptied detail address; it is
    // closed without a choice.
    Click(basicInfo, 200, 222);
    screen.Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    const QString search = QStringLiteral("^초록우체통 우편번호$");
    ASSERT_FALSE(WaitForWindow(search).isEmpty());
    screen.Xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    ASSERT_TRUE(WindowGone(search));

    Click(basicInfo, 251, 470); // the check box, on from the settings, goes off
    Click(basicInfo, 209, 548); // 입력완료
    ASSERT_TRUE(ConfirmMessage(QStringLiteral("확인요망"))) << "Enter answers Yes";
    ASSERT_TRUE(ConfirmMessage(QStringLiteral("확인"))) << "the saved message";

    const std::vector<QByteArray> registrations = Bodies(QStringLiteral("INPUT3.asp"));
    ASSERT_EQ(registrations.size(), 1u);
    EXPECT_EQ(registrations.front(),
              QByteArray("P_PANAME       =") + Cp949(QStringLiteral("김똘이")) +
                  "&P_PALICENSE  =12345&P_CNAME      =&P_ZIP1       =&P_ZIP2       ="
                  "&P_ADDRESS1   =&P_ADDRESS2   =&P_ADDRESS3   =&P_ADDRESS4   =&P_PHONE      ="
                  "&P_MOBILE     =&P_FAX        =&P_LOCATION   =&P_COMNAME    =&P_JUMINNUM   ="
                  "&P_CHK        =1" +
                  '\0');
    EXPECT_TRUE(FileBytes(Settings()).contains(Cp949(QStringLiteral("\r\n푸른등대=\r\n"))));
    EXPECT_FALSE(WaitForWindow(QStringLiteral("^초록우체통 정상 근무시간")).isEmpty());
}

// After a confirmed identity the pharmacist picks the address line in the postal search and
// types the street address into the detail address; a character the service cannot store is
// refused before anything is sent. Both addresses are registered together.
TEST_F(BasicInfoEndToEnd, PostalChoiceAndStreetAddressAreRegisteredTogether)
{
    WriteDemoOwner(Settings());
    program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    const QString basicInfo = OpenBasicInfoFromMainScreen();
    ASSERT_FALSE(basicInfo.isEmpty());
    const QString computer = LocalComputerName();

    // Name and licence come from the settings; the birth number confirms the identity, whose
    // answer fills the form.
    QThread::msleep(500);
    Click(basicInfo, 200, 199);
    TypeAndEnter(QStringLiteral("6503151"));
    ASSERT_TRUE(service.WaitUntil([](const std::vector<StoredRequest>& requests) {
        return !PostedBodies(requests, QStringLiteral("Permission.asp")).empty();
    }));
    QThread::msleep(1000);

    // An accented letter in the location is refused with a message naming the field.
    Click(basicInfo, 400, 426);
    screen.Xdotool({QStringLiteral("key"), QStringLiteral("End")});
    screen.Paste(QStringLiteral(" Café"));
    Click(basicInfo, 209, 548); // 입력완료
    ASSERT_TRUE(ConfirmMessage(QStringLiteral("경고")));
    EXPECT_TRUE(Bodies(QStringLiteral("INPUT3.asp")).empty()) << "nothing sent";
    Click(basicInfo, 400, 426);
    screen.Xdotool({QStringLiteral("key"), QStringLiteral("End")});
    for (int i = 0; i < 5; ++i)
        screen.Xdotool({QStringLiteral("key"), QStringLiteral("BackSpace")});

    // Enter in the pharmacy name opens the search; a double click chooses the first row.
    Click(basicInfo, 200, 222);
    screen.Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    const QString searchTitle = QStringLiteral("^초록우체통 우편번호$");
    const QString search = WaitForWindow(searchTitle);
    ASSERT_FALSE(search.isEmpty());
    QThread::msleep(300);
    TypeAndEnter(QStringLiteral("소공"));
    QThread::msleep(500);
    const QPoint firstRow = Origin(search) + QPoint(100, 88);
    screen.Xdotool({QStringLiteral("mousemove"), QString::number(firstRow.x()),
                    QString::number(firstRow.y()), QStringLiteral("click"),
                    QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("1")});
    ASSERT_TRUE(WindowGone(searchTitle));

    // The focus is in the detail address, which takes the street address.
    QThread::msleep(500);
    screen.Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"),
                    QStringLiteral("소공로 55 2층")});
    Click(basicInfo, 209, 548); // 입력완료
    ASSERT_TRUE(ConfirmMessage(QStringLiteral("확인"))) << "the saved message";

    const QByteArray registration =
        QByteArray("P_PANAME       =") + Cp949(QStringLiteral("김똘이")) +
        "&P_PALICENSE  =12345&P_CNAME      =" + Cp949(QStringLiteral("똘이약국")) +
        "&P_ZIP1       =100&P_ZIP2       =070&P_ADDRESS1   =" +
        Cp949(QStringLiteral("서울특별시")) + "&P_ADDRESS2   =" + Cp949(QStringLiteral("중구")) +
        "&P_ADDRESS3   =" + Cp949(QStringLiteral("소공동")) +
        "&P_ADDRESS4   =" + Cp949(QStringLiteral("소공로 55 2층")) +
        "&P_PHONE      =02-515-1234&P_MOBILE     =010-2345-6789&P_FAX        =02-515-1235"
        "&P_LOCATION   =" +
        Cp949(QStringLiteral("논현역 2번 출구 앞")) + "&P_COMNAME    =" + computer.toLatin1() +
        "&P_JUMINNUM   =6503151&P_CHK        =1" + '\0';
    EXPECT_THAT(Bodies(QStringLiteral("INPUT3.asp")), ElementsAre(registration));
    const QByteArray settings = FileBytes(Settings());
    EXPECT_TRUE(settings.contains(Cp949(QStringLiteral("\r\n주소3=서울특별시 중구 소공동\r\n"))));
    EXPECT_TRUE(settings.contains(Cp949(QStringLiteral("\r\n주소4=소공로 55 2층\r\n"))));
}

} // namespace
