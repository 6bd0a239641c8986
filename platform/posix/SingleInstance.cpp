#include "platform/SingleInstance.h"

#include "platform/LockFileTake.h"
#include "platform/posix/InstanceFiles.h"

#include <QByteArray>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>

namespace platform {
namespace {

Q_LOGGING_CATEGORY(lcInstance, "quillane.instance")

// A later start sends its first argument, which names the command, as one line.
const QByteArray ShowMainScreenText = QByteArrayLiteral("C:\\Windows\\win.ini");

// A later start never waits longer than this for the running copy's socket.
constexpr int SocketWaitMs = 1000;
// Anything longer is no command: the connection is dropped unread.
constexpr qint64 LongestLine = 256;

QByteArray CommandText(InstanceCommand command)
{
    switch (command) {
    case InstanceCommand::ShowMainScreen:
        return ShowMainScreenText;
    }
    return {};
}

class PosixSingleInstance final : public SingleInstance
{
public:
    PosixSingleInstance()
        : lock_(InstancePath(QStringLiteral("lock"))),
          socketPath_(InstancePath(QStringLiteral("socket")))
    {
    }

    bool BecomeFirst() override
    {
        // The running copy holds the lock for days: only a dead owner makes it stale.
        if (!TakeLockFile(lock_)) {
            if (lock_.error() != QLockFile::LockFailedError)
                qCWarning(lcInstance) << "cannot lock" << InstancePath(QStringLiteral("lock"));
            return false;
        }
        Listen();
        return true;
    }

    void SendToFirst(InstanceCommand command) override
    {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (!socket.waitForConnected(SocketWaitMs))
            return;
        socket.write(CommandText(command) + '\n');
        socket.waitForBytesWritten(SocketWaitMs);
        socket.disconnectFromServer();
    }

    void SetRequestHandler(RequestHandler handler) override { handler_ = std::move(handler); }

private:
    void Listen()
    {
        // The lock is ours, so a socket left there belongs to a copy that died.
        QLocalServer::removeServer(socketPath_);
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        if (!server_.listen(socketPath_))
            qCWarning(lcInstance) << "cannot listen on" << socketPath_ << server_.errorString();
        QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] { Accept(); });
    }

    void Accept()
    {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket,
                             [this, socket] { ReadCommand(*socket); });
        }
    }

    void ReadCommand(QLocalSocket& socket)
    {
        if (socket.bytesAvailable() > LongestLine) {
            socket.abort();
            socket.deleteLater();
            return;
        }
        if (!socket.canReadLine())
            return;
        const QByteArray line = socket.readLine().chopped(1);
        socket.disconnectFromServer();
        Apply(line);
    }

    void Apply(const QByteArray& line)
    {
        if (!handler_)
            return;
        if (line == ShowMainScreenText)
            handler_(InstanceRequest::ShowMainScreen);
    }

    QLockFile lock_;
    QString socketPath_;
    QLocalServer server_;
    RequestHandler handler_;
};

} // namespace

std::unique_ptr<SingleInstance> CreateSingleInstance()
{
    return std::make_unique<PosixSingleInstance>();
}

} // namespace platform
