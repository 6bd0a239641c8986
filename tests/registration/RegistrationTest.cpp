#include "core/management/ManagementServices.h"
#include "tests/registration/ServiceAnswerFixture.h"

#include <QStringEncoder>
#include <gmock/gmock.h>

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

const QString NotSent = QStringLiteral("기본환경설정 값이 서버로 전송되지 않았습니다. \r\n "
                                       "입력완료 버튼을 다시 눌러 주시기 바랍니다.");
const QString Saved = QStringLiteral("기본환경설정이 저장되었습니다");

using RegistrationTest = ServiceAnswerFixture;

// The first sign-in registers a confirmed identity on its own; with a management system it
// registers twice, the second navigation abandoning the first.
struct AutomaticCase
{
    const char* name;
    std::string checkComputer;
    QString edition;
    std::size_t posts;
    bool closesOnPaint;
};

void PrintTo(const AutomaticCase& test, std::ostream* out)
{
    *out << test.name;
}

class AutomaticRegistration : public RegistrationTest,
                              public ::testing::WithParamInterface<AutomaticCase>
{
};

TEST_P(AutomaticRegistration, PostsAndStoresOnceForOneAnswer)
{
    const AutomaticCase& test = GetParam();
    DetectedEdition = test.edition;
    service.SetAnswer("INPUT3.asp", "Y");
    service.SetAnswer("Permission.asp", Confirmed(test.checkComputer));
    fields.pharmacistName->setText(QStringLiteral("박서연"));
    fields.license->setText(QStringLiteral("23456"));
    fields.postalCode2->setText(QStringLiteral("070"));

    Identity(Confirmed(test.checkComputer));

    EXPECT_EQ(CloseOnPaint, test.closesOnPaint);
    if (test.posts == 0) {
        QTest::qWait(200);
        EXPECT_THAT(service.Bodies("INPUT3.asp"), IsEmpty());
        return;
    }
    EXPECT_EQ(pharmacy.checkComputer, LocalComputerName());
    EXPECT_EQ(pharmacy.license, QStringLiteral("23456"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return signIns > 0; }, 15000));
    QTest::qWait(300);
    const std::vector<QByteArray> posted = service.Bodies("INPUT3.asp");
    ASSERT_GE(posted.size(), 1u);
    ASSERT_LE(posted.size(), test.posts);
    const QByteArray expected =
        QByteArray("P_PANAME       =\xb9\xda\xbc\xad\xbf\xac&P_PALICENSE  =23456&P_CNAME      "
                   "=\xbc\xad\xbf\xac\xbf\xc2\xb4\xa9\xb8\xae\xbe\xe0\xb1\xb9&P_ZIP1       "
                   "=100&P_ZIP2       =070&P_ADDRESS1   =\xbc\xad\xbf\xef\xc6\xaf\xba\xb0\xbd\xc3"
                   "&P_ADDRESS2   =\xc1\xdf\xb1\xb8&P_ADDRESS3   =\xbc\xd2\xb0\xf8\xb5\xbf\xb8\xae"
                   "&P_ADDRESS4   =\xbc\xd2\xb0\xf8\xb7\xce 55&P_PHONE      =02-752-4321"
                   "&P_MOBILE     =010-2&P_FAX        =02-752-4322&P_LOCATION   ="
                   "\xbd\xc3\xc3\xbb\xbf\xaa 6\xb9\xf8 \xc3\xe2\xb1\xb8 \xbf\xb7&P_COMNAME    =") +
        LocalComputerName().toLatin1() + QByteArray("&P_JUMINNUM   =7208242&P_CHK        =1") +
        '\0';
    for (const QByteArray& body : posted)
        EXPECT_EQ(body, expected);
    // The weekly window that opens afterwards may say that this recorder gave it no hours.
    EXPECT_THAT(MessageTexts(), Contains(Saved).Times(1)) << "one answer, one saved message";
    EXPECT_EQ(signIns, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, AutomaticRegistration,
                         ::testing::Values(AutomaticCase{.name = "NoCheckComputerYet",
                                                         .checkComputer = "",
                                                         .edition = {},
                                                         .posts = 1,
                                                         .closesOnPaint = false},
                                           AutomaticCase{.name = "CheckComputerKnown",
                                                         .checkComputer = "OTHER-PC",
                                                         .edition = {},
                                                         .posts = 0,
                                                         .closesOnPaint = false},
                                           AutomaticCase{.name = "ManagementSystemToo",
                                                         .checkComputer = "",
                                                         .edition = QStringLiteral("QX2000XE"),
                                                         .posts = 2,
                                                         .closesOnPaint = true},
                                           AutomaticCase{.name = "ManagementSystemOnly",
                                                         .checkComputer = "OTHER-PC",
                                                         .edition = QStringLiteral("QX2000V5"),
                                                         .posts = 1,
                                                         .closesOnPaint = true}),
                         [](const ::testing::TestParamInfo<AutomaticCase>& param) {
                             return param.param.name;
                         });

// With a management system the window closes itself right after posting the registration, and
// the main window deletes it once it has closed: the answer still arrives, is stored and signs in
// again, because the window finishes its requests first.
TEST_F(RegistrationTest, AWindowClosedRightAfterPostingStillHandlesItsAnswer)
{
    DetectedEdition = QStringLiteral("QX2000V5");
    service.SetAnswer("INPUT3.asp", "Y");
    service.SetAnswer("Permission.asp", Confirmed("OTHER-PC"));
    fields.pharmacistName->setText(QStringLiteral("박서연"));
    fields.license->setText(QStringLiteral("23456"));
    fields.postalCode2->setText(QStringLiteral("070"));
    Identity(Confirmed("OTHER-PC"));
    ASSERT_TRUE(CloseOnPaint);
    ASSERT_EQ(Request("registration").ReadyState(), 1) << "the registration is under way";
    window->close();

    window->FinishRequests();
    window.reset();

    EXPECT_THAT(service.Bodies("INPUT3.asp"), SizeIs(1));
    EXPECT_THAT(MessageTexts(), ElementsAre(Saved));
    EXPECT_EQ(signIns, 1);
    EXPECT_EQ(Stored(SettingsKeys::PharmacistLicense), QStringLiteral("23456"));
    EXPECT_EQ(Stored(SettingsKeys::PharmacyName), QStringLiteral("서연온누리약국"));
}

TEST_F(RegistrationTest, SubmitWithoutConfirmationRefusesWhileTheBoxIsOn)
{
    fields.checkComputer->setChecked(true);
    Click(Button("submitButton"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().text,
              QStringLiteral("본인인증 절차를 진행하지 않았습니다.\r\n기본정보를 저장하실때는 "
                             "본인인증을 꼭 하셔야 합니다!"));
    EXPECT_TRUE(IsWarning(messages.front()));
    EXPECT_EQ(window->focusWidget(), fields.license);
    EXPECT_EQ(Request("registration").ReadyState(), 0) << "nothing sent";
}

TEST_F(RegistrationTest, SubmitWithTheBoxOffAsksToReleaseThisComputer)
{
    FillForm();
    answer = MessageAnswer::No;
    Click(Button("submitButton"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().text,
              QStringLiteral("초록우체통 인증용 컴퓨터 사용을 해제 하시겠습니까?"));
    EXPECT_EQ(messages.front().caption, QStringLiteral("확인요망"));
    EXPECT_EQ(messages.front().buttons, MessageButtons::YesNo);
    EXPECT_EQ(Request("registration").ReadyState(), 0) << "No sends nothing";

    answer = MessageAnswer::Yes;
    Click(Button("submitButton"));
    ASSERT_TRUE(WaitForBodies("INPUT3.asp", 1));
    EXPECT_TRUE(service.Bodies("INPUT3.asp").front().contains("&P_COMNAME    =&P_JUMINNUM"));
}

TEST_F(RegistrationTest, PostalCodeUnknownToTheTableSendsTheAddressPartsEmpty)
{
    FillForm();
    fields.postalCode2->setText(QStringLiteral("999"));
    identity->SetConfirmed(true);
    Click(Button("submitButton"));
    ASSERT_TRUE(WaitForBodies("INPUT3.asp", 1));
    EXPECT_TRUE(service.Bodies("INPUT3.asp")
                    .front()
                    .contains("&P_ADDRESS1   =&P_ADDRESS2   =&P_ADDRESS3   =&P_ADDRESS4"));
}

struct NotStored
{
    const char* name;
    QString page;
    QString text;
    bool message;
};

void PrintTo(const NotStored& test, std::ostream* out)
{
    *out << test.name;
}

class RegistrationNotStored : public RegistrationTest,
                              public ::testing::WithParamInterface<NotStored>
{
};

TEST_P(RegistrationNotStored, WritesNothingAndKeepsTheForm)
{
    FillForm();
    Store(SettingsKeys::PharmacistName, QStringLiteral("전"));
    const QByteArray before = SettingsBytes();

    registration->AnswerArrived(BaseUrl + GetParam().page, GetParam().text);

    EXPECT_EQ(SettingsBytes(), before);
    if (GetParam().message) {
        EXPECT_THAT(MessageTexts(), ElementsAre(NotSent));
        EXPECT_TRUE(IsWarning(messages.front()));
    } else {
        EXPECT_THAT(messages, IsEmpty());
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(signIns, 0);
    EXPECT_EQ(fields.pharmacistName->text(), QStringLiteral("박서연"));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RegistrationNotStored,
    ::testing::Values(
        NotStored{"No", QStringLiteral("INPUT3.asp"), QStringLiteral("N"), true},
        NotStored{"TrailingBlank", QStringLiteral("INPUT3.asp"), QStringLiteral("Y "), true},
        NotStored{"OtherWord", QStringLiteral("INPUT3.asp"), QStringLiteral("YES"), true},
        NotStored{"Empty", QStringLiteral("INPUT3.asp"), QString(), true},
        NotStored{"ErrorPage", QStringLiteral("INPUT3.asp"), QStringLiteral("500 - 내부 서버 오류"),
                  false},
        NotStored{"OtherAddress", QStringLiteral("input3.asp"), QStringLiteral("Y"), false}),
    [](const ::testing::TestParamInfo<NotStored>& param) { return param.param.name; });

TEST_F(RegistrationTest, EmptyAddressIsNoAnswer)
{
    registration->AnswerArrived({}, QStringLiteral("Y"));
    identity->AnswerArrived({}, QStringLiteral("3"));
    EXPECT_THAT(messages, IsEmpty());
    EXPECT_FALSE(QFile::exists(SettingsPath()));
}

// A stored registration: settings in two batches around the re-check, whose answer gives the
// address; the saved message, the sign-in, the form closed and the weekly window opened.
TEST_F(RegistrationTest, StoredRegistrationWritesTheSettingsAroundTheRecheck)
{
    FillForm();
    fields.checkComputer->setChecked(true);
    identity->SetConfirmed(true);
    service.SetAnswer("Permission.asp", "1]a]b]c]d]e]f]g]h]i]j]k]l]m]200]새 주소 줄]새 상세");

    registration->AnswerArrived(BaseUrl + QStringLiteral("INPUT3.asp"), QStringLiteral("Y"));

    const QString computer = LocalComputerName();
    const QString expected =
        QStringLiteral("[기본정보]\r\n개국약사명=박서연\r\n개국약사면허번호=23456\r\n약국명="
                       "서연온누리약국\r\n우편번호1=100\r\n우편번호2=070\r\n주민번호=7208242\r\n"
                       "주소1=200\r\n주소2=070\r\n주소3=새 주소 줄\r\n주소4=새 상세\r\n"
                       "약국전화=02-1\r\n핸드폰=010-2\r\n팩스번호=02-3\r\n위치정보=역 옆\r\n"
                       "푸른등대=") +
        computer + QStringLiteral("\r\n");
    QStringEncoder cp949("windows-949");
    EXPECT_EQ(SettingsBytes(), QByteArray(cp949(expected))) << "code page 949, CRLF";
    EXPECT_THAT(MessageTexts(), ElementsAre(Saved));
    EXPECT_EQ(messages.front().caption, QStringLiteral("확인"));
    EXPECT_EQ(messages.front().icon, MessageIcon::None);
    EXPECT_EQ(checkComputerRegistrations, 1) << "the tray shows off";
    EXPECT_FALSE(identity->IsConfirmed());
    EXPECT_EQ(signIns, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(weeklyHoursRequests, 1) << "the weekly hours come next";
    ASSERT_EQ(service.Bodies("Permission.asp").size(), 1u) << "the re-check";
}

TEST_F(RegistrationTest, FailedRecheckStoresTheFieldsAsTheyAreAndReleaseEmptiesTheCheckComputer)
{
    FillForm();
    Store(SettingsKeys::CheckComputer, QStringLiteral("PC1"));
    service.SetAnswer("Permission.asp", "내부 서버 오류", 500);

    registration->AnswerArrived(BaseUrl + QStringLiteral("INPUT3.asp"), QStringLiteral("Y"));

    EXPECT_EQ(Stored(SettingsKeys::Address1), QStringLiteral("100"));
    EXPECT_EQ(Stored(SettingsKeys::Address3), QStringLiteral("서울특별시 중구 소공동"));
    EXPECT_EQ(Stored(SettingsKeys::Address4), QStringLiteral("소공로 55"));
    EXPECT_EQ(Stored(SettingsKeys::CheckComputer), QString()) << "released";
    EXPECT_EQ(checkComputerRegistrations, 0) << "the box is off";
    EXPECT_THAT(MessageTexts(), ElementsAre(Saved));
}

} // namespace
