#include "platform/LockFileTake.h"
#include "platform/posix/InstanceFiles.h"
#include "update/updater/UpdaterPlatform.h"

#include <QDeadlineTimer>
#include <QLockFile>
#include <QThread>

namespace {

constexpr unsigned long PollMs = 20;

class InstanceLockClaim final : public ProgramClaim
{
public:
    // The running copy's lock, as the program takes it at its start.
    InstanceLockClaim() : lock_(platform::InstancePath(QStringLiteral("lock"))) {}
    // Tried every 20 ms: the lock's own wait doubles its pauses and would add up to a few
    // hundred milliseconds after the program has ended.
    bool Take(std::chrono::milliseconds limit)
    {
        const QDeadlineTimer deadline(limit);
        while (!TakeLockFile(lock_)) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(PollMs);
        }
        return true;
    }

private:
    QLockFile lock_;
};

} // namespace

std::unique_ptr<ProgramClaim> ClaimProgram(std::chrono::milliseconds limit)
{
    auto claim = std::make_unique<InstanceLockClaim>();
    if (!claim->Take(limit))
        return nullptr;
    return claim;
}

const char* ProgramFileName()
{
    return "Quillane";
}
