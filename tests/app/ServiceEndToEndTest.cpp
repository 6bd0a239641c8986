#include "core/settings/Settings.h"
#include "tests/app/LoopbackService.h"
#include "tests/app/ProgramSandbox.h"
#include "tests/app/ReferenceService.h"
#include "tests/app/TimeCheckRecorder.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <regex>

namespace {

using ::testing::ElementsAre;

// The registered demo owner: 김똘이, licence 12345, check computer COUNTER-PC.
constexpr char DemoLicense[] = "12345";
constexpr char DemoComputer[] = "COUNTER-PC";
// 김똘이 in code page 949.
constexpr char DemoNameInCodePage949[] = "\xb1\xe8\xb6\xca\xc0\xcc";

bool HasRequest(const std::vector<StoredRequest>& requests, const QString& target)
{
    return std::any_of(requests.begin(), requests.end(),
                       [&](const StoredRequest& request) { return request.target == target; });
}

std::size_t ReportCount(const std::vector<StoredRequest>& requests)
{
    return PostedBodies(requests, QStringLiteral("TimeCheck.asp")).size();
}

bool Matches(const QByteArray& body, const std::string& pattern)
{
    return std::regex_match(body.toStdString(), std::regex(pattern));
}

struct Member
{
    const char* name;
    const char* comName;
    char answer; // what the service decides for this computer
};

// The real program in a fresh program folder, signed in before as the demo owner with the
// computer name of the case, against the real reference service.
class ServiceEndToEnd : public ::testing::TestWithParam<Member>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service.Started()) << "quillane-service did not answer";
        const QString settings = sandbox.ProgramFolder() + QStringLiteral("quillane.ini");
        const QString basic = QStringLiteral("기본정보");
        WriteIniString(settings, basic, QStringLiteral("개국약사명"), QStringLiteral("김똘이"));
        WriteIniString(settings, basic, QStringLiteral("개국약사면허번호"),
                       QString::fromLatin1(DemoLicense));
        WriteIniString(settings, basic, QStringLiteral("푸른등대"),
                       QString::fromLatin1(GetParam().comName));
        sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), service.Host());
        sandbox.Set(QStringLiteral("QUILLANE_CONTEST_HOST"), service.Host());
    }

    // Waits until the program has followed the sign-in's forward to the service's answer.
    void WaitForSignInAnswer()
    {
        const QString answerPage =
            QStringLiteral("/Quillane/ComCheckResult.asp?answer=") + QChar(GetParam().answer);
        ASSERT_TRUE(service.WaitUntil([&](const std::vector<StoredRequest>& requests) {
            return HasRequest(requests, answerPage);
        })) << "the program did not follow the sign-in's forward to "
            << answerPage.toStdString();
    }

    ReferenceService service;
    ProgramSandbox sandbox;
};

TEST_P(ServiceEndToEnd, SignsInReportsOnOnlyWhenTheServiceSaysYAndOffAtTheEnd)
{
    const Member& member = GetParam();
    const std::unique_ptr<QProcess> program = sandbox.Start();
    ASSERT_NE(program, nullptr);
    WaitForSignInAnswer();

    const std::vector<StoredRequest> signedIn = service.Requests();
    EXPECT_THAT(PostedBodies(signedIn, QStringLiteral("ComCheck2.asp")),
                ElementsAre(QByteArray::fromStdString(
                    SignInBody(DemoNameInCodePage949, DemoLicense, member.comName))));
    for (const StoredRequest& request : signedIn) {
        if (request.target.endsWith(QStringLiteral("/ComCheck2.asp"))) {
            EXPECT_EQ(request.status, 302) << "the service forwards the sign-in";
        }
    }
    const std::size_t onReports = member.answer == 'Y' ? 1 : 0;
    if (onReports > 0) {
        ASSERT_TRUE(service.WaitUntil(
            [](const std::vector<StoredRequest>& requests) { return ReportCount(requests) > 0; }));
    }

    program->terminate();
    ASSERT_TRUE(program->waitForFinished(10000));
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0);

    ASSERT_TRUE(service.WaitUntil([&](const std::vector<StoredRequest>& requests) {
        return ReportCount(requests) >= onReports + 2;
    })) << "the close query's and the close's off reports";
    std::vector<QByteArray> reports =
        PostedBodies(service.Requests(), QStringLiteral("TimeCheck.asp"));
    if (onReports > 0) {
        EXPECT_TRUE(Matches(reports.front(), PresencePattern(member.comName, DemoLicense, "on")))
            << reports.front().toStdString();
        reports.erase(reports.begin());
    }
    ASSERT_EQ(reports.size(), 2u) << "no report but the two off reports";
    for (const QByteArray& report : reports)
        EXPECT_TRUE(Matches(report, PresencePattern(member.comName, DemoLicense, "off")))
            << report.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Computers, ServiceEndToEnd,
                         ::testing::Values(Member{"CheckComputer", DemoComputer, 'Y'},
                                           Member{"OtherComputer", "OTHER-PC", 'N'}),
                         [](const ::testing::TestParamInfo<Member>& param) {
                             return param.param.name;
                         });

// The desktop link's start while the program runs: it ends at once, the first keeps running
// and nothing more is sent to the service.
class SecondStartAgainstService : public ServiceEndToEnd
{
};

TEST_P(SecondStartAgainstService, EndsAtOnceAndTheFirstKeepsRunning)
{
    const std::unique_ptr<QProcess> first = sandbox.Start();
    ASSERT_NE(first, nullptr);
    WaitForSignInAnswer();
    ASSERT_TRUE(sandbox.WaitUntilListening());

    sandbox.ExpectSecondStartEnds({QStringLiteral("C:\\Windows\\win.ini")});

    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_EQ(PostedBodies(service.Requests(), QStringLiteral("ComCheck2.asp")).size(), 1u)
        << "the later start must not sign in";
    first->terminate();
    ASSERT_TRUE(first->waitForFinished(10000));
    EXPECT_EQ(first->exitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Registered, SecondStartAgainstService,
                         ::testing::Values(Member{"CheckComputer", DemoComputer, 'Y'}),
                         [](const ::testing::TestParamInfo<Member>& param) {
                             return param.param.name;
                         });

} // namespace
