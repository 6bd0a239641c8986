#include "core/management/ManagementServices.h"
#include "tests/app/ProgramSandbox.h"
#include "tests/app/TimeCheckRecorder.h"

#include <gtest/gtest.h>
#include <regex>

namespace {

// A running first copy, its reports going to a loopback service.
class RunningProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sandbox.Set(QStringLiteral("QUILLANE_SERVICE_HOST"), recorder.Host());
        sandbox.Set(QStringLiteral("QUILLANE_CONTEST_HOST"), recorder.Host());
        first = sandbox.Start();
        ASSERT_NE(first, nullptr);
        ASSERT_TRUE(sandbox.WaitUntilListening());
    }

    void TearDown() override
    {
        if (first)
            EndProgram(*first);
    }

    TimeCheckRecorder recorder;
    ProgramSandbox sandbox;
    std::unique_ptr<QProcess> first;
};

class LaterStart : public RunningProgram, public ::testing::WithParamInterface<QStringList>
{
};

TEST_P(LaterStart, EndsAtOnceAndLeavesTheFirstRunning)
{
    sandbox.ExpectSecondStartEnds(GetParam());

    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_TRUE(sandbox.WaitUntilListening());
}

INSTANTIATE_TEST_SUITE_P(Arguments, LaterStart,
                         ::testing::Values(QStringList{}, QStringList{"c:\\windows\\win.ini"},
                                           QStringList{"POS"}, QStringList{"C:\\Windows\\win.ini"},
                                           QStringList{"anything", "POS"}));

TEST_F(RunningProgram, StartAfterAKilledCopyBecomesTheFirst)
{
    first->kill();
    ASSERT_TRUE(first->waitForFinished(10000));

    first = sandbox.Start();
    ASSERT_NE(first, nullptr);

    ASSERT_TRUE(sandbox.WaitUntilListening()) << "the stale lock and socket must not block it";
    sandbox.ExpectSecondStartEnds({QStringLiteral("POS")});
    EXPECT_EQ(first->state(), QProcess::Running);
}

// Nothing stored: the sign-in took the computer's own name as the check computer's, so both the
// close query and the close report "off". The end comes once the sign-in has been posted: an end
// during the start-up, before the sign-in, has no name to report yet.
TEST_F(RunningProgram, EndOfSessionReportsOffTwiceWithTheComputerName)
{
    ASSERT_TRUE(recorder.WaitForRequest("/Quillane/ComCheck2.asp"));
    first->terminate();

    ASSERT_TRUE(first->waitForFinished(10000));
    EXPECT_EQ(first->exitStatus(), QProcess::NormalExit) << "the program ends on its own";
    EXPECT_EQ(first->exitCode(), 0);
    ASSERT_TRUE(recorder.WaitForBodies(2));
    recorder.Stop();
    const std::vector<std::string> bodies = recorder.Bodies();
    ASSERT_EQ(bodies.size(), 2U);
    const std::regex off(PresencePattern(LocalComputerName().toStdString(), "", "off"));
    for (const std::string& body : bodies)
        EXPECT_TRUE(std::regex_match(body, off)) << body;
}

} // namespace
