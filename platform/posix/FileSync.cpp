#include "FileSync.h"

#include <unistd.h>

namespace platform {

bool SyncFile(int handle)
{
    return ::fsync(handle) == 0;
}

} // namespace platform
