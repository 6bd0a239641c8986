#include "platform/SessionEnd.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QThread>
#include <array>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

Q_LOGGING_CATEGORY(lcSession, "quillane.session")

// The signals that end the program the way the end of the session does: the session's (and
// the service manager's) SIGTERM, the terminal's hang-up and its interrupt.
constexpr std::array EndingSignals{SIGTERM, SIGHUP, SIGINT};

// The pipe from the signal handler to the user-interface thread.
int signalWriteEnd = -1;
int signalReadEnd = -1;

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

    // Reads what the signal handler writes, on the user-interface thread, whenever an event
    // loop runs (a modal window's and a message box's included).
    void WatchSignals()
    {
        notifier_ = new QSocketNotifier(signalReadEnd, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SessionEndWatch::SignalArrived);
    }

    void SignalArrived()
    {
        std::array<char, 64> bytes{};
        while (::read(signalReadEnd, bytes.data(), bytes.size()) > 0) {
        }
        SessionEnds();
    }

private:
    // Runs once: later signals, also those during the handlers' own waits, find the program
    // already on its way out.
    void SessionEnds()
    {
        if (ended_ || running_)
            return;
        running_ = true;
        const bool mayEnd = handlers_.query();
        running_ = false;
        if (!mayEnd)
            return;
        ended_ = true;
        if (notifier_)
            notifier_->setEnabled(false);
        handlers_.end(true);
    }

    SessionEndHandlers handlers_;
    QSocketNotifier* notifier_ = nullptr;
    bool running_ = false;
    bool ended_ = false;
};

SessionEndWatch* currentWatch = nullptr;

} // namespace

void WatchSessionEnd(SessionEndHandlers handlers)
{
    auto* watch = new SessionEndWatch(std::move(handlers));
    std::array<int, 2> ends{-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends.data()) != 0) {
        qCWarning(lcSession) << "no signal pipe: only the session manager ends the program";
        return;
    }
    signalReadEnd = ends[0];
    signalWriteEnd = ends[1];
    watch->WatchSignals();
    currentWatch = watch;

    struct sigaction action = {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : EndingSignals)
        ::sigaction(number, &action, nullptr);
}

void SleepWatchingSessionEnd(int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    if (currentWatch == nullptr) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
        return;
    }
    while (!deadline.hasExpired()) {
        pollfd signal{.fd = signalReadEnd, .events = POLLIN, .revents = 0};
        if (::poll(&signal, 1, static_cast<int>(deadline.remainingTime())) > 0)
            currentWatch->SignalArrived();
    }
}

} // namespace platform
