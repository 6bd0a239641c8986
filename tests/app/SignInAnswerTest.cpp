#include "BasicInfoWindow.h"
#include "PresenceFixture.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QString ResultPage = QStringLiteral("ComCheckResult.asp");

struct AnswerCase
{
    const char* name;
    const char* text;
    int picture;
    const char* report; // empty: none
    bool timer;
};

class SignInAnswer_ : public PresenceFixture, public ::testing::WithParamInterface<AnswerCase>
{
};

TEST_P(SignInAnswer_, SetsThePictureAndStartsReportsOnlyOnExactlyY)
{
    const AnswerCase& c = GetParam();
    window->SetPresencePicture(1);

    window->SignInAnswerArrived(BaseUrl + ResultPage, QString::fromUtf8(c.text));

    EXPECT_EQ(SignInAnswer, QString::fromUtf8(c.text)) << "kept untrimmed";
    EXPECT_EQ(window->PresencePicture(), c.picture);
    EXPECT_EQ(Report(), c.report);
    EXPECT_EQ(window->tmRoutine.isActive(), c.timer);
    EXPECT_THAT(modals, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Answers, SignInAnswer_,
                         ::testing::Values(AnswerCase{"Accepted", "Y", 2, "on", true},
                                           AnswerCase{"Refused", "N", 0, "", false},
                                           AnswerCase{"LowerCase", "y", 0, "", false},
                                           AnswerCase{"WithLineBreak", "Y\r\n", 0, "", false},
                                           AnswerCase{"WithSpace", "Y ", 0, "", false},
                                           AnswerCase{"Other", "<unexpected>", 0, "", false},
                                           AnswerCase{"Empty", "", 0, "", false}),
                         [](const ::testing::TestParamInfo<AnswerCase>& param) {
                             return param.param.name;
                         });

TEST_F(PresenceFixture, UnusableAnswersLeaveWaitingAndNoAnswer)
{
    const std::vector<std::pair<QString, QString>> completions = {
        {BaseUrl + ResultPage, QStringLiteral("이 페이지를 표시할 페이지가 없습니다")},
        {BaseUrl + ResultPage, QStringLiteral("500 - 내부 서버 오류입니다.")},
        {BaseUrl + QStringLiteral("ComCheck2.asp"), QStringLiteral("Y")},
    };
    for (const auto& [url, text] : completions) {
        SignInAnswer = QStringLiteral("Y");
        window->SetPresencePicture(2);

        window->SignInAnswerArrived(url, text);

        EXPECT_EQ(SignInAnswer, QString()) << text.toStdString();
        EXPECT_EQ(window->PresencePicture(), 1);
        EXPECT_EQ(Report(), "");
        EXPECT_FALSE(window->tmRoutine.isActive());
    }
}

TEST_F(PresenceFixture, ACompletionWithoutAddressIsIgnored)
{
    SignInAnswer = QStringLiteral("old");
    window->SetPresencePicture(2);

    window->SignInAnswerArrived(QString(), QStringLiteral("N"));

    EXPECT_EQ(SignInAnswer, QStringLiteral("old"));
    EXPECT_EQ(window->PresencePicture(), 2);
}

TEST_F(PresenceFixture, AcceptedWithoutCheckComputerNameWaitsAndReportsNothing)
{
    ComName = QStringLiteral("  ");

    window->SignInAnswerArrived(BaseUrl + ResultPage, QStringLiteral("Y"));

    EXPECT_EQ(window->PresencePicture(), 1);
    EXPECT_EQ(Report(), "");
    EXPECT_FALSE(window->tmRoutine.isActive());
}

TEST_F(PresenceFixture, ASecondAcceptanceReportsAgainAndKeepsTheRunningTimer)
{
    window->SignInAnswerArrived(BaseUrl + ResultPage, QStringLiteral("Y"));
    ASSERT_EQ(Report(), "on");
    window->RoutineTicks = 42;
    const int remaining = window->tmRoutine.remainingTime();

    window->SignInAnswerArrived(BaseUrl + ResultPage, QStringLiteral("Y"));

    EXPECT_EQ(Report(), "on");
    EXPECT_TRUE(window->tmRoutine.isActive());
    EXPECT_EQ(window->RoutineTicks, 42);
    EXPECT_LE(window->tmRoutine.remainingTime(), remaining) << "the timer was not restarted";
}

TEST_F(PresenceFixture, UnknownComputerShowsTheNoticeThenTheBasicInformation)
{
    window->SetPresencePicture(2);

    window->SignInAnswerArrived(BaseUrl + ResultPage, QStringLiteral("Z"));

    EXPECT_THAT(modals, ElementsAre("Tfrm_info", "BasicInfoWindow"));
    EXPECT_THAT(picturesAtModal, ElementsAre(2, 1)) << "picture 1 between the two";
    EXPECT_EQ(window->PresencePicture(), 1);
    EXPECT_EQ(Report(), "");
}

TEST_F(PresenceFixture, UnknownComputerWhileTheBasicInformationIsOpenShowsOnlyTheNotice)
{
    const BasicInfoWindow open;

    window->SignInAnswerArrived(BaseUrl + ResultPage, QStringLiteral("Z"));

    EXPECT_THAT(modals, ElementsAre("Tfrm_info"));
    EXPECT_EQ(window->PresencePicture(), 1);
}

} // namespace
