#include "FolderPrivacy.h"

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool FolderIsPrivate(const std::string& folder)
{
    // Without the trailing separator, which would follow a link.
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    struct stat status
    {
    };
    return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == getuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace platform
