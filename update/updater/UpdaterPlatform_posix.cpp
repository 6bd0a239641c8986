#include "LockFileTake.h"
#include "UpdaterPlatform.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>
#include <unistd.h>

namespace {

constexpr unsigned long PollMs = 20;

// The running copy's lock: the user's runtime folder (the temporary folder without one), named
// with the user id, as the program takes it at its start.
QString InstanceLockPath()
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("quillane-%1.lock").arg(getuid()));
}

class InstanceLockClaim final : public ProgramClaim
{
public:
    InstanceLockClaim() : lock_(InstanceLockPath()) {}
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
