#include "tests/registration/ServiceAnswerFixture.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QString Refused = QStringLiteral(
    "본인 인증에 실패하였습니다. 본인인증은 대표약사님으로만 가능하며 관리약사님으로는 인증이 "
    "불가합니다. 등록된 면허번호와 이름, 생년월일을 확인하신 후 다시 입력해 주시기 바랍니다.그래도 "
    "인증에 실패하셨을 경우 관할 약사회 사무국 또는 한누리협회 초록우체통 담당자에게 확인 후 다시 "
    "입력해 주십시요!");

using IdentityCheckTest = ServiceAnswerFixture;

TEST_F(IdentityCheckTest, ConfirmedIdentityFillsTheFormAsItArrived)
{
    pharmacy.autoCheck = QStringLiteral("Y");
    fields.mobilePhone->setText(QStringLiteral("010-old"));

    Identity(Confirmed("COUNTER-PC", " "));

    EXPECT_TRUE(identity->IsConfirmed());
    EXPECT_EQ(identity->LastAnswer().size(), 17);
    EXPECT_EQ(fields.pharmacyName->text(), QStringLiteral("서연온누리약국"));
    EXPECT_EQ(fields.postalCode1->text(), QStringLiteral("100"));
    EXPECT_EQ(fields.addressLine->text(), QStringLiteral("서울특별시 중구 소공동"));
    EXPECT_EQ(fields.detailAddress->text(), QStringLiteral("소공로 55"));
    EXPECT_EQ(fields.pharmacyPhone->text(), QStringLiteral("02-752-4321"));
    EXPECT_EQ(fields.mobilePhone->text(), QStringLiteral("010-old")) << "a blank mobile is no news";
    EXPECT_EQ(fields.faxNumber->text(), QStringLiteral("02-752-4322"));
    EXPECT_EQ(fields.location->text(), QStringLiteral("시청역 6번 출구 옆"));
    EXPECT_EQ(fields.birthNumber->text(), QStringLiteral("7208242"));
    EXPECT_TRUE(fields.checkComputer->isChecked());
    EXPECT_EQ(window->focusWidget(), fields.checkComputer);
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

class OtherIdentityAnswers : public IdentityCheckTest,
                             public ::testing::WithParamInterface<OtherAnswer>
{
};

TEST_P(OtherIdentityAnswers, RefusalEmptiesTheIdentityAnythingElseIsIgnored)
{
    FillForm();
    identity->SetConfirmed(true);

    Identity(GetParam().text);

    if (GetParam().refused) {
        EXPECT_THAT(MessageTexts(), ElementsAre(Refused));
        EXPECT_TRUE(IsWarning(messages.front()));
        EXPECT_FALSE(identity->IsConfirmed());
        EXPECT_TRUE(fields.pharmacistName->text().isEmpty());
        EXPECT_TRUE(fields.license->text().isEmpty());
        EXPECT_TRUE(fields.birthNumber->text().isEmpty());
        EXPECT_EQ(window->focusWidget(), fields.pharmacistName);
    } else {
        EXPECT_THAT(messages, IsEmpty());
        EXPECT_TRUE(identity->IsConfirmed());
        EXPECT_EQ(fields.pharmacistName->text(), QStringLiteral("박서연"));
    }
    EXPECT_EQ(fields.pharmacyName->text(), QStringLiteral("서연온누리약국"));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, OtherIdentityAnswers,
    ::testing::Values(OtherAnswer{"Three", "3", true}, OtherAnswer{"Nine", "9]x]y", true},
                      OtherAnswer{"OtherStatus", "2]약국", false},
                      OtherAnswer{"SpacedStatus", " 1 ]약국", false},
                      OtherAnswer{"Empty", "", false},
                      OtherAnswer{"ErrorPage", "이 페이지를 표시할 수 없습니다\r\n서버", false}),
    [](const ::testing::TestParamInfo<OtherAnswer>& param) { return param.param.name; });

TEST_F(IdentityCheckTest, ShortConfirmedAnswerReadsItsMissingFieldsAsEmpty)
{
    pharmacy.autoCheck = QStringLiteral("Y");
    FillForm();
    Identity("1]새약국");
    EXPECT_EQ(fields.pharmacyName->text(), QStringLiteral("새약국"));
    EXPECT_TRUE(fields.postalCode1->text().isEmpty());
    EXPECT_TRUE(fields.birthNumber->text().isEmpty());
    EXPECT_EQ(fields.mobilePhone->text(), QStringLiteral("010-2"));
    EXPECT_TRUE(identity->IsConfirmed());
}

TEST_F(IdentityCheckTest, IdentityCheckTakesTheLeadingZeroIntoTheField)
{
    fields.pharmacistName->setText(QStringLiteral(" 김똠"));
    fields.license->setText(QStringLiteral("2345"));
    fields.birthNumber->setText(QStringLiteral("6503151"));
    Click(Button("identityCheckButton"));
    EXPECT_EQ(fields.license->text(), QStringLiteral("02345"));
    ASSERT_TRUE(WaitForBodies("Permission.asp", 1));
    EXPECT_EQ(service.Bodies("Permission.asp").front(),
              QByteArray("PALICENSE =02345&PANAME   =\xb1\xe8\x8c\x63&JUMINNUM =6503151") + '\0');
}

} // namespace
