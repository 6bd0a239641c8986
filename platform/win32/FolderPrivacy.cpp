#include "FolderPrivacy.h"

namespace platform {

// The temporary folder of the program's own on Windows is not shared the way /tmp is.
bool FolderIsPrivate(const std::string&)
{
    return true;
}

} // namespace platform
