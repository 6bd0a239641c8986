#include "platform/FolderSync.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

bool SyncFolder(const std::string& folderPath)
{
    const int folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return false;
    // File systems that cannot sync a folder keep their entries by other means.
    const bool synced = ::fsync(folder) == 0 || errno == EINVAL || errno == ENOTSUP;
    ::close(folder);
    return synced;
}

} // namespace platform
