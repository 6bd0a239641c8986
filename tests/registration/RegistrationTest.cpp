#include "BasicInfoWindowFixture.h"
#include "LocalDatabase.h"
#include "ManagementServices.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringEncoder>
#include <gmock/gmock.h>

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

const QString Refused = QStringLiteral(
    "본인 인증에 실패하였습니다. 본인인증은 대표약사님으로만 가능하며 관리약사님으로는 인증이 "
    "불가합니다. 등록된 면허번호와 이름, 생년월일을 확인하신 후 다시 입력해 주시기 바랍니다.그래도 "
    "인증에 실패하셨을 경우 관할 약사회 사무국 또는 한누리협회 초록우체통 담당자에게 확인 후 다시 "
    "입력해 주십시요!");
const QString NotSent = QStringLiteral("기본환경설정 값이 서버로 전송되지 않았습니다. \r\n "
                                       "입력완료 버튼을 다시 눌러 주시기 바랍니다.");
const QString Saved = QStringLiteral("기본환경설정이 저장되었습니다");

// The seventeen fields of a confirmed identity (positions 0 to 16), position 12 as given.
std::string Confirmed(const std::string& position12 = "", const std::string& mobile = "010-2")
{
    return "1]서연온누리약국]23456]박서연]서울특별시]중구]소공동]070]02-752-4321]" + mobile +
           "]02-752-4322]시청역 6번 출구 옆]" + position12 +
           "]7208242]100]서울특별시 중구 소공동]소공로 55";
}

// A local postal table of one row, on LocalQuery.
class LocalPostalTable
{
public:
    LocalPostalTable()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), LocalConnectionName);
        db.setDatabaseName(QStringLiteral(":memory:"));
        db.open();
        QSqlQuery setup(db);
        setup.exec(QStringLiteral("CREATE TABLE qx_ZipCode (Seq INTEGER, Zipcode TEXT, Sido TEXT, "
                                  "Gugun TEXT, Dong TEXT, Ri TEXT, Bunji TEXT)"));
        setup.exec(QStringLiteral("INSERT INTO qx_ZipCode VALUES (1, '100-070', '서울특별시', "
                                  "'중구', '소공동', '리', '')"));
        query_ = std::make_unique<QSqlQuery>(db);
        LocalQuery = query_.get();
    }
    ~LocalPostalTable()
    {
        LocalQuery = nullptr;
        query_.reset();
        QSqlDatabase::removeDatabase(LocalConnectionName);
    }

private:
    std::unique_ptr<QSqlQuery> query_;
};

class KibonAnswers : public BasicInfoWindowFixture
{
protected:
    void SetUp() override
    {
        BasicInfoWindowFixture::SetUp();
        // The weekly window that follows a registration fetches its pages here: they answer as
        // a service without them, so that window adds no message of its own.
        service.SetAnswer("normal3.asp", "", 404);
        service.SetAnswer("SunDay.asp", "", 404);
        kibon->show();
    }

    void Identity(const std::string& text)
    {
        kibon->IdentityAnswerArrived(BaseUrl + QStringLiteral("Permission.asp"),
                                     QString::fromStdString(text));
    }

    void FillForm()
    {
        kibon->Edit_kibon1->setText(QStringLiteral("박서연"));
        kibon->Edit_kibon2->setText(QStringLiteral("23456"));
        kibon->EdiT_Jumin->setText(QStringLiteral("7208242"));
        kibon->Edit_kibon3->setText(QStringLiteral("서연온누리약국"));
        kibon->Edit_kibon4->setText(QStringLiteral("100"));
        kibon->Edit_kibon5->setText(QStringLiteral("070"));
        kibon->lb_kibon1->setText(QStringLiteral("서울특별시 중구 소공동"));
        kibon->Edit_kibon6->setText(QStringLiteral("소공로 55"));
        kibon->Edit_kibon7->setText(QStringLiteral("02-1"));
        kibon->Edit_kibon10->setText(QStringLiteral("010-2"));
        kibon->Edit_kibon13->setText(QStringLiteral("02-3"));
        kibon->Edit_kibon16->setText(QStringLiteral("역 옆"));
    }

    QString Stored(const QString& key) const
    {
        return ReadIniString(SettingsPath(), SettingsKeys::BasicInfo, key, QStringLiteral("-"));
    }

    LocalPostalTable postal;
};

TEST_F(KibonAnswers, ConfirmedIdentityFillsTheFormAsItArrived)
{
    AutoCheck = QStringLiteral("Y");
    kibon->Edit_kibon10->setText(QStringLiteral("010-old"));

    Identity(Confirmed("COUNTER-PC", " "));

    EXPECT_TRUE(kibon->IdentityConfirmed);
    EXPECT_EQ(kibon->TokenList.size(), 17);
    EXPECT_EQ(kibon->Edit_kibon3->text(), QStringLiteral("서연온누리약국"));
    EXPECT_EQ(kibon->Edit_kibon4->text(), QStringLiteral("100"));
    EXPECT_EQ(kibon->lb_kibon1->text(), QStringLiteral("서울특별시 중구 소공동"));
    EXPECT_EQ(kibon->Edit_kibon6->text(), QStringLiteral("소공로 55"));
    EXPECT_EQ(kibon->Edit_kibon7->text(), QStringLiteral("02-752-4321"));
    EXPECT_EQ(kibon->Edit_kibon10->text(), QStringLiteral("010-old"))
        << "a blank mobile is no news";
    EXPECT_EQ(kibon->Edit_kibon13->text(), QStringLiteral("02-752-4322"));
    EXPECT_EQ(kibon->Edit_kibon16->text(), QStringLiteral("시청역 6번 출구 옆"));
    EXPECT_EQ(kibon->EdiT_Jumin->text(), QStringLiteral("7208242"));
    EXPECT_TRUE(kibon->chk_kibon1->isChecked());
    EXPECT_EQ(kibon->focusWidget(), kibon->chk_kibon1);
    EXPECT_THAT(messages, IsEmpty());
    QTest::qWait(100);
    EXPECT_THAT(service.Bodies("INPUT3.asp"), IsEmpty()) << "signed in before: nothing on its own";
}

struct OtherAnswer
{
    const char* name;
    std::string text;
    bool refused;
};

void PrintTo(const OtherAnswer& test, std::ostream* out)
{
    *out << test.name;
}

class OtherIdentityAnswers : public KibonAnswers, public ::testing::WithParamInterface<OtherAnswer>
{
};

TEST_P(OtherIdentityAnswers, RefusalEmptiesTheIdentityAnythingElseIsIgnored)
{
    FillForm();
    kibon->IdentityConfirmed = true;

    Identity(GetParam().text);

    if (GetParam().refused) {
        EXPECT_THAT(MessageTexts(), ElementsAre(Refused));
        EXPECT_TRUE(IsWarning(messages.front()));
        EXPECT_FALSE(kibon->IdentityConfirmed);
        EXPECT_TRUE(kibon->Edit_kibon1->text().isEmpty());
        EXPECT_TRUE(kibon->Edit_kibon2->text().isEmpty());
        EXPECT_TRUE(kibon->EdiT_Jumin->text().isEmpty());
        EXPECT_EQ(kibon->focusWidget(), kibon->Edit_kibon1);
    } else {
        EXPECT_THAT(messages, IsEmpty());
        EXPECT_TRUE(kibon->IdentityConfirmed);
        EXPECT_EQ(kibon->Edit_kibon1->text(), QStringLiteral("박서연"));
    }
    EXPECT_EQ(kibon->Edit_kibon3->text(), QStringLiteral("서연온누리약국"));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, OtherIdentityAnswers,
    ::testing::Values(OtherAnswer{"Three", "3", true}, OtherAnswer{"Nine", "9]x]y", true},
                      OtherAnswer{"OtherStatus", "2]약국", false},
                      OtherAnswer{"SpacedStatus", " 1 ]약국", false},
                      OtherAnswer{"Empty", "", false},
                      OtherAnswer{"ErrorPage", "이 페이지를 표시할 수 없습니다\r\n서버", false}),
    [](const ::testing::TestParamInfo<OtherAnswer>& param) { return param.param.name; });

TEST_F(KibonAnswers, ShortConfirmedAnswerReadsItsMissingFieldsAsEmpty)
{
    AutoCheck = QStringLiteral("Y");
    FillForm();
    Identity("1]새약국");
    EXPECT_EQ(kibon->Edit_kibon3->text(), QStringLiteral("새약국"));
    EXPECT_TRUE(kibon->Edit_kibon4->text().isEmpty());
    EXPECT_TRUE(kibon->EdiT_Jumin->text().isEmpty());
    EXPECT_EQ(kibon->Edit_kibon10->text(), QStringLiteral("010-2"));
    EXPECT_TRUE(kibon->IdentityConfirmed);
}

TEST_F(KibonAnswers, IdentityCheckTakesTheLeadingZeroIntoTheField)
{
    kibon->Edit_kibon1->setText(QStringLiteral(" 김똠"));
    kibon->Edit_kibon2->setText(QStringLiteral("2345"));
    kibon->EdiT_Jumin->setText(QStringLiteral("6503151"));
    emit kibon->btn_kibon1->Clicked();
    EXPECT_EQ(kibon->Edit_kibon2->text(), QStringLiteral("02345"));
    ASSERT_TRUE(WaitForBodies("Permission.asp", 1));
    EXPECT_EQ(service.Bodies("Permission.asp").front(),
              QByteArray("PALICENSE =02345&PANAME   =\xb1\xe8\x8c\x63&JUMINNUM =6503151") + '\0');
}

// The first sign-in registers a confirmed identity on its own; with a management system it
// registers twice, the second navigation abandoning the first.
struct AutomaticCase
{
    const char* name;
    std::string position12;
    QString edition;
    std::size_t posts;
    bool closesOnPaint;
};

void PrintTo(const AutomaticCase& test, std::ostream* out)
{
    *out << test.name;
}

class AutomaticRegistration : public KibonAnswers,
                              public ::testing::WithParamInterface<AutomaticCase>
{
};

TEST_P(AutomaticRegistration, PostsAndStoresOnceForOneAnswer)
{
    const AutomaticCase& test = GetParam();
    DetectedEdition = test.edition;
    service.SetAnswer("INPUT3.asp", "Y");
    service.SetAnswer("Permission.asp", Confirmed(test.position12));
    kibon->Edit_kibon1->setText(QStringLiteral("박서연"));
    kibon->Edit_kibon2->setText(QStringLiteral("23456"));
    kibon->Edit_kibon5->setText(QStringLiteral("070"));

    Identity(Confirmed(test.position12));

    EXPECT_EQ(CloseOnPaint, test.closesOnPaint);
    if (test.posts == 0) {
        QTest::qWait(200);
        EXPECT_THAT(service.Bodies("INPUT3.asp"), IsEmpty());
        return;
    }
    EXPECT_EQ(ComName, LocalComputerName());
    EXPECT_EQ(PaLicense, QStringLiteral("23456"));
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

INSTANTIATE_TEST_SUITE_P(
    Cases, AutomaticRegistration,
    ::testing::Values(AutomaticCase{"NoCheckComputerYet", "", {}, 1, false},
                      AutomaticCase{"CheckComputerKnown", "OTHER-PC", {}, 0, false},
                      AutomaticCase{"ManagementSystemToo", "", QStringLiteral("QX2000XE"), 2, true},
                      AutomaticCase{"ManagementSystemOnly", "OTHER-PC", QStringLiteral("QX2000V5"),
                                    1, true}),
    [](const ::testing::TestParamInfo<AutomaticCase>& param) { return param.param.name; });

// With a management system the window closes itself right after posting the registration, and
// the main window deletes it once it has closed: the answer still arrives, is stored and signs in
// again, because the window finishes its requests first.
TEST_F(KibonAnswers, AWindowClosedRightAfterPostingStillHandlesItsAnswer)
{
    DetectedEdition = QStringLiteral("QX2000V5");
    service.SetAnswer("INPUT3.asp", "Y");
    service.SetAnswer("Permission.asp", Confirmed("OTHER-PC"));
    kibon->Edit_kibon1->setText(QStringLiteral("박서연"));
    kibon->Edit_kibon2->setText(QStringLiteral("23456"));
    kibon->Edit_kibon5->setText(QStringLiteral("070"));
    Identity(Confirmed("OTHER-PC"));
    ASSERT_TRUE(CloseOnPaint);
    ASSERT_EQ(kibon->WebBrowser2.ReadyState(), 1) << "the registration is under way";
    kibon->close();

    kibon->FinishRequests();
    kibon.reset();

    EXPECT_THAT(service.Bodies("INPUT3.asp"), SizeIs(1));
    EXPECT_THAT(MessageTexts(), ElementsAre(Saved));
    EXPECT_EQ(signIns, 1);
    EXPECT_EQ(Stored(SettingsKeys::PharmacistLicense), QStringLiteral("23456"));
    EXPECT_EQ(Stored(SettingsKeys::PharmacyName), QStringLiteral("서연온누리약국"));
}

TEST_F(KibonAnswers, SubmitWithoutConfirmationRefusesWhileTheBoxIsOn)
{
    kibon->chk_kibon1->setChecked(true);
    emit kibon->btn_kibon3->Clicked();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().text,
              QStringLiteral("본인인증 절차를 진행하지 않았습니다.\r\n기본정보를 저장하실때는 "
                             "본인인증을 꼭 하셔야 합니다!"));
    EXPECT_TRUE(IsWarning(messages.front()));
    EXPECT_EQ(kibon->focusWidget(), kibon->Edit_kibon2);
    EXPECT_EQ(kibon->WebBrowser2.ReadyState(), 0) << "nothing sent";
}

TEST_F(KibonAnswers, SubmitWithTheBoxOffAsksToReleaseThisComputer)
{
    FillForm();
    answer = MessageAnswer::No;
    emit kibon->btn_kibon3->Clicked();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().text,
              QStringLiteral("초록우체통 인증용 컴퓨터 사용을 해제 하시겠습니까?"));
    EXPECT_EQ(messages.front().caption, QStringLiteral("확인요망"));
    EXPECT_EQ(messages.front().buttons, MessageButtons::YesNo);
    EXPECT_EQ(kibon->WebBrowser2.ReadyState(), 0) << "No sends nothing";

    answer = MessageAnswer::Yes;
    emit kibon->btn_kibon3->Clicked();
    ASSERT_TRUE(WaitForBodies("INPUT3.asp", 1));
    EXPECT_TRUE(service.Bodies("INPUT3.asp").front().contains("&P_COMNAME    =&P_JUMINNUM"));
}

TEST_F(KibonAnswers, PostalCodeUnknownToTheTableSendsTheAddressPartsEmpty)
{
    FillForm();
    kibon->Edit_kibon5->setText(QStringLiteral("999"));
    kibon->IdentityConfirmed = true;
    emit kibon->btn_kibon3->Clicked();
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

class RegistrationNotStored : public KibonAnswers, public ::testing::WithParamInterface<NotStored>
{
};

TEST_P(RegistrationNotStored, WritesNothingAndKeepsTheForm)
{
    FillForm();
    Store(SettingsKeys::PharmacistName, QStringLiteral("전"));
    const QByteArray before = SettingsBytes();

    kibon->RegistrationAnswerArrived(BaseUrl + GetParam().page, GetParam().text);

    EXPECT_EQ(SettingsBytes(), before);
    if (GetParam().message) {
        EXPECT_THAT(MessageTexts(), ElementsAre(NotSent));
        EXPECT_TRUE(IsWarning(messages.front()));
    } else {
        EXPECT_THAT(messages, IsEmpty());
    }
    EXPECT_TRUE(kibon->isVisible());
    EXPECT_EQ(signIns, 0);
    EXPECT_EQ(kibon->Edit_kibon1->text(), QStringLiteral("박서연"));
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

TEST_F(KibonAnswers, EmptyAddressIsNoAnswer)
{
    kibon->RegistrationAnswerArrived({}, QStringLiteral("Y"));
    kibon->IdentityAnswerArrived({}, QStringLiteral("3"));
    EXPECT_THAT(messages, IsEmpty());
    EXPECT_FALSE(QFile::exists(SettingsPath()));
}

// A stored registration: settings in two batches around the re-check, whose answer gives the
// address; the saved message, the sign-in, the form closed and the weekly window opened.
TEST_F(KibonAnswers, StoredRegistrationWritesTheSettingsAroundTheRecheck)
{
    FillForm();
    kibon->chk_kibon1->setChecked(true);
    kibon->IdentityConfirmed = true;
    service.SetAnswer("Permission.asp", "1]a]b]c]d]e]f]g]h]i]j]k]l]m]200]새 주소 줄]새 상세");

    kibon->RegistrationAnswerArrived(BaseUrl + QStringLiteral("INPUT3.asp"), QStringLiteral("Y"));

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
    EXPECT_THAT(trayPictures, ElementsAre(0));
    EXPECT_FALSE(kibon->IdentityConfirmed);
    EXPECT_EQ(signIns, 1);
    EXPECT_FALSE(kibon->isVisible());
    ASSERT_FALSE(frm_normal.isNull());
    EXPECT_TRUE(frm_normal->isVisible());
    EXPECT_EQ(frm_normal->parent(), nullptr);
    ASSERT_EQ(service.Bodies("Permission.asp").size(), 1u) << "the re-check";
}

TEST_F(KibonAnswers, FailedRecheckStoresTheFieldsAsTheyAreAndReleaseEmptiesTheCheckComputer)
{
    FillForm();
    Store(SettingsKeys::CheckComputer, QStringLiteral("PC1"));
    service.SetAnswer("Permission.asp", "내부 서버 오류", 500);

    kibon->RegistrationAnswerArrived(BaseUrl + QStringLiteral("INPUT3.asp"), QStringLiteral("Y"));

    EXPECT_EQ(Stored(SettingsKeys::Address1), QStringLiteral("100"));
    EXPECT_EQ(Stored(SettingsKeys::Address3), QStringLiteral("서울특별시 중구 소공동"));
    EXPECT_EQ(Stored(SettingsKeys::Address4), QStringLiteral("소공로 55"));
    EXPECT_EQ(Stored(SettingsKeys::CheckComputer), QString()) << "released";
    EXPECT_THAT(trayPictures, IsEmpty()) << "the box is off";
    EXPECT_THAT(MessageTexts(), ElementsAre(Saved));
}

} // namespace
