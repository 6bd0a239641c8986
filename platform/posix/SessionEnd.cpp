#include "SessionEnd.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QSessionManager>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

Q_LOGGING_CATEGORY(lcSession, "quillane.session")

// The signals that end the program the way the end of the session does: the session's (and
// the service manager's) SIGTERM, the terminal's hang-up and its interrupt.
constexpr std::array EndingSignals{SIGTERM, SIGHUP, SIGINT};

// The write end of the pipe from the signal handler to the user-interface thread.
int signalWriteEnd = -1;

void OnEndingSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalWriteEnd, &byte, 1);
    errno = savedErrno;
}

// Turns the ending signals and the session manager's request into one end of the session.
class SessionEndWatch : public QObject
{
public:
    explicit SessionEndWatch(SessionEndHandlers handlers)
        : QObject(QCoreApplication::instance()), handlers_(std::move(handlers))
    {
        if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            connect(application, &QGuiApplication::commitDataRequest, this,
                    [this](QSessionManager&) { SessionEnds(); });
    }

    // Reads what the signal handler writes, on the user-interface thread.
    void WatchSignals(int readEnd)
    {
        notifier_ = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this, readEnd] {
            Drain(readEnd);
            SessionEnds();
        });
    }

private:
    static void Drain(int readEnd)
    {
        std::array<char, 64> bytes{};
        while (::read(readEnd, bytes.data(), bytes.size()) > 0) {
        }
    }

    // Runs once: later signals find the program already on its way out.
    void SessionEnds()
    {
        if (ended_ || !handlers_.query())
            return;
        ended_ = true;
        if (notifier_)
            notifier_->setEnabled(false);
        handlers_.end(true);
    }

    SessionEndHandlers handlers_;
    QSocketNotifier* notifier_ = nullptr;
    bool ended_ = false;
};

} // namespace

void WatchSessionEnd(SessionEndHandlers handlers)
{
    auto* watch = new SessionEndWatch(std::move(handlers));
    std::array<int, 2> ends{-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends.data()) != 0) {
        qCWarning(lcSession) << "no signal pipe: only the session manager ends the program";
        return;
    }
    signalWriteEnd = ends[1];
    watch->WatchSignals(ends[0]);

    struct sigaction action = {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : EndingSignals)
        ::sigaction(number, &action, nullptr);
}

} // namespace platform
