#include "platform/FileSync.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

bool SyncFile(const std::string& path)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (file < 0)
        return false;
    const bool synced = ::fsync(file) == 0;
    return ::close(file) == 0 && synced;
}

} // namespace platform
