#include "core/requests/NetworkThread.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace {

constexpr std::chrono::milliseconds kDefaultTimeout{60000};

std::atomic<std::chrono::milliseconds> timeout{kDefaultTimeout};

// The thread creates its access manager itself, so that the manager and everything it makes
// belong to it, and destroys it after its event loop ends.
class ManagerThread : public QThread
{
public:
    ManagerThread()
    {
        setObjectName(QStringLiteral("Network"));
        start();
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return manager_ != nullptr; });
    }

    QNetworkAccessManager& Manager() const { return *manager_; }

protected:
    void run() override
    {
        QNetworkAccessManager manager;
        {
            std::lock_guard lock(mutex_);
            manager_ = &manager;
        }
        ready_.notify_all();
        exec();
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    QNetworkAccessManager* manager_ = nullptr;
};

std::mutex threadMutex;
ManagerThread* runningThread = nullptr;

void StopNetworkThread()
{
    std::lock_guard lock(threadMutex);
    if (runningThread == nullptr)
        return;
    runningThread->quit();
    runningThread->wait();
    delete runningThread;
    runningThread = nullptr;
}

ManagerThread& Thread()
{
    std::lock_guard lock(threadMutex);
    if (runningThread == nullptr) {
        runningThread = new ManagerThread;
        qAddPostRoutine(StopNetworkThread);
    }
    return *runningThread;
}

} // namespace

QNetworkAccessManager& NetworkManager()
{
    return Thread().Manager();
}

void RunOnNetworkThread(std::function<void()> work)
{
    QMetaObject::invokeMethod(&NetworkManager(), std::move(work), Qt::QueuedConnection);
}

std::chrono::milliseconds RequestTimeout()
{
    return timeout.load();
}

void SetRequestTimeout(std::chrono::milliseconds value)
{
    timeout.store(value);
}
