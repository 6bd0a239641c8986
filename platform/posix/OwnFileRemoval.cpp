#include "platform/OwnFileRemoval.h"

#include <unistd.h>

namespace platform {

// The permissions of a file do not keep its folder's owner from removing it here, and a folder
// is never unlinked.
bool RemoveOwnFile(const std::string& path)
{
    return unlink(path.c_str()) == 0;
}

} // namespace platform
