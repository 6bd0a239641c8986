#include "core/program/IdleWatch.h"

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Answers what the test sets.
class FakeIdleSource : public platform::IdleSource
{
public:
    std::optional<std::uint32_t> IdleSeconds() override { return answer; }
    std::optional<std::uint32_t> answer;
};

// Collects the messages of the idle category while the test runs.
class IdleLog
{
public:
    IdleLog() { previous = qInstallMessageHandler(&IdleLog::Collect); }
    IdleLog(const IdleLog&) = delete;
    IdleLog& operator=(const IdleLog&) = delete;
    ~IdleLog()
    {
        qInstallMessageHandler(previous);
        messages.clear();
    }

    static inline std::vector<QString> messages;

private:
    static void Collect(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (qstrcmp(context.category, "quillane.idle") == 0)
            messages.push_back(message);
    }

    QtMessageHandler previous = nullptr;
};

TEST(IdleWatch, PassesTheSourcesAnswerOn)
{
    FakeIdleSource source;
    IdleWatch watch(source);
    for (const std::uint32_t seconds : {0U, 1U, 1800U, 4294967U}) {
        source.answer = seconds;
        EXPECT_EQ(watch.IdleSecondsOrActive(), seconds);
    }
}

TEST(IdleWatch, CountsTheUserActiveWhenTheSourceCannotTellAndLogsItOnce)
{
    const IdleLog log;
    FakeIdleSource source;
    IdleWatch watch(source);

    EXPECT_EQ(watch.IdleSecondsOrActive(), 0U);
    EXPECT_EQ(watch.IdleSecondsOrActive(), 0U);
    source.answer = 2000;
    EXPECT_EQ(watch.IdleSecondsOrActive(), 2000U);
    source.answer.reset();
    EXPECT_EQ(watch.IdleSecondsOrActive(), 0U);

    ASSERT_EQ(IdleLog::messages.size(), 1U);
    EXPECT_TRUE(IdleLog::messages.front().contains(QStringLiteral("active")));
}

} // namespace
