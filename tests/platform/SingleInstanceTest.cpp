#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

using platform::CreateSingleInstance;
using platform::InstanceCommand;
using platform::InstanceRequest;

// A runtime folder of the test's own, so that the guard never meets a copy the user runs.
class SingleInstanceGuard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        first = CreateSingleInstance();
        ASSERT_TRUE(first->BecomeFirst());
        first->SetRequestHandler([this](InstanceRequest request) { requests.push_back(request); });
    }

    void TearDown() override { qunsetenv("XDG_RUNTIME_DIR"); }

    // Lets the first copy take what arrived until count requests are in, within a bound.
    void ProcessUntil(std::size_t count)
    {
        const QDeadlineTimer deadline(std::chrono::seconds(5));
        while (requests.size() < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    // Writes raw bytes to the first copy's socket, as a stranger could.
    void SendRaw(const QByteArray& bytes)
    {
        const QStringList sockets =
            QDir(runtime.path()).entryList({QStringLiteral("quillane-*.socket")}, QDir::System);
        ASSERT_EQ(sockets.size(), 1);
        QLocalSocket socket;
        socket.connectToServer(QDir(runtime.path()).filePath(sockets.front()));
        ASSERT_TRUE(socket.waitForConnected(1000));
        socket.write(bytes);
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }

    QTemporaryDir runtime;
    std::unique_ptr<platform::SingleInstance> first;
    std::vector<InstanceRequest> requests;
};

TEST_F(SingleInstanceGuard, LaterStartsCarryTheirCommandsToTheFirst)
{
    const std::unique_ptr<platform::SingleInstance> later = CreateSingleInstance();
    ASSERT_FALSE(later->BecomeFirst());

    later->SendToFirst(InstanceCommand::ShowMainScreen);
    later->SendToFirst(InstanceCommand::ShowMainScreen);
    ProcessUntil(2);

    EXPECT_EQ(requests,
              (std::vector{InstanceRequest::ShowMainScreen, InstanceRequest::ShowMainScreen}));
}

TEST_F(SingleInstanceGuard, ForeignBytesOnTheSocketAreNoCommand)
{
    SendRaw(QByteArray(4096, 'x'));
    SendRaw("c:\\windows\\win.ini\n");
    SendRaw("POS\n");
    SendRaw("C:\\Windows\\win.ini");
    SendRaw(QByteArray("C:\\Windows\\win.ini\0\n", 20));
    SendRaw("C:\\Windows\\win.ini\n");
    ProcessUntil(1);
    QCoreApplication::processEvents();

    EXPECT_EQ(requests, std::vector{InstanceRequest::ShowMainScreen});
}

// Without a runtime folder of the user's own the guard lives in a folder of the user's own too,
// never in the shared temporary folder, where another user's empty files at its names would keep
// the program from ever starting.
TEST(SingleInstanceFolder, WithoutAnOwnRuntimeFolderTheGuardStaysInTheUsersCache)
{
    const QTemporaryDir temp;
    const QTemporaryDir cache;
    const QTemporaryDir othersRuntime;
    qputenv("TMPDIR", temp.path().toUtf8());
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    for (const char* suffix : {"lock", "socket"}) {
        QFile planted(
            QDir(temp.path()).filePath(QStringLiteral("quillane-%1.%2").arg(getuid()).arg(suffix)));
        ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    }
    QFile::setPermissions(othersRuntime.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ExeOwner | QFile::WriteOther |
                                                    QFile::ExeOther | QFile::ReadOther);
    const QByteArray runtimes[] = {QByteArray(), QByteArray("/nonexistent/runtime"),
                                   QByteArray("relative/runtime"), othersRuntime.path().toUtf8()};
    for (const QByteArray& runtime : runtimes) {
        SCOPED_TRACE(runtime.toStdString());
        qputenv("XDG_RUNTIME_DIR", runtime);
        const std::unique_ptr<platform::SingleInstance> first = CreateSingleInstance();
        ASSERT_TRUE(first->BecomeFirst());
        EXPECT_EQ(QDir(cache.filePath(QStringLiteral("Quillane")))
                      .entryList({QStringLiteral("quillane-*")}, QDir::System | QDir::Files)
                      .size(),
                  2);
        EXPECT_EQ(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2)
            << "nothing of the guard's in the shared temporary folder";
        EXPECT_FALSE(CreateSingleInstance()->BecomeFirst());
    }
    EXPECT_EQ(QFileInfo(cache.filePath(QStringLiteral("Quillane"))).permissions() &
                  (QFile::WriteGroup | QFile::WriteOther | QFile::ReadOther),
              0)
        << "made for the user alone";
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_CACHE_HOME");
    qunsetenv("TMPDIR");
}

} // namespace
