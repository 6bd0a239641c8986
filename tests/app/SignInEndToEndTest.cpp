#include "core/settings/Settings.h"
#include "tests/app/LoopbackService.h"
#include "tests/app/ProgramSandbox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <regex>

namespace {

using ::testing::ElementsAre;

// The time format and flag of a presence report of the stored check computer.
std::regex Report(const std::string& flag)
{
    return std::regex("P_COMNAME =PC1&P_PALICENSE =12345&P_SENDTIME =\\d{4}-\\d\\d-\\d\\d "
                      "\\d\\d:\\d\\d:\\d\\d&P_Flg = " +
                      flag + std::string(1, '\0'));
}

struct Outcome
{
    const char* name;
    int status; // 0: forwarded to the answer page
    const char* page;
    bool reportsOn;
};

// The real program in a sandbox, signed in before, against a loopback service.
class SignInEndToEnd : public ::testing::TestWithParam<Outcome>
{
protected:
    void SetUp() override
    {
        const QString settings = sandbox.ProgramFolder() + QStringLiteral("quillane.ini");
        const QString basic = QStringLiteral("기본정보");
        WriteIniString(settings, basic, QStringLiteral("개국약사명"), QStringLiteral("김똠"));
        WriteIniString(settings, basic, QStringLiteral("개국약사면허번호"),
                       QStringLiteral(" 12345"));
        WriteIniString(settings, basic, QStringLiteral("푸른등대"), QStringLiteral("PC1"));
        sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), service.Host());
        sandbox.Set(QStringLiteral("QUILLANE_CONTEST_HOST"), service.Host());
    }

    LoopbackService service;
    ProgramSandbox sandbox;
};

TEST_P(SignInEndToEnd, SignsInReportsOnlyWhenAcceptedAndReportsOffAtTheEnd)
{
    const Outcome& outcome = GetParam();
    if (outcome.status == 0)
        service.SetSignInAnswer(outcome.page);
    else
        service.SetSignInPage(outcome.status, outcome.page);

    const std::unique_ptr<QProcess> program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(service.WaitForBodies("ComCheck2.asp", 1));
    EXPECT_THAT(service.Bodies("ComCheck2.asp"),
                ElementsAre(SignInBody("\xb1\xe8\x8c\x63", "12345", "PC1")));
    if (outcome.reportsOn) {
        ASSERT_TRUE(service.WaitForBodies("TimeCheck.asp", 1));
    }

    program->terminate();
    ASSERT_TRUE(program->waitForFinished(10000));
    EXPECT_EQ(program->exitCode(), 0);

    service.Stop();
    std::vector<std::string> reports = service.Bodies("TimeCheck.asp");
    if (outcome.reportsOn) {
        ASSERT_FALSE(reports.empty());
        EXPECT_TRUE(std::regex_match(reports.front(), Report("on"))) << reports.front();
        reports.erase(reports.begin());
    }
    ASSERT_EQ(reports.size(), 2u) << "the close query's and the close's";
    for (const std::string& report : reports)
        EXPECT_TRUE(std::regex_match(report, Report("off"))) << report;
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SignInEndToEnd,
    ::testing::Values(Outcome{"Accepted", 0, "Y", true}, Outcome{"Refused", 0, "N", false},
                      Outcome{"ServerError", 500, "<html><body>500 - 내부 서버 오류</body></html>",
                              false}),
    [](const ::testing::TestParamInfo<Outcome>& param) { return param.param.name; });

} // namespace
