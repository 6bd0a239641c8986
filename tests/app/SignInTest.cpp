#include "registration/BasicInfoWindow.h"
#include "tests/app/PresenceFixture.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SignInAnswers : public PresenceFixture
{
};

const QString ResultPage = QStringLiteral("ComCheckResult.asp");

struct AnswerCase
{
    const char* name;
    const char* text;
    Presence state;
    const char* report; // empty: none
    bool timer;
};

class SignInAnswer_ : public PresenceFixture, public ::testing::WithParamInterface<AnswerCase>
{
};

TEST_P(SignInAnswer_, SetsThePresenceAndStartsReportsOnlyOnExactlyY)
{
    const AnswerCase& c = GetParam();
    presence.SetState(Presence::Waiting);

    signIn.AnswerArrived(BaseUrl + ResultPage, QString::fromUtf8(c.text));

    EXPECT_EQ(signIn.Answer(), QString::fromUtf8(c.text)) << "kept untrimmed";
    EXPECT_EQ(presence.State(), c.state);
    EXPECT_EQ(Report(), c.report);
    EXPECT_EQ(Timer().isActive(), c.timer);
    EXPECT_THAT(modals, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SignInAnswer_,
    ::testing::Values(AnswerCase{"Accepted", "Y", Presence::On, "on", true},
                      AnswerCase{"Refused", "N", Presence::Off, "", false},
                      AnswerCase{"LowerCase", "y", Presence::Off, "", false},
                      AnswerCase{"WithLineBreak", "Y\r\n", Presence::Off, "", false},
                      AnswerCase{"WithSpace", "Y ", Presence::Off, "", false},
                      AnswerCase{"Other", "<unexpected>", Presence::Off, "", false},
                      AnswerCase{"Empty", "", Presence::Off, "", false}),
    [](const ::testing::TestParamInfo<AnswerCase>& param) { return param.param.name; });

TEST_F(SignInAnswers, UnusableAnswersLeaveWaitingAndNoAnswer)
{
    const std::vector<std::pair<QString, QString>> completions = {
        {BaseUrl + ResultPage, QStringLiteral("이 페이지를 표시할 페이지가 없습니다")},
        {BaseUrl + ResultPage, QStringLiteral("500 - 내부 서버 오류입니다.")},
        {BaseUrl + QStringLiteral("ComCheck2.asp"), QStringLiteral("Y")},
    };
    for (const auto& [url, text] : completions) {
        signIn.AnswerArrived(BaseUrl + ResultPage, QStringLiteral("Y"));
        ASSERT_EQ(Report(), "on");
        presence.Stop();
        presence.SetState(Presence::On);

        signIn.AnswerArrived(url, text);

        EXPECT_EQ(signIn.Answer(), QString()) << text.toStdString();
        EXPECT_EQ(presence.State(), Presence::Waiting);
        EXPECT_EQ(Report(), "");
        EXPECT_FALSE(Timer().isActive());
    }
}

TEST_F(SignInAnswers, ACompletionWithoutAddressIsIgnored)
{
    signIn.AnswerArrived(BaseUrl + ResultPage, QStringLiteral("old"));
    presence.SetState(Presence::On);

    signIn.AnswerArrived(QString(), QStringLiteral("N"));

    EXPECT_EQ(signIn.Answer(), QStringLiteral("old"));
    EXPECT_EQ(presence.State(), Presence::On);
}

TEST_F(SignInAnswers, AcceptedWithoutCheckComputerNameWaitsAndReportsNothing)
{
    pharmacy.checkComputer = QStringLiteral("  ");

    signIn.AnswerArrived(BaseUrl + ResultPage, QStringLiteral("Y"));

    EXPECT_EQ(presence.State(), Presence::Waiting);
    EXPECT_EQ(Report(), "");
    EXPECT_FALSE(Timer().isActive());
}

TEST_F(SignInAnswers, ASecondAcceptanceReportsAgainAndKeepsTheRunningTimer)
{
    signIn.AnswerArrived(BaseUrl + ResultPage, QStringLiteral("Y"));
    ASSERT_EQ(Report(), "on");
    presence.SetTicksSinceReport(42);
    const int remaining = Timer().remainingTime();

    signIn.AnswerArrived(BaseUrl + ResultPage, QStringLiteral("Y"));

    EXPECT_EQ(Report(), "on");
    EXPECT_TRUE(Timer().isActive());
    EXPECT_EQ(presence.TicksSinceReport(), 42);
    EXPECT_LE(Timer().remainingTime(), remaining) << "the timer was not restarted";
}

TEST_F(SignInAnswers, UnknownComputerShowsTheNoticeThenTheBasicInformation)
{
    presence.SetState(Presence::On);

    signIn.AnswerArrived(BaseUrl + ResultPage, QStringLiteral("Z"));

    EXPECT_THAT(modals, ElementsAre("UnregisteredComputerNotice", "BasicInfoWindow"));
    EXPECT_THAT(statesAtModal, ElementsAre(Presence::On, Presence::Waiting))
        << "waiting between the two";
    EXPECT_EQ(presence.State(), Presence::Waiting);
    EXPECT_EQ(Report(), "");
}

TEST_F(SignInAnswers, UnknownComputerWhileTheBasicInformationIsOpenShowsOnlyTheNotice)
{
    const BasicInfoWindow open(pharmacy);

    signIn.AnswerArrived(BaseUrl + ResultPage, QStringLiteral("Z"));

    EXPECT_THAT(modals, ElementsAre("UnregisteredComputerNotice"));
    EXPECT_EQ(presence.State(), Presence::Waiting);
}

} // namespace
