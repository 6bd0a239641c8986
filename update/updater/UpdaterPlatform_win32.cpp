#include "update/updater/UpdaterPlatform.h"

#include <windows.h>

namespace {

// The program's single-instance mutex, held by the updater while it works.
class MutexClaim final : public ProgramClaim
{
public:
    explicit MutexClaim(HANDLE mutex) : mutex_(mutex) {}
    ~MutexClaim() override
    {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }

private:
    HANDLE mutex_;
};

} // namespace

std::unique_ptr<ProgramClaim> ClaimProgram(std::chrono::milliseconds limit)
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Quillane");
    if (mutex == nullptr)
        return nullptr;
    const DWORD waited = WaitForSingleObject(mutex, DWORD(limit.count()));
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<MutexClaim>(mutex);
}

const char* ProgramFileName()
{
    return "Quillane.exe";
}
