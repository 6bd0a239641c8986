#include "FileSync.h"

#include <io.h>

namespace platform {

bool SyncFile(int handle)
{
    return ::_commit(handle) == 0;
}

} // namespace platform
